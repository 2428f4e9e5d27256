#!/usr/bin/env python3
"""check_extracted.py must refuse each way a looked-up text can lack its translation.

  test_check_extracted.py PO_DIR

A small template of the kinds of message the sources hold (a plain text, a
plural, a compound's name) is checked against the German catalogue, first as
it is, then with one fault per row.
"""
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent

TEMPLATE = """msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\\n"

msgid "Goes back one step"
msgstr ""

msgid "{0} open bond"
msgid_plural "{0} open bonds"
msgstr[0] ""
msgstr[1] ""

msgctxt "compound"
msgid "ethanol"
msgstr ""
"""


def Replace(old, new):
    def Apply(text):
        assert old in text, f"the text no longer holds {old!r}"
        return text.replace(old, new, 1)
    return Apply


def Same(text):
    return text


# name, damage to the template, damage to the catalogue, words the report must hold
CASES = [
    ("a new text without translation", lambda t: t + '\nmsgid "A text nobody translated"\nmsgstr ""\n', Same,
     "not in the catalogue: 'A text nobody translated'"),
    ("untranslated", Same, Replace('msgstr "Macht den letzten Schritt rückgängig"', 'msgstr ""'),
     "untranslated: 'Goes back one step'"),
    ("fuzzy", Same, Replace('msgid "Goes back one step"', '#, fuzzy\nmsgid "Goes back one step"'), "fuzzy"),
    ("one plural form empty", Same, Replace('msgstr[1] "{0} offene Bindungen"', 'msgstr[1] ""'), "untranslated"),
    ("plural changed in the sources", Replace('msgid_plural "{0} open bonds"', 'msgid_plural "{0} free bonds"'), Same,
     "plural differs"),
    ("a compound's name without its context", Same,
     Replace('msgctxt "compound"\nmsgid "ethanol"', 'msgid "ethanol"'), "not in the catalogue: [compound] 'ethanol'"),
]


def Run(scratch, template, catalogue):
    (scratch / "kovala.pot").write_text(template, encoding="utf-8")
    (scratch / "de.po").write_text(catalogue, encoding="utf-8")
    return subprocess.run([sys.executable, str(HERE / "check_extracted.py"), str(scratch / "kovala.pot"),
                           str(scratch), "de"], capture_output=True, text=True)


def main():
    original = (pathlib.Path(sys.argv[1]) / "de.po").read_text(encoding="utf-8")
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        run = Run(scratch, TEMPLATE, original)
        if run.returncode != 0:
            print(f"the untouched template and catalogue fail:\n{run.stdout}")
            return 1
        for name, template_damage, catalogue_damage, expected in CASES:
            run = Run(scratch, template_damage(TEMPLATE), catalogue_damage(original))
            if run.returncode == 0 or expected not in run.stdout:
                print(f"FAIL {name}: exit {run.returncode}, report:\n{run.stdout}")
                failures += 1
            else:
                print(f"ok   {name}")
        # A template the extraction left empty proves nothing.
        run = Run(scratch, 'msgid ""\nmsgstr ""\n', original)
        if run.returncode == 0:
            print("FAIL an empty template passes")
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
