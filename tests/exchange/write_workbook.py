#!/usr/bin/python3
"""Writes the reader's test workbook with openpyxl, another producer than ours: text,
numbers, a boolean, a formula without a cached value, a merged range, an empty row, a sparse
cell and a hidden sheet. Usage: write_workbook.py OUT.xlsx"""
import sys

import openpyxl

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "课务分工"
sheet.append(["班级", "学科", "教师", "周课时"])
sheet.append(["初一⑴", "语文", "王老师", 5])
sheet.append(["初一⑵", "数学", "李老师", 2.5])
sheet["E2"] = True
sheet["E3"] = False
sheet["D4"] = "=SUM(D2:D3)"
sheet.merge_cells("A5:B5")
sheet["A5"] = "合并"
# row 6 stays empty
sheet["F8"] = "稀疏"
sheet["A9"] = 0.001
sheet["B9"] = 45292
hidden = book.create_sheet("备注")
hidden["A1"] = "隐藏的表"
hidden.sheet_state = "hidden"
book.save(sys.argv[1])
