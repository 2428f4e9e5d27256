#!/usr/bin/env python3
"""Writes a pseudo-translation of the template, for finding texts cut short.

  pseudo_catalogue.py TEMPLATE OUTPUT_PO

Every text comes back about 40 % longer, its letters accented and the whole
of it in brackets, so a text cut at either end shows: "[Šàvé ĺöñ]". What
the program fills in or acts on stays as it is: {0} to {9}, printf formats,
a mnemonic's letter after "&", line breaks and leading or trailing spaces.
"""
import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from check_catalogues import ReadCatalogue  # noqa: E402

ACCENTED = str.maketrans("aceinorsuyzACEINORSUYZ", "àçéîñöŕšüýžÀÇÉÎÑÖŔŠÜÝŽ")
# Kept whole: placeholders, printf formats, a mnemonic with its letter.
KEPT = re.compile(r"\{\d\}|\{\{|%[-+ #0-9.]*[a-zA-Z%]|&.")
GROWTH = 0.4
# Letters of an average width: the padding grows a text as a longer word would.
FILLER = "ĺöñğéŕ"


def PseudoLine(line):
    if not line.strip():
        return line
    lead = line[: len(line) - len(line.lstrip(" "))]
    trail = line[len(line.rstrip(" ")):]
    core = line.strip(" ")
    out, at = [], 0
    for kept in KEPT.finditer(core):
        out.append(core[at:kept.start()].translate(ACCENTED))
        out.append(kept.group())
        at = kept.end()
    out.append(core[at:].translate(ACCENTED))
    # The brackets count towards the growth; the rest is padding.
    padding = max(round(len(core) * GROWTH) - 2, 1)
    if padding < 2:
        return f"{lead}[{''.join(out)}]{trail}"
    filler = (FILLER * (padding // len(FILLER) + 1))[: padding - 1]
    return f"{lead}[{''.join(out)} {filler}]{trail}"


def Pseudo(text):
    return "\n".join(PseudoLine(line) for line in text.split("\n"))


def Quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t").replace("\n", "\\n") + '"'


def main():
    template, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    header = ["Project-Id-Version: kovala", "PO-Revision-Date: 2026-01-01 00:00+0000",
              "Last-Translator: pseudo_catalogue.py", "Language-Team: none", "Language: pseudo", "MIME-Version: 1.0",
              "Content-Type: text/plain; charset=UTF-8", "Content-Transfer-Encoding: 8bit",
              "Plural-Forms: nplurals=2; plural=(n != 1);"]
    lines = ['msgid ""', 'msgstr ""'] + [Quote(field + "\n") for field in header] + [""]
    for entry in ReadCatalogue(template):
        if not entry.msgid:
            continue
        if "c-format" in entry.flags:
            lines.append("#, c-format")
        if entry.context is not None:
            lines.append(f"msgctxt {Quote(entry.context)}")
        lines.append(f"msgid {Quote(entry.msgid)}")
        if entry.plural is None:
            lines.append(f"msgstr {Quote(Pseudo(entry.msgid))}")
        else:
            lines.append(f"msgid_plural {Quote(entry.plural)}")
            lines.append(f"msgstr[0] {Quote(Pseudo(entry.msgid))}")
            lines.append(f"msgstr[1] {Quote(Pseudo(entry.plural))}")
        lines.append("")
    output.write_text("\n".join(lines), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
