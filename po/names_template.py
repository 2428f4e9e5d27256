#!/usr/bin/env python3
"""Writes the names table's compound names as a gettext template.

  names_template.py NAMES_TSV OUTPUT_POT

The program looks each name up with the context "compound": the names a
molecule is called by (column 2) and the course rows that also accept an
isomer (column 4).
"""
import pathlib
import sys


def Quote(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def main():
    source, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    names = []
    for row in source.read_text(encoding="utf-8").splitlines():
        if row.startswith("#") or not row.strip():
            continue
        fields = row.split("\t")
        for column in (1, 3):
            if len(fields) > column and fields[column] and fields[column] not in names:
                names.append(fields[column])
    lines = ['msgid ""', 'msgstr ""', '"Content-Type: text/plain; charset=UTF-8\\n"', ""]
    for name in names:
        lines += ['msgctxt "compound"', f'msgid "{Quote(name)}"', 'msgstr ""', ""]
    output.write_text("\n".join(lines), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
