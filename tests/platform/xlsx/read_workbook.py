"""Reads a workbook back with openpyxl, an independent reader, and prints
what the tests compare: the package, the sheet, and every row with its
outline level, the type of each value and whether the cell is bold.

    read_workbook.py dump FILE [--summary]   (--summary: no row lines)
    read_workbook.py extract FILE FOLDER     (every part, for the schema check)
"""
import datetime
import os
import sys
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter


def check_package(path):
    with zipfile.ZipFile(path) as package:
        bad = package.testzip()  # reads every part and checks its CRC-32
        if bad is not None:
            raise SystemExit("bad CRC in " + bad)
        methods = {info.compress_type for info in package.infolist()}
        deflated = methods == {zipfile.ZIP_DEFLATED}
        return sorted(package.namelist()), deflated


def show(cell):
    value = cell.value
    if isinstance(value, datetime.datetime):
        if value.time() == datetime.time(0):
            text = "date(" + value.date().isoformat() + ")"
        else:
            text = "datetime(" + value.isoformat(sep=" ") + ")"
    elif isinstance(value, str) and len(value) > 60:
        text = "%s...%s (%d characters)" % (ascii(value[:10]), ascii(value[-10:]), len(value))
    else:
        text = ascii(value)
    return ("b" if cell.font is not None and cell.font.b else "") + text


def dump(path, summary):
    names, deflated = check_package(path)
    print("parts:", " ".join(names))
    print("deflated:", deflated)
    book = openpyxl.load_workbook(path)
    print("sheets:", book.sheetnames)
    sheet = book.worksheets[0]
    print("freeze:", sheet.freeze_panes)
    outline = sheet.sheet_properties.outlinePr
    print("summaryBelow:", None if outline is None else outline.summaryBelow)
    print("outlineLevelRow:", sheet.sheet_format.outlineLevelRow)
    widths = []
    for index in range(1, sheet.max_column + 1):
        letter = get_column_letter(index)
        dimension = sheet.column_dimensions.get(letter)
        if dimension is not None and dimension.customWidth:
            widths.append("%s=%r" % (letter, dimension.width))
    print("widths:", " ".join(widths))
    rows = list(sheet.iter_rows())
    print("rows:", sheet.max_row)
    sums = {}
    for row in rows:
        for cell in row:
            if isinstance(cell.value, (int, float)) and not isinstance(cell.value, bool):
                sums[cell.column_letter] = sums.get(cell.column_letter, 0) + cell.value
    print("sums:", " ".join("%s=%r" % (k, sums[k]) for k in sorted(sums)))
    if summary:
        return
    for row in rows:
        number = row[0].row
        level = sheet.row_dimensions[number].outlineLevel or 0
        print("row %d [%d]: %s" % (number, level, " | ".join(show(c) for c in row)))


def extract(path, folder):
    check_package(path)
    with zipfile.ZipFile(path) as package:
        for name in package.namelist():
            target = os.path.join(folder, name)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as out:
                out.write(package.read(name))
            print(name)


if __name__ == "__main__":
    if sys.argv[1] == "dump":
        dump(sys.argv[2], "--summary" in sys.argv[3:])
    elif sys.argv[1] == "extract":
        extract(sys.argv[2], sys.argv[3])
    else:
        raise SystemExit("unknown command " + sys.argv[1])
