#!/usr/bin/env python3
"""The listing page of a folder of awkward names, opened in a real browser (Debian's chromium,
headless): the page's scripts build the table, and the resulting document must show the folder,
the parent link, every entry in order with its size blank for folders, links that lead back to
each entry, and nothing that the names tried to inject.

listing_in_chromium.py <listing_dump.exe>; exits 77 (skipped) only when chromium is absent."""
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

SKIPPED = 77
WINE = os.environ.get("WINE64", "/usr/lib/wine/wine64")
INJECTED_ID = "kelpa-injected"

# Folders, then files; hidden ones included. Names hold quotes, Greek letters, escapes' own
# characters, blanks, markup and script.
FOLDERS = ["Zeta folder", "alpha #1"]
FILES = [
    "it's \"quoted\".txt",
    "\u03b1\u03b2\u03b3 \u03a9.txt",
    "100% + 50%.txt",
    "#hash?.txt",
    "caf\u00e9 menu.txt",
    "<!--<script>x.txt",
    "<img id=%s src=x onerror=alert(1)>.txt" % INJECTED_ID,
    "\\u0022);document.title=('pwned.txt",
    "$&$' cost.txt",
    ".hidden",
    "B upper.txt",
]


class Document(html.parser.HTMLParser):
    """The parts of the dumped document the checks read."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.title = self.header = ""
        self.rows = []  # [href, link text, link class, size, date]
        self.ids = []
        self.where = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.append(attrs["id"])
        if tag == "title":
            self.where = "title"
        elif tag == "h1":
            self.where = "header"
        elif tag == "tr" and attrs.get("class") != "header":
            self.rows.append(["", "", "", "", ""])
            self.cell = -1
        elif tag == "a" and self.rows:
            self.rows[-1][0] = attrs.get("href", "")
            self.rows[-1][2] = attrs.get("class", "")
            self.where = "link"
        elif tag == "td" and self.rows and "detailsColumn" in (attrs.get("class") or ""):
            self.cell += 1
            self.where = "cell"

    def handle_endtag(self, tag):
        if tag in ("title", "h1", "a", "td"):
            self.where = None

    def handle_data(self, data):
        if self.where == "title":
            self.title += data
        elif self.where == "header":
            self.header += data
        elif self.where == "link":
            self.rows[-1][1] += data
        elif self.where == "cell":
            self.rows[-1][3 + self.cell] += data


def fold(name):
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in name)


def main():
    chromium = shutil.which("chromium")
    if not chromium:
        print("chromium is not installed: the browser check is skipped")
        return SKIPPED
    failures = []

    def check(condition, what):
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory(prefix="kelpa-listing-") as root:
        folder = os.path.join(root, "tricky \u03b4 %41 $&")
        os.mkdir(folder)
        for name in FOLDERS:
            os.mkdir(os.path.join(folder, name))
        for name in FILES:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(b"x" * 1536)
        page = os.path.join(root, "page.html")
        win_folder = "Z:" + folder.replace("/", "\\") + "\\"
        subprocess.run([WINE, sys.argv[1], win_folder, "Z:" + page.replace("/", "\\")], check=True,
                       stdin=subprocess.DEVNULL, timeout=120)
        dom = subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
                              "file://" + urllib.parse.quote(page)],
                             capture_output=True, text=True, timeout=120, stdin=subprocess.DEVNULL).stdout
        doc = Document()
        doc.feed(dom)

        check(doc.title == "Index of " + win_folder, "title: %r" % doc.title)
        check(doc.header == "Index of " + win_folder, "heading: %r" % doc.header)
        check(INJECTED_ID not in doc.ids and "pwned" not in doc.title, "a name injected markup or script")
        check(len(doc.rows) > 0 and doc.rows[0][1:] == ["[Parent directory]", "icon up", "", ""],
              "first row is the parent link: %r" % (doc.rows[:1],))
        check(doc.rows and doc.rows[0][0].endswith("/.."), "the parent link goes to ..")

        shown = FOLDERS + FILES
        expected = sorted((n for n in shown[:len(FOLDERS)]), key=fold) + \
            sorted((n for n in shown[len(FOLDERS):]), key=fold)
        rows = doc.rows[1:]
        texts = [r[1] for r in rows]
        check(texts == [n + "/" for n in expected[:len(FOLDERS)]] + expected[len(FOLDERS):],
              "rows in order:\n  %r\n  expected %r" % (texts, expected))
        for href, text, cls, size, date in rows:
            isdir = text.endswith("/")
            name = text[:-1] if isdir else text
            target = urllib.parse.unquote(href.rstrip("/").rsplit("/", 1)[-1], encoding="utf-8", errors="strict")
            check(target == name, "link of %r leads to %r" % (name, target))
            check(cls == ("icon dir" if isdir else "icon file"), "class of %r: %r" % (name, cls))
            check(size == ("" if isdir else "1.5 kB"), "size of %r: %r" % (name, size))
            check(date != "", "date of %r is shown" % name)
    for failure in failures:
        print("failed:", failure)
    if failures:
        print(dom)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
