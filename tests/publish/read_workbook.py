#!/usr/bin/env python3
"""Reads a workbook with openpyxl and prints what the tests check, as JSON: per sheet its
name, the cell values, the merged ranges, the page setup and a few cell formats.
Exit status 3 when openpyxl is not installed."""
import json
import sys

try:
    import openpyxl
except ImportError:
    sys.exit(3)

book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for ws in book.worksheets:
    cells = {}
    wrapped = {}
    bordered = {}
    for row in ws.iter_rows():
        for cell in row:
            if cell.value is not None:
                cells[cell.coordinate] = str(cell.value)
            wrapped[cell.coordinate] = bool(cell.alignment.wrap_text)
            bordered[cell.coordinate] = cell.border.left.style == "thin"
    title = ws["A1"]
    sheets.append({
        "name": ws.title,
        "cells": cells,
        "wrapped": wrapped,
        "bordered": bordered,
        "merged": sorted(str(r) for r in ws.merged_cells.ranges),
        "orientation": ws.page_setup.orientation,
        "paperSize": int(ws.page_setup.paperSize or 0),
        "fitToPage": bool(ws.sheet_properties.pageSetUpPr.fitToPage),
        # an absent fitToWidth / fitToHeight means 1, the file format's default
        "fitToWidth": 1 if ws.page_setup.fitToWidth is None else int(ws.page_setup.fitToWidth),
        "fitToHeight": 1 if ws.page_setup.fitToHeight is None else int(ws.page_setup.fitToHeight),
        "centred": bool(ws.print_options.horizontalCentered),
        "titleBold": bool(title.font.b),
        "titleSize": float(title.font.sz or 0),
        "widthB": float(ws.column_dimensions["B"].width or 0),
    })
print(json.dumps({"sheets": sheets}, ensure_ascii=False))
