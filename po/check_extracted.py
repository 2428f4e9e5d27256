#!/usr/bin/env python3
"""Fails when a text the program looks up has no translation to show.

  check_extracted.py TEMPLATE PO_DIR [LANGUAGE...]

TEMPLATE is what the build extracts from the sources (every text given to Tr,
TrNoop, TrPlural and TrContext, and the names table's compound names). Each
of its messages must be in each language's catalogue (default: the ones
po/LINGUAS names), with the same plural, translated in every form and not
fuzzy: a new English text without its translations fails here.
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from check_catalogues import ReadCatalogue  # noqa: E402


def Problems(template, catalogue):
    entries = {(e.context, e.msgid): e for e in ReadCatalogue(catalogue) if e.msgid}
    problems = []
    for wanted in ReadCatalogue(template):
        if not wanted.msgid:
            continue
        shown = (f"[{wanted.context}] " if wanted.context else "") + repr(wanted.msgid)
        found = entries.get((wanted.context, wanted.msgid))
        if found is None:
            problems.append(f"not in the catalogue: {shown}")
            continue
        if found.plural != wanted.plural:
            problems.append(f"plural differs: {shown} has {found.plural!r}, the sources {wanted.plural!r}")
        if "fuzzy" in found.flags:
            problems.append(f"fuzzy: {shown}")
        if not found.strings or not all(found.strings):
            problems.append(f"untranslated: {shown}")
    return problems


def main():
    template, po_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    languages = sys.argv[3:] or [line.strip() for line in (po_dir / "LINGUAS").read_text().splitlines()
                                 if line.strip() and not line.startswith("#")]
    count = sum(1 for e in ReadCatalogue(template) if e.msgid)
    if count == 0:
        print(f"{template} holds no messages; the extraction found nothing")
        return 1
    failed = False
    for language in languages:
        problems = Problems(template, po_dir / f"{language}.po")
        print(f"{language}: {count} texts, {'ok' if not problems else str(len(problems)) + ' problems'}")
        for problem in problems:
            print(f"  {problem}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
