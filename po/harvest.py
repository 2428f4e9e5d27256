#!/usr/bin/env python3
"""Lists the texts a user may read that the sources hold as literals.

The folders whose texts go through the lookup functions of i18n/translate.h
are extracted by xgettext at build time (po/CMakeLists.txt) and checked by
check_extracted.py. Until the rest do too, this is how the catalogues are
checked against the sources left:

  po/harvest.py                 every user-visible literal, "file:line: text"
  po/harvest.py --check po/de.po
                                the literals that are whole texts but no msgid of
                                the catalogue; exit status 1 when there are any

Adjacent literals are joined as the compiler joins them. Pieces of a sentence
that the code puts together ("the dropped ", " has ") are not whole texts: the
catalogue holds their sentences as patterns with {0}, {1}; --check lists them
under "pieces" without failing.
"""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
# Not yet marked for xgettext.
SOURCE_DIRS = ["editor", "practice", "setup"]
# Files whose texts are diagnostics for developers and tests, never shown to a student.
DIAGNOSTICS = {"model/invariants.cpp"}

LITERAL = re.compile(r'(?:u8|L|u|U)?"((?:[^"\\\n]|\\.)*)"')
# Literals that are names for the machine, not texts for a person.
MACHINE = re.compile(r"""^(
    [a-z0-9_.\-]+ |              # resource, cursor, file and command names
    [A-Z0-9_]+ |                 # menu resource names, environment variables
    [/.\\%$\[\]{}()*+:;,|'"<>=&-].* |   # paths, patterns, formats, separators
    .*\.(kvl|mol|sdf|sd|smi|svg|xyz|png|hlp|html|desktop|doc|\*) |
    [A-Z][a-z]?  |               # element symbols
    [A-Za-z]+[a-z][A-Z][A-Za-z]* | # identifiers such as CreateGroup
    [^ ]*=.* | .*XXXXXX.*         # key=value lines, temporary-name patterns
)$""", re.X | re.I)
MIXED_CASE = re.compile(r"^[A-Za-z]+[a-z][A-Z][A-Za-z]*$")
# One-word texts that look like identifiers but are read by people.
WORDS = {"ReadMe"}
# Pieces the code combines with others into a sentence; the catalogue holds the sentences.
PIECES = {"A double bond", "A triple bond", "A higher bond", "to the right of", "to the left of", "above", "below",
          "open bond", "open bonds", "free electron", "free electrons", "right", "left", "top", "bottom"}
# A course row's name is a compound's name.
ROW_NAME = re.compile(r"\.name\s*=\s*$")
IGNORED = {
    "MS Sans Serif", "Sans Serif", "Bitmap_1", "MMFF94", "UFF", "NAME", "FORMULA", "SMILES", "qrc",
    "Kovala31", "org.kovala.Kovala", "image/svg+xml", "application/x-kovala-molecule", "rdApp.*", "PNG", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
    "QProgressBar::chunk { background: blue; }", "Categories=Education;Science;Chemistry;\\n", "offscreen",
    "kovala.installed 2", "state unfinished", "folder created", "a candidate row is missing",
    "single", "double", "triple", "xdg-open ", "kovala: ignoring argument \\\"", "folder created\\n",
    "folder existing\\n",
}


def Unescape(text):
    return (text.replace('\\"', '"').replace("\\n", "\n").replace("\\t", "\t").replace("\\u00B0", "\u00b0")
            .replace("\\\\", "\\"))


def StripComments(source):
    # Comments become blank space so line numbers stay; literals are kept whole.
    out, i, n = [], 0, len(source)
    while i < n:
        if source.startswith("//", i):
            j = source.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif source.startswith("/*", i):
            j = source.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("".join(c if c == "\n" else " " for c in source[i:j]))
            i = j
        elif source[i] == '"':
            m = LITERAL.match(source, i)
            j = m.end() if m else i + 1
            out.append(source[i:j])
            i = j
        elif source[i] == "'":
            m = re.compile(r"'(?:[^'\\\n]|\\.)*'").match(source, i)
            j = m.end() if m else i + 1
            out.append(source[i:j])
            i = j
        else:
            out.append(source[i])
            i += 1
    return "".join(out)


def Literals(path):
    source = StripComments(path.read_text(encoding="utf-8"))
    lines = source.split("\n")
    # Drop preprocessor lines (includes) but keep the numbering.
    source = "\n".join("" if line.lstrip().startswith("#") else line for line in lines)
    pos = 0
    while True:
        m = LITERAL.search(source, pos)
        if not m:
            return
        text, end = m.group(1), m.end()
        # The compiler joins literals separated only by white space.
        while True:
            nxt = LITERAL.match(source, end + (len(source[end:]) - len(source[end:].lstrip())))
            if not nxt:
                break
            text += nxt.group(1)
            end = nxt.end()
        line_start = source.rfind("\n", 0, m.start()) + 1
        context = "compound" if ROW_NAME.search(source[line_start:m.start()]) else None
        yield source.count("\n", 0, m.start()) + 1, text, context
        pos = end


def UserVisible(text):
    plain = text.strip()
    if text in WORDS:
        return True
    if not re.search(r"[A-Za-z]{2}", plain) or text in IGNORED:
        return False
    if MIXED_CASE.match(plain) or "=" in plain or "XXXXXX" in plain:
        return False
    return not MACHINE.match(plain) or (" " in plain and plain[0].isalpha())


def Harvest():
    found = []
    for folder in SOURCE_DIRS:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h") or "qt" in path.relative_to(ROOT).parts[1:-1] and path.name == "main.cpp":
                continue
            if path.relative_to(ROOT).as_posix() in DIAGNOSTICS:
                continue
            for line, text, context in Literals(path):
                if UserVisible(text):
                    found.append((f"{path.relative_to(ROOT)}:{line}", Unescape(text), context))
    return found


def IsPiece(text):
    # A piece of a sentence: the code continues it before or after.
    return text in PIECES or text[:1] in " ,;:.)\n" or text.endswith((" ", "(", ": "))


def ReadCatalogue(path):
    keys, context, current, field = set(), None, None, None
    def Flush():
        if current is not None:
            keys.add((context, current))
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if line.startswith("msgctxt "):
            Flush(); current = None
            context, field = Unescape(line[9:-1]), "ctx"
            context = context
        elif line.startswith("msgid "):
            if field != "ctx":
                Flush(); context = None
            current, field = Unescape(line[7:-1]), "id"
        elif line.startswith('"') and field in ("id", "ctx"):
            if field == "id":
                current += Unescape(line[1:-1])
            else:
                context += Unescape(line[1:-1])
        elif line.startswith("msgid_plural") or line.startswith("msgstr"):
            field = "str"
        elif not line.strip():
            Flush(); current, context, field = None, None, None
    Flush()
    return keys


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", metavar="CATALOGUE", help="list the whole texts the catalogue lacks")
    args = parser.parse_args()
    found = Harvest()
    if not args.check:
        for where, text, context in found:
            print(f"{where}: {'[' + context + '] ' if context else ''}{text!r}")
        return 0
    keys = ReadCatalogue(args.check)
    missing, pieces = [], []
    for where, text, context in found:
        if (context, text) in keys:
            continue
        (pieces if IsPiece(text) else missing).append((where, text, context))
    for title, rows in (("missing", missing), ("pieces", pieces)):
        print(f"{title}: {len(rows)}")
        for where, text, context in rows:
            print(f"  {where}: {'[' + context + '] ' if context else ''}{text!r}")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
