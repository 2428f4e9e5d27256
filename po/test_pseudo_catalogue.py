#!/usr/bin/env python3
"""pseudo_catalogue.py must make a catalogue the layout tests can trust.

  test_pseudo_catalogue.py TEMPLATE

Over every text of the template: msgfmt -c accepts the result; each text is
about 40 % longer, bracketed and accented; what the program fills in or acts
on (placeholders, printf formats, the mnemonic, line breaks, the spaces at
either end) is as in the source.
"""
import pathlib
import re
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from check_catalogues import Mnemonic, ReadCatalogue  # noqa: E402

FORMAT = re.compile(r"%[-+ #0-9.]*[a-zA-Z%]")
PLACEHOLDER = re.compile(r"\{\d\}")


def Problems(source, text):
    problems = []
    if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
        problems.append("placeholders differ")
    if FORMAT.findall(source) != FORMAT.findall(text):
        problems.append("printf formats differ")
    if Mnemonic(source) != Mnemonic(text):
        problems.append("mnemonic differs")
    if source.count("\n") != text.count("\n"):
        problems.append("line breaks differ")
    for line, pseudo in zip(source.split("\n"), text.split("\n")):
        if len(line) - len(line.lstrip(" ")) != len(pseudo) - len(pseudo.lstrip(" ")) or \
                len(line) - len(line.rstrip(" ")) != len(pseudo) - len(pseudo.rstrip(" ")):
            problems.append("spaces at the ends differ")
        if not line.strip():
            continue
        if not (pseudo.strip().startswith("[") and pseudo.strip().endswith("]")):
            problems.append("not bracketed")
        if len(line.strip()) >= 10 and not 1.3 <= len(pseudo.strip()) / len(line.strip()) <= 1.5:
            problems.append(f"grows by {len(pseudo.strip()) / len(line.strip()):.2f}, not about 1.4")
    if re.search(r"[aeiou]", FORMAT.sub("", source)) and text.isascii():
        problems.append("no accent")
    return problems


def main():
    template = pathlib.Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as scratch:
        po = pathlib.Path(scratch) / "pseudo.po"
        subprocess.run([sys.executable, str(HERE / "pseudo_catalogue.py"), str(template), str(po)], check=True)
        run = subprocess.run(["msgfmt", "-c", "-o", "/dev/null", str(po)], capture_output=True, text=True)
        if run.returncode != 0:
            print(f"msgfmt -c refuses the pseudo catalogue:\n{run.stderr}")
            return 1
        wanted = [e for e in ReadCatalogue(template) if e.msgid]
        made = {(e.context, e.msgid): e for e in ReadCatalogue(po) if e.msgid}
    failures = 0
    for entry in wanted:
        found = made.get((entry.context, entry.msgid))
        if found is None:
            print(f"missing: {entry.msgid!r}")
            failures += 1
            continue
        sources = [entry.msgid] if entry.plural is None else [entry.msgid, entry.plural]
        if len(found.strings) != len(sources):
            print(f"{len(found.strings)} forms for {entry.msgid!r}")
            failures += 1
            continue
        for source, text in zip(sources, found.strings):
            for problem in Problems(source, text):
                print(f"{problem}: {source!r} -> {text!r}")
                failures += 1
    print(f"{len(wanted)} texts, {failures} problems")
    return 1 if failures or not wanted else 0


if __name__ == "__main__":
    sys.exit(main())
