#!/usr/bin/env python3
"""Reads a study table's .xlsx or .docx back with independent readers
(openpyxl, python-docx and the raw XML) and prints what they see as JSON."""
import datetime
import json
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"


def shared_strings(archive):
    """Each shared string as its runs: [text, superscript]."""
    root = ET.fromstring(archive.read("xl/sharedStrings.xml"))
    strings = []
    for si in root.findall(MAIN + "si"):
        runs = []
        plain = si.find(MAIN + "t")
        if plain is not None:
            runs.append([plain.text or "", False])
        for r in si.findall(MAIN + "r"):
            align = r.find(MAIN + "rPr/" + MAIN + "vertAlign")
            runs.append([r.find(MAIN + "t").text or "", align is not None and align.get("val") == "superscript"])
        strings.append(runs)
    return strings


def sheet_runs(archive, sheet_path, strings):
    root = ET.fromstring(archive.read(sheet_path))
    grid = {}
    for c in root.iter(MAIN + "c"):
        column, row = re.match(r"([A-Z]+)(\d+)", c.get("r")).groups()
        value = c.find(MAIN + "v")
        if c.get("t") == "s" and value is not None:
            grid.setdefault(int(row), {})[column] = strings[int(value.text)]
    return {str(row): cells for row, cells in grid.items()}


def read_xlsx(path):
    import openpyxl
    workbook = openpyxl.load_workbook(path)
    result = {"sheets": workbook.sheetnames}
    # Stored in UTC; the program's moments are local times.
    created = workbook.properties.created.replace(tzinfo=datetime.timezone.utc).astimezone()
    result["created"] = created.strftime("%Y-%m-%d %H:%M:%S")
    for name in workbook.sheetnames:
        sheet = workbook[name]
        result[name] = [[cell for cell in row] for row in sheet.iter_rows(values_only=True)]
    with zipfile.ZipFile(path) as archive:
        result["studyRuns"] = sheet_runs(archive, "xl/worksheets/sheet1.xml", shared_strings(archive))
    return result


def read_docx(path):
    import docx
    document = docx.Document(path)
    tables = []
    for table in document.tables:
        rows = []
        for row in table.rows:
            cells = []
            for cell in row.cells:
                cells.append([[run.text, bool(run.font.superscript)] for p in cell.paragraphs for run in p.runs])
            rows.append(cells)
        tables.append(rows)
    section = document.sections[0]
    return {
        "tables": tables,
        "paragraphs": [p.text for p in document.paragraphs],
        "landscape": section.page_width > section.page_height,
    }


def main():
    path = sys.argv[1]
    result = read_xlsx(path) if path.endswith(".xlsx") else read_docx(path)
    json.dump(result, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
