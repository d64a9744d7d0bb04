"""Reads an .xlsx file with openpyxl and prints what it holds as JSON: the sheets in order,
which is active and which are selected, and for each sheet its cells (value, type, number
format, font, fill, alignment, borders), merged ranges, columns, row heights, page set-up,
print titles, print area and manual page breaks. Used by the tests as a reader that shares
nothing with the program that wrote the file."""

import json
import sys

import openpyxl


def colour(c):
    if c is None:
        return None
    if c.type == "rgb":
        return c.rgb[-6:] if isinstance(c.rgb, str) else None
    if c.type == "theme":
        return "theme:%d" % c.theme
    if c.type == "indexed":
        return "indexed:%d" % c.indexed
    return "auto"


def side(s):
    if s is None or s.style is None:
        return None
    return {"style": s.style, "color": colour(s.color)}


def style(obj):
    font = obj.font
    fill = obj.fill
    border = obj.border
    alignment = obj.alignment
    return {
        "font": {
            "name": font.name,
            "size": font.sz,
            "bold": bool(font.b),
            "italic": bool(font.i),
            "color": colour(font.color),
        },
        "fill": colour(fill.fgColor) if fill is not None and fill.fill_type == "solid" else None,
        "horizontal": alignment.horizontal,
        "vertical": alignment.vertical,
        "number_format": obj.number_format,
        "border": {name: side(getattr(border, name)) for name in ("left", "right", "top", "bottom")},
    }


def sheet(ws, wb):
    cells = {}
    for (row, column), cell in sorted(ws._cells.items()):
        entry = style(cell)
        entry["value"] = cell.value
        entry["type"] = cell.data_type
        cells[cell.coordinate] = entry
    columns = []
    for dimension in sorted(ws.column_dimensions.values(), key=lambda d: d.min or 0):
        if dimension.min is None:
            continue
        entry = style(dimension)
        entry.update({"min": dimension.min, "max": dimension.max, "width": dimension.width,
                      "custom_width": bool(dimension.customWidth)})
        columns.append(entry)
    rows = {str(r): d.height for r, d in ws.row_dimensions.items() if d.height is not None}
    margins = ws.page_margins
    return {
        "title": ws.title,
        "selected": bool(ws.sheet_view.tabSelected),
        "cells": cells,
        "merged": sorted(str(r) for r in ws.merged_cells.ranges),
        "columns": columns,
        "default_row_height": ws.sheet_format.defaultRowHeight,
        "custom_height": bool(ws.sheet_format.customHeight),
        "rows": rows,
        "page": {
            "paper_size": ws.page_setup.paperSize,
            "orientation": ws.page_setup.orientation,
            "margins": {name: getattr(margins, name)
                        for name in ("left", "right", "top", "bottom", "header", "footer")},
        },
        "print_title_rows": ws.print_title_rows,
        "print_title_cols": ws.print_title_cols,
        "print_area": ws.print_area,
        "row_breaks": [b.id for b in ws.row_breaks.brk],
        "col_breaks": [b.id for b in ws.col_breaks.brk],
    }


def main():
    wb = openpyxl.load_workbook(sys.argv[1])
    result = {
        "sheets": [sheet(ws, wb) for ws in wb.worksheets],
        "active": wb.active.title if wb.active is not None else None,
    }
    json.dump(result, sys.stdout, ensure_ascii=False, default=str)


if __name__ == "__main__":
    main()
