#!/usr/bin/env python3
"""check_catalogues.py must refuse a catalogue with each kind of fault.

  test_check_catalogues.py TEMPLATE PO_DIR

Each row breaks a copy of the German catalogue in one way and names the words
the checker's report must then contain.
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent


def Replace(old, new):
    def Apply(text):
        assert old in text, f"the catalogue no longer holds {old!r}"
        return text.replace(old, new, 1)
    return Apply


CASES = [
    ("untranslated", Replace('msgstr "Beginnt ein neues Molekül"', 'msgstr ""'), "untranslated"),
    ("fuzzy", Replace('msgid "Starts a new molecule"', '#, fuzzy\nmsgid "Starts a new molecule"'), "fuzzy"),
    ("lost placeholder", Replace('msgstr "Noch offen: {0}."', 'msgstr "Noch offen."'), "placeholders differ"),
    ("wrong placeholder", Replace('msgstr "{0} wird kopiert."', 'msgstr "{1} wird kopiert."'),
     "placeholders differ"),
    ("plural form without its count", Replace('msgstr[1] "{0} offene Bindungen"', 'msgstr[1] "offene Bindungen"'),
     "placeholders differ"),
    ("lost line break", Replace('"Kovala kann nicht in {0} installiert werden:\\n"', '"Kovala kann nicht in {0} installiert werden: "'),
     "line breaks differ"),
    ("lost trailing space", Replace('msgstr "Verbinde die Atome genauso, wie du "', 'msgstr "Verbinde die Atome genauso, wie du"'),
     "trailing space"),
    ("lost mnemonic", Replace('msgstr "&Neu"', 'msgstr "Neu"'), "mnemonic lost"),
    ("two mnemonics", Replace('msgstr "&Neu"', 'msgstr "&Ne&u"'), "malformed"),
    ("mnemonic twice in a popup", Replace('msgstr "&Neu"', 'msgstr "&Drucken neu"'), "twice in one menu"),
    ("mnemonic twice on a bar", Replace('msgstr "&Hilfe"', 'msgstr "&Molekülhilfe"'), "twice in one menu"),
    ("bar mnemonic on the Exit key", Replace('msgstr "&Übungen"', 'msgstr "Übungen e&xtra"'), "the key of Exit"),
    ("search words not a list", Replace('Chemie;Molekül;Atom;Bindung;Elektron;organisch;3D;Schule;chemistry;molecule;',
                                        'Chemie, Molekül'), "search words"),
    ("message missing", Replace('msgid "Exits the program"\nmsgstr "Beendet das Programm"\n', ''),
     "not in the catalogue"),
    ("message the template lacks", lambda text: text + '\nmsgid "Not a text of the program"\nmsgstr "Nichts"\n',
     "not in the template"),
    ("printf format broken", Replace('msgstr "%.1f°"', 'msgstr "%d°"'), "msgfmt -c refuses"),
]


def main():
    template, po_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    original = (po_dir / "de.po").read_text(encoding="utf-8")
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        shutil.copy(template, scratch / "kovala.pot")
        # The untouched catalogue passes, or every row below proves nothing.
        (scratch / "de.po").write_text(original, encoding="utf-8")
        run = subprocess.run([sys.executable, str(HERE / "check_catalogues.py"), str(scratch / "kovala.pot"), str(scratch), "de"],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(f"the untouched catalogue fails:\n{run.stdout}")
            return 1
        for name, damage, expected in CASES:
            (scratch / "de.po").write_text(damage(original), encoding="utf-8")
            run = subprocess.run([sys.executable, str(HERE / "check_catalogues.py"), str(scratch / "kovala.pot"), str(scratch), "de"],
                                 capture_output=True, text=True)
            if run.returncode == 0 or expected not in run.stdout:
                print(f"FAIL {name}: exit {run.returncode}, report:\n{run.stdout}")
                failures += 1
            else:
                print(f"ok   {name}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
