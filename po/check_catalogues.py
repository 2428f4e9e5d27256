#!/usr/bin/env python3
"""Fails when a catalogue would show a user something wrong or English.

  check_catalogues.py TEMPLATE PO_DIR [LANGUAGE...]

TEMPLATE is the template the build extracts (po/CMakeLists.txt).

For each language (default: the ones po/LINGUAS names): msgfmt -c accepts the
catalogue and counts every message translated, none fuzzy or untranslated; it
holds exactly the template's messages; each translation keeps the {0}..{9}
placeholders, line breaks, leading and trailing spaces of its source; menu
texts keep one mnemonic, unique within each menu and popup; desktop search
words stay a semicolon-terminated list.
"""
import collections
import pathlib
import re
import subprocess
import sys

# What each menu shows side by side: the bar of each menu, then each popup.
# A mnemonic must be unique within one of these groups.
MENU_GROUPS = [
    ["&Molecule", "&Edit", "&View", "&Practice", "&Help"],
    ["&New", "&Open ...  F3", "&Save ... F2", "Save &as ...", "E&xit...Alt-X", "&Export ...", "&Print ..."],
    ["&Undo-Back", "&Add Electron", "&Subtract Electron", "Abbreviate &H's", "&Copy to Clipboard"],
    ["&3-D Model...End", "Molecule &Panel", "&True Shape..."],
    [" &Start Lab", "&Organic Chemistry"],
    ["&Index", "&Using Help"],
    ["&Molecule", "&Practice", "&Help"],
    ["&New", "&Open ...  F3", "E&xit...Alt-X"],
    ["&Quit Practice/Organic", "&View", "&Edit", "&Next", "&Start Again", "&Previous"],
    ["&Abbreviate H's"],
    ["&Return to Kovala", "&Copy to Clipboard", "&Size", "&Animate", "&True Shape"],
    ["&Increase", "&Decrease"],
    ["&Return to Kovala", "S&top Animate"],
    ["&Return", "&Molecule", "&Show", "&Animate"],
    ["&Copy to Clipboard", "&Export ...", "&Print ..."],
    ["&Lone Pairs", "&Angles", "&Name and Formula", "Zoom &In", "Zoom &Out"],
    ["&Install", "Cancel"],
    ["&Next", "Cancel"],
]
# The menu bars among the groups above: a bar's mnemonic is pressed with Alt,
# and Alt+X is the accelerator of Exit, which takes the key first.
MENU_BARS = [0, 6, 8, 10, 12, 13]
ALT_ACCELERATORS = {"x": "Exit"}
KEYWORD_LISTS = {"chemistry;molecule;atom;bond;electron;organic;3D;school;"}
PLACEHOLDER = re.compile(r"\{\d\}")

Entry = collections.namedtuple("Entry", "context msgid plural strings flags")


def Unquote(text):
    out, i = [], 0
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append(escapes.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def ReadCatalogue(path):
    entries, current, field, flags = [], None, None, []

    def Finish():
        if current and current["msgid"] is not None:
            entries.append(Entry(current["context"], current["msgid"], current["plural"],
                                 [current["strings"][k] for k in sorted(current["strings"])], current["flags"]))

    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines() + [""]:
        if not line.strip():
            Finish()
            current, field, flags = None, None, []
            continue
        if line.startswith("#,"):
            flags += [f.strip() for f in line[2:].split(",")]
            continue
        if line.startswith("#"):
            continue
        if current is None:
            current = {"context": None, "msgid": None, "plural": None, "strings": {}, "flags": flags}
        keyword, _, rest = line.partition(" ")
        if line.startswith('"'):
            value = Unquote(line[1:-1])
            if field[0] == "str":
                current["strings"][field[1]] += value
            else:
                current[field[0]] += value
            continue
        value = Unquote(rest[1:-1])
        if keyword == "msgctxt":
            field = ("context",)
            current["context"] = value
        elif keyword == "msgid":
            field = ("msgid",)
            current["msgid"] = value
        elif keyword == "msgid_plural":
            field = ("plural",)
            current["plural"] = value
        elif keyword.startswith("msgstr"):
            index = int(keyword[7:-1]) if "[" in keyword else 0
            field = ("str", index)
            current["strings"][index] = value
    return entries


def Mnemonic(text):
    """The mnemonic letter, lower case; None without one; '' when malformed."""
    marks = [i for i, c in enumerate(text) if c == "&" and (i + 1 < len(text) and text[i + 1] != "&")]
    if not marks:
        return None
    if len(marks) > 1 or not text[marks[0] + 1].strip():
        return ""
    return text[marks[0] + 1].lower()


def CheckLanguage(template_path, po_dir, language):
    problems = []
    path = po_dir / f"{language}.po"
    run = subprocess.run(["msgfmt", "-c", "--statistics", "-o", "/dev/null", str(path)], capture_output=True,
                         text=True, env={"LC_ALL": "C", "PATH": "/usr/bin:/bin"})
    report = run.stderr.strip()
    if run.returncode != 0:
        return [f"msgfmt -c refuses it:\n{report}"]
    template = {(e.context, e.msgid) for e in ReadCatalogue(template_path) if e.msgid}
    entries = [e for e in ReadCatalogue(path) if e.msgid]
    if not re.fullmatch(rf"{len(template)} translated messages?\.", report):
        problems.append(f"msgfmt counts '{report}', expected {len(template)} translated messages and nothing else")
    keys = {(e.context, e.msgid) for e in entries}
    for context, msgid in sorted(template - keys, key=str):
        problems.append(f"not in the catalogue: {msgid!r}")
    for context, msgid in sorted(keys - template, key=str):
        problems.append(f"not in the template: {msgid!r}")

    translations = {}
    for e in entries:
        if "fuzzy" in e.flags:
            problems.append(f"fuzzy: {e.msgid!r}")
        sources = [e.msgid] if e.plural is None else [e.msgid] + [e.plural] * (len(e.strings) - 1)
        for source, text in zip(sources, e.strings):
            if not text:
                problems.append(f"untranslated: {e.msgid!r}")
                continue
            if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                problems.append(f"placeholders differ: {source!r} -> {text!r}")
            if source.count("\n") != text.count("\n"):
                problems.append(f"line breaks differ: {source!r} -> {text!r}")
            if (source[:1] == " ") != (text[:1] == " ") or (source[-1:] == " ") != (text[-1:] == " "):
                problems.append(f"leading or trailing space differs: {source!r} -> {text!r}")
            if (Mnemonic(source) is None) != (Mnemonic(text) is None) or Mnemonic(text) == "":
                problems.append(f"mnemonic lost, added or malformed: {source!r} -> {text!r}")
            if source in KEYWORD_LISTS and not re.fullmatch(r"([^;]+;)+", text):
                problems.append(f"search words are not a ';'-terminated list: {text!r}")
        if e.context is None and e.plural is None:
            translations[e.msgid] = e.strings[0]

    for bar in MENU_BARS:
        for item in MENU_GROUPS[bar]:
            letter = Mnemonic(translations.get(item, ""))
            if letter in ALT_ACCELERATORS:
                problems.append(f"menu bar mnemonic is Alt+{letter.upper()}, the key of {ALT_ACCELERATORS[letter]}: "
                                f"{translations[item]!r}")
    for group in MENU_GROUPS:
        seen = {}
        for item in group:
            if item not in translations:
                problems.append(f"menu item not in the catalogue: {item!r}")
                continue
            letter = Mnemonic(translations[item])
            if letter in seen:
                problems.append(f"mnemonic '{letter}' twice in one menu: {translations[seen[letter]]!r} and "
                                f"{translations[item]!r}")
            seen[letter] = item
    return problems


def main():
    template_path, po_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    languages = sys.argv[3:] or [line.strip() for line in (po_dir / "LINGUAS").read_text().splitlines()
                                 if line.strip() and not line.startswith("#")]
    failed = False
    for language in languages:
        problems = CheckLanguage(template_path, po_dir, language)
        print(f"{language}: {'ok' if not problems else str(len(problems)) + ' problems'}")
        for problem in problems:
            print(f"  {problem}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
