#!/usr/bin/env python3
"""Runs cpt on the example files and writes what the R package must give,
every double as a hexadecimal literal (R reads those exactly; its decimal
reading is off in the last bit for some numbers).

    r-cpt-expectations.py CPT EXAMPLES_DIR OUT_DIR

writes OUT_DIR/helper-cpt-expected.R and the reports in OUT_DIR/reports/.
"""
import hashlib
import json
import os
import subprocess
import sys
import tempfile

FIXED_TIME = "2026-12-09 22:32:02"

# name, files, reversed, transformation, report code (None: no report kept)
CASES = [
    ("entry_order", ["Maize.txt", "Sorghum.txt", "Wheat.txt"], False, "none", "1"),
    ("reversed", ["Maize.txt", "Wheat.txt", "Sorghum.txt"], True, "none", "trial"),
    ("arcsine", ["Maize.txt", "Sorghum.txt", "Wheat.txt"], False, "arcsine", "1"),
    ("logit", ["Sorghum.txt", "Wheat.txt"], False, "logit", None),
]
# The difference files of one run: their names and MD5 sums.
DIFFERENCES = ("differences", ["Maize.txt", "Wheat.txt"])


def number(value):
    if value is None:
        return "NA_real_"
    return float(value).hex()


def text(value):
    return "NA_character_" if value is None else json.dumps(value)


def column(values, form):
    return "c(" + ", ".join(form(v) for v in values) + ")"


def run_cpt(cpt, examples, files, folder, options):
    command = [cpt, "cartesian", "-C", folder, "--json", "--fixed-time", FIXED_TIME] + options
    command += [os.path.join(examples, f) for f in files]
    return json.loads(subprocess.run(command, check=True, capture_output=True, text=True).stdout)


def case_source(name, files, reversed_, transformation, document, report_name):
    t = document["treatments"]
    p = document["pairs"]
    integer = lambda v: "%dL" % v
    count = lambda v: "%d" % v
    lines = [f"  {name} = list(",
             f"    files = {column(files, text)}, reversed = {'TRUE' if reversed_ else 'FALSE'},"
             f" transformation = {text(transformation)},",
             f"    treatments = data.frame(number = {column([x['number'] for x in t], integer)},",
             f"      name = {column([x['name'] for x in t], text)}, code = {column([x['code'] for x in t], text)},",
             f"      n = {column([x['sampleSize'] for x in t], integer)}, B = {column([x['B'] for x in t], integer)},",
             f"      estimate = {column([x['pointEstimate'] for x in t], number)},",
             f"      mean = {column([x['mean'] for x in t], number)}, SE = {column([x['SE'] for x in t], number)},",
             f"      letters = {column([x['letters'] for x in t], text)}, stringsAsFactors = FALSE),",
             f"    pairs = data.frame(first = {column([x['first'] for x in p], integer)},",
             f"      second = {column([x['second'] for x in p], integer)},",
             f"      mean_difference = {column([x['differenceMean'] for x in p], number)},",
             f"      sd = {column([x['differenceSD'] for x in p], number)},",
             f"      t_lower = {column([x['tLower'] for x in p], number)}, t_upper = {column([x['tUpper'] for x in p], number)},",
             f"      percentile_lower = {column([x['percentileLower'] for x in p], number)},",
             f"      percentile_upper = {column([x['percentileUpper'] for x in p], number)},",
             f"      significant = {column([x['significantCount'] for x in p], count)},",
             f"      not_significant = {column([x['notSignificantCount'] for x in p], count)},",
             f"      p_value = {column([x['pValue'] for x in p], number)}),",
             f"    F = {number(document['F'])}, df_between = {number(document['dfBetween'])},"
             f" df_within = {number(document['dfWithin'])}, sidak_alpha = {number(document['sidakAlpha'])},",
             f"    report_name = {text(report_name)})"]
    return "\n".join(lines)


def main():
    cpt, examples, out = sys.argv[1:4]
    os.makedirs(os.path.join(out, "reports"), exist_ok=True)
    sources = []
    for name, files, reversed_, transformation, code in CASES:
        options = (["--reversed"] if reversed_ else []) + (["--transformation", transformation] if transformation != "none" else [])
        options += ["--code", code or "1"]
        with tempfile.TemporaryDirectory() as folder:
            document = run_cpt(cpt, examples, files, folder, options)
            report = document["report"]
            report_name = os.path.basename(report) if code else None
            if code:
                with open(report, "rb") as written, open(os.path.join(out, "reports", name + ".txt"), "wb") as kept:
                    kept.write(written.read())
        sources.append(case_source(name, files, reversed_, transformation, document, report_name))
    name, files = DIFFERENCES
    with tempfile.TemporaryDirectory() as folder:
        document = run_cpt(cpt, examples, files, folder, ["--differences"])
        sums = []
        for path in document["files"]:
            with open(path, "rb") as written:
                sums.append((os.path.basename(path), hashlib.md5(written.read()).hexdigest()))
    with open(os.path.join(out, "helper-cpt-expected.R"), "w") as target:
        target.write("# What cpt cartesian --json --fixed-time \"%s\" gives for the example files, made by\n"
                     "# scripts/r-cpt-expectations.py; do not edit. Doubles in hexadecimal, read exactly.\n" % FIXED_TIME)
        target.write("cpt_fixed_time <- %s\n\n" % json.dumps(FIXED_TIME))
        target.write("cpt_expected <- list(\n" + ",\n".join(sources) + ")\n\n")
        target.write("cpt_difference_files <- list(files = %s,\n  names = %s,\n  md5 = %s)\n" % (
            column(files, text), column([s[0] for s in sums], text), column([s[1] for s in sums], text)))


if __name__ == "__main__":
    main()
