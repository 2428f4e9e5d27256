#!/usr/bin/env python3
"""Each translated help page keeps the English page's structure.

  help_pages_test.py HELP_DIR LANGUAGE...

A translated page must keep every anchor its links and the program jump to,
link only to anchors and pages that exist, show pictures that exist, keep the
lists and tables row for row, declare its language, and have its title and
headings translated. Tags must close where they open.
"""
import collections
import html.parser
import pathlib
import sys

PAGES = ["kovala.html", "winhelp.html"]
CLOSED = {"p", "li", "ul", "ol", "table", "tr", "td", "th", "h1", "h2", "h3", "a", "b", "i", "sub", "span"}


class Page(html.parser.HTMLParser):
    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.anchors, self.links, self.pictures = set(), [], []
        self.counts = collections.Counter()
        self.headings, self.lang, self.title = [], None, ""
        self.problems, self.open = [], []
        self._in = None
        self.feed(text)
        if self.open:
            self.problems.append(f"tags left open: {self.open}")

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.counts[tag] += 1
        if tag == "html":
            self.lang = attrs.get("lang")
        if tag == "a" and "name" in attrs:
            self.anchors.add(attrs["name"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "img":
            self.pictures.append(attrs.get("src"))
        if tag in ("title", "h1", "h2", "h3"):
            self._in = tag
            self.headings.append("") if tag != "title" else None
        if tag in CLOSED:
            self.open.append(tag)

    def handle_endtag(self, tag):
        if tag in ("title", "h1", "h2", "h3"):
            self._in = None
        if tag in CLOSED:
            if not self.open or self.open[-1] != tag:
                self.problems.append(f"</{tag}> closes <{self.open[-1] if self.open else 'nothing'}>")
            else:
                self.open.pop()

    def handle_data(self, data):
        if self._in == "title":
            self.title += data
        elif self._in:
            self.headings[-1] += data


def main():
    help_dir = pathlib.Path(sys.argv[1])
    problems = []
    english = {name: Page((help_dir / name).read_text(encoding="utf-8")) for name in PAGES}
    for language in sys.argv[2:]:
        for name in PAGES:
            where = f"{language}/{name}"
            path = help_dir / language / name
            if not path.is_file():
                problems.append(f"{where}: missing")
                continue
            page, source = Page(path.read_text(encoding="utf-8")), english[name]
            problems += [f"{where}: {p}" for p in page.problems]
            if page.lang != language:
                problems.append(f"{where}: <html lang> is {page.lang!r}")
            if page.anchors != source.anchors:
                problems.append(f"{where}: anchors differ: {sorted(page.anchors ^ source.anchors)}")
            if sorted(page.links) != sorted(source.links):
                problems.append(f"{where}: links differ from the English page")
            for link in page.links:
                target, _, anchor = link.partition("#")
                if target and not (path.parent / target).is_file():
                    problems.append(f"{where}: link to a missing page {link}")
                if not target and anchor not in page.anchors:
                    problems.append(f"{where}: link to a missing anchor {link}")
            for picture in page.pictures:
                if not (path.parent / picture).is_file():
                    problems.append(f"{where}: missing picture {picture}")
            if len(page.pictures) != len(source.pictures):
                problems.append(f"{where}: {len(page.pictures)} pictures, the English page has {len(source.pictures)}")
            for tag in ("li", "tr", "td", "th", "table", "h2", "h3", "p"):
                if page.counts[tag] != source.counts[tag]:
                    problems.append(f"{where}: {page.counts[tag]} <{tag}>, the English page has {source.counts[tag]}")
            if page.title.strip() == source.title.strip():
                problems.append(f"{where}: title not translated")
            for heading, original in zip(page.headings, source.headings):
                if heading.strip() == original.strip():
                    problems.append(f"{where}: heading not translated: {heading.strip()!r}")
    for problem in problems:
        print(problem)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
