#!/usr/bin/env python3
"""Reads a published web site back with html.parser and prints what a reader sees, as JSON:
for every .html file its <title>, <h1>, the links (href in order), the texts in order and each
table expanded to a grid (a cell spanning rows or columns repeated in every slot it covers, the
lines of a cell joined by newlines)."""
import json
import os
import sys
from html.parser import HTMLParser


class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.title = ""
        self.h1 = ""
        self.links = []
        self.texts = []
        self.rows = []  # of [text, rowspan, colspan]
        self.cell = None
        self.where = []
        self.viewport = False
        self.stylesheet = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        elif tag == "meta" and a.get("name") == "viewport":
            self.viewport = True
        elif tag == "link" and a.get("rel") == "stylesheet":
            self.stylesheet = a.get("href") == "style.css"
        elif tag == "tr":
            self.rows.append([])
        elif tag in ("th", "td"):
            self.cell = ["", int(a.get("rowspan", 1)), int(a.get("colspan", 1))]
        elif tag == "br" and self.cell is not None:
            self.cell[0] += "\n"
        if tag not in ("br", "meta", "link"):
            self.where.append(tag)

    def handle_endtag(self, tag):
        if tag in ("th", "td") and self.cell is not None:
            self.rows[-1].append(self.cell)
            self.cell = None
        if self.where and self.where[-1] == tag:
            self.where.pop()

    def handle_data(self, data):
        if self.cell is not None:
            self.cell[0] += data
        if "title" in self.where:
            self.title += data
        if "h1" in self.where:
            self.h1 += data
        if data.strip():
            self.texts.append(data.strip())


def grid(rows):
    out = []
    pending = {}  # (row, column) -> text from a rowspan above
    for r, row in enumerate(rows):
        line = []
        cells = iter(row)
        c = 0
        while True:
            if (r, c) in pending:
                line.append(pending.pop((r, c)))
                c += 1
                continue
            cell = next(cells, None)
            if cell is None:
                break
            text, rowspan, colspan = cell
            for k in range(colspan):
                line.append(text)
                for down in range(1, rowspan):
                    pending[(r + down, c + k)] = text
            c += colspan
        out.append(line)
    return out


def main():
    folder = sys.argv[1]
    result = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".html"):
            continue
        reader = Reader()
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            reader.feed(f.read())
        reader.close()
        result[name] = {
            "title": reader.title,
            "h1": reader.h1,
            "links": reader.links,
            "texts": reader.texts,
            "grid": grid(reader.rows),
            "viewport": reader.viewport,
            "stylesheet": reader.stylesheet,
        }
    json.dump(result, sys.stdout, ensure_ascii=False)


main()
