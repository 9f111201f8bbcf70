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
