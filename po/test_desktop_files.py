#!/usr/bin/env python3
"""The desktop entry, AppStream data and file type merged with the catalogues
carry each language's texts.

  test_desktop_files.py MERGED_DIR LANGUAGE...
"""
import pathlib
import sys
import xml.etree.ElementTree as ElementTree

XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
MIME = "{http://www.freedesktop.org/standards/shared-mime-info}"


def main():
    merged = pathlib.Path(sys.argv[1])
    languages = sys.argv[2:]
    problems = []

    entry = {}
    for line in (merged / "org.kovala.Kovala.desktop").read_text(encoding="utf-8").splitlines():
        key, sep, value = line.partition("=")
        if sep:
            entry[key] = value
    for language in languages:
        for key in ("GenericName", "Comment", "Keywords"):
            translated = entry.get(f"{key}[{language}]")
            if not translated or translated == entry.get(key):
                problems.append(f"desktop entry: {key}[{language}] missing or English")
    # What the desktop runs never depends on the language.
    for key in ("Exec", "Icon", "MimeType", "Type"):
        if any(k.startswith(key + "[") for k in entry):
            problems.append(f"desktop entry: {key} must not be translated")

    metainfo = ElementTree.parse(merged / "org.kovala.Kovala.metainfo.xml").getroot()
    for language in languages:
        for path in ("summary", "description/p", "screenshots/screenshot/caption"):
            english = [e for e in metainfo.findall(path) if XML_LANG not in e.attrib]
            translated = [e for e in metainfo.findall(path) if e.get(XML_LANG) == language]
            if len(translated) != len(english) or any(
                    (t.text or "").strip() == (e.text or "").strip() for t, e in zip(translated, english)):
                problems.append(f"metainfo: {path} not translated into {language}")
    if metainfo.find("id").text != "org.kovala.Kovala":
        problems.append("metainfo: the id changed")

    mime = ElementTree.parse(merged / "kovala-molecule.xml").getroot()
    comments = mime.findall(f"{MIME}mime-type/{MIME}comment")
    for language in languages:
        if not any(c.get(XML_LANG) == language for c in comments):
            problems.append(f"file type: no {language} comment")

    for problem in problems:
        print(problem)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
