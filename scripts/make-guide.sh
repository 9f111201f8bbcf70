#!/usr/bin/env bash
# Makes the user guide: runs the built cpt on the example files (with a fixed
# time, so that every build writes the same guide), cuts excerpts of what it
# printed and wrote, puts each in place of its marker line
# "<!-- output: NAME -->" in docs/guide.md, and renders the result with
# pandoc into OUT/guide.html, with the figures cpt drew in OUT/guide-pictures/.
# Usage: scripts/make-guide.sh CPT OUT
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cpt=$(realpath "$1")
out=$2
moment="2026-12-09 22:32:02"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
snippets=$work/snippets
mkdir -p "$snippets" "$work/run/out" "$work/pictures"
cp "$here"/examples/Maize.txt "$here"/examples/Sorghum.txt "$here"/examples/Wheat.txt \
   "$here/examples/Egg duration.txt" "$work/run/"
cd "$work/run"

# cpt as a reader types it: the name cpt, paths relative to the run folder.
as_cpt() { (exec -a cpt "$cpt" "$@"); }
unfold() { tr -d '\r' | sed "s|$work/run/||g"; }
snippet() { unfold >"$snippets/$1.txt"; }
# The lines from the first matching START to the first matching END after it.
between() { awk -v start="$1" -v end="$2" 'on == 0 && $0 ~ start {on = 1} on {print} on && $0 ~ end && !($0 ~ start) {exit}'; }
# The first lines of a file, a mark that lines were left out, and its last lines.
ends() { { head -n "$2" "$1"; echo "..."; tail -n "$3" "$1"; } | unfold; }

ends Maize.txt 6 2 >"$snippets/maize-file.txt"
ends "Egg duration.txt" 5 2 >"$snippets/egg-file.txt"

examples=(Maize.txt Sorghum.txt Wheat.txt)
echo "cpt cartesian -C out --figures pictures ${examples[*]}" >"$snippets/cartesian-command.txt"
as_cpt cartesian -C out --fixed-time "$moment" --figures pictures "${examples[@]}" | snippet cartesian-printed
report=$(ls out/*.txt)
tr -d '\r' <"$report" >report.txt
between '^Program:' '^Table 1' <report.txt | snippet report-title
between '^Project:' 'there is significant difference between them' <report.txt | snippet report-analysis
between '^Comparison between' '^ *$' <report.txt | snippet report-pair
between '^ Table 3\.' '^ \*:' <report.txt | snippet report-table3
between '^ Table 5\.' '^ \*:' <report.txt | snippet report-table5
between '^ Table 7\.' 'ended at' <report.txt | snippet report-letters
between '^Main references:' 'Insect Science' <report.txt | snippet report-main-references
between '^References:' 'Ecology' <report.txt | snippet report-references
cp pictures/means.svg pictures/pair-1-2.svg "$work/pictures/"

mkdir json-out code-out
as_cpt cartesian -C json-out --fixed-time "$moment" --json "${examples[@]}" >results.json
{ head -n 22 results.json; echo "..."; } | sed 's|json-out/|out/|' | snippet cartesian-json
as_cpt cartesian -C code-out --reversed --code trial --fixed-time "$moment" Maize.txt Wheat.txt | sed 's|code-out/|out/|' | snippet cartesian-code-printed

echo "cpt sort-count --kind general \"Egg duration.txt\"" >"$snippets/sort-count-command.txt"
as_cpt sort-count --kind general --fixed-time "$moment" "Egg duration.txt" | snippet sort-count-printed
{ cat "Egg duration-1_0.025, 0.5 and 0.975 E1.txt"; } | snippet sort-count-percentiles
head -n 9 "Egg duration-2_Sorted.txt" | snippet sort-count-sorted
cat "Egg duration-3_Sorted and counts.txt" | snippet sort-count-counts

as_cpt --help | snippet help
as_cpt cartesian --help | snippet help-cartesian
as_cpt sort-count --help | snippet help-sort-count

# Two treatments of 3001 values: 9,006,001 differences, just over what a
# difference file lists.
large() {
  awk -v name="$1" -v shift="$2" 'BEGIN {
    printf "\"%s\",\"Sample size\",40,\"Bootstrap number\",3001,\"r\",40,%.4f\r\n", name, 0.15 + shift
    for (k = 0; k < 3001; k++) printf "%.6f\r\n", 0.15 + shift + (k % 11 - 5) * 0.001
    printf "-1\r\n" }' >"$1.txt"
}
large Early 0.004
large Late 0
mkdir large-out
echo "cpt cartesian -C large-out --differences Early.txt Late.txt" >"$snippets/refusal-command.txt"
status=0
as_cpt cartesian -C large-out --differences Early.txt Late.txt >/dev/null 2>refusal.txt || status=$?
if [ "$status" -ne 1 ] || [ -n "$(ls large-out)" ]; then
  echo "make-guide.sh: the run with too large difference files ended with status $status or wrote files" >&2
  exit 1
fi
snippet refusal <refusal.txt

# The same values as tables: wide (a column per treatment) and long (a row
# per value, with each treatment's sample size and estimate).
values() { tr -d '\r' <"$1.txt" | sed -n '2,201p'; }
{ echo "Maize,Sorghum,Wheat"; paste -d, <(values Maize) <(values Sorghum) <(values Wheat); } >r.csv
{ head -n 4 r.csv; echo "..."; } | snippet wide-file
heading_field() { tr -d '\r' <"$1.txt" | head -n 1 | cut -d, -f"$2"; }
# In a folder of its own, since its name gives the parameter code as well.
mkdir long
{
  echo "treatment,n,estimate,value"
  for crop in Maize Sorghum Wheat; do
    values "$crop" | sed "s/^/$crop,$(heading_field "$crop" 3),$(heading_field "$crop" 8),/"
  done
} >long/r.csv
{ head -n 3 long/r.csv; echo "..."; sed -n '201,202p' long/r.csv; echo "..."; } | snippet long-file
mkdir wide-out long-out
status=0
as_cpt cartesian -C wide-out r.csv >/dev/null 2>wide-missing.txt || status=$?
if [ "$status" -ne 1 ] || [ -n "$(ls wide-out)" ]; then
  echo "make-guide.sh: the table without sample sizes ended with status $status or wrote files" >&2
  exit 1
fi
{ echo "cpt cartesian -C out r.csv"; cat wide-missing.txt; } | snippet wide-missing
given=(--sample-size Maize=60 --sample-size Sorghum=55 --sample-size Wheat=58
       --estimate Maize=0.1512 --estimate Sorghum=0.1389 --estimate Wheat=0.1371)
{ echo "cpt cartesian -C out \\"; echo "    --sample-size Maize=60 --sample-size Sorghum=55 --sample-size Wheat=58 \\"
  echo "    --estimate Maize=0.1512 --estimate Sorghum=0.1389 --estimate Wheat=0.1371 r.csv"; } | snippet wide-command
as_cpt cartesian -C wide-out --fixed-time "$moment" "${given[@]}" r.csv >/dev/null
as_cpt cartesian -C long-out --fixed-time "$moment" long/r.csv >/dev/null
for table_out in wide-out long-out; do
  if ! cmp -s "$report" "$table_out/$(basename "$report")"; then
    echo "make-guide.sh: the report from the table in $table_out is not the report of the example files" >&2
    exit 1
  fi
done
# Maize.txt as a spreadsheet in a European language saves it.
tr -d '\r' <Maize.txt | sed '1s/,/;/g; s/\./,/' | head -n 3 | snippet semicolon-file

# A study of three parameters in one long table: r, and the finite rate
# lambda = exp(r) and the doubling time DT = ln 2 / r of each bootstrap value.
{
  echo "parameter,treatment,n,estimate,value"
  for crop in Maize Sorghum Wheat; do
    n=$(heading_field "$crop" 3)
    estimate=$(heading_field "$crop" 8)
    values "$crop" | awk -v crop="$crop" -v n="$n" -v e="$estimate" '
      { r[NR] = $1 }
      END {
        for (k = 1; k <= NR; k++) printf "r,%s,%s,%s,%s\n", crop, n, e, r[k]
        for (k = 1; k <= NR; k++) printf "lambda,%s,%s,%.6f,%.6f\n", crop, n, exp(e), exp(r[k])
        for (k = 1; k <= NR; k++) printf "DT,%s,%s,%.4f,%.4f\n", crop, n, log(2) / e, log(2) / r[k]
      }'
  done
} >study.csv
{ head -n 3 study.csv; echo "..."; } | snippet study-file
mkdir study-out
echo "cpt study -C out --format csv,md,html,docx study.csv" | snippet study-command
as_cpt study -C study-out --fixed-time "$moment" --format csv,md,html,docx study.csv | sed 's|study-out/|out/|' | snippet study-printed
mkdir study-figure-out
as_cpt study -C study-figure-out --fixed-time "$moment" --format csv --figures study.csv >/dev/null
cp study-figure-out/study-figure.svg "$work/pictures/"
tr -d '\r' <study-out/study-table.md | snippet study-table-md
tr -d '\r' <study-out/study-table.csv | sed '1s/^\xEF\xBB\xBF//' | head -n 5 | snippet study-csv

for file in "$snippets"/*.txt; do
  if [ ! -s "$file" ]; then
    echo "make-guide.sh: the excerpt $(basename "$file" .txt) came out empty" >&2
    exit 1
  fi
done

# Each marker line becomes a block of its excerpt; a marker without an
# excerpt stops the guide.
awk -v dir="$snippets" '
  /^<!-- output: [a-z0-9-]+ -->$/ {
    name = $3; file = dir "/" name ".txt"
    if ((getline line < file) <= 0) { print "make-guide.sh: no excerpt named " name > "/dev/stderr"; failed = 1; exit 1 }
    print "~~~~~~~~"; print line
    while ((getline line < file) > 0) print line
    print "~~~~~~~~"; close(file); next
  }
  # The same without the code block: the excerpt is Markdown of its own.
  /^<!-- include: [a-z0-9-]+ -->$/ {
    name = $3; file = dir "/" name ".txt"
    if ((getline line < file) <= 0) { print "make-guide.sh: no excerpt named " name > "/dev/stderr"; failed = 1; exit 1 }
    print line
    while ((getline line < file) > 0) print line
    close(file); next
  }
  { print }
  END { if (failed) exit 1 }' "$here/docs/guide.md" >"$work/guide.md"

mkdir -p "$out"
pandoc --from markdown --to html5 --standalone --template "$here/docs/guide-template.html" \
       --toc --toc-depth 2 --output "$work/guide.html" "$work/guide.md"
for picture in $(grep -o 'src="[^"]*"' "$work/guide.html" | sed 's/^src="//; s/"$//'); do
  if [ ! -f "$work/pictures/${picture#guide-pictures/}" ]; then
    echo "make-guide.sh: the guide shows $picture, which was not made" >&2
    exit 1
  fi
done
rm -rf "$out/guide-pictures"
cp -r "$work/pictures" "$out/guide-pictures"
mv "$work/guide.html" "$out/guide.html"
echo "Made the guide: $out/guide.html"
