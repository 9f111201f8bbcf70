#!/usr/bin/env bash
# Assembles the seed corpus of every fuzz target into OUT/<target>/ from the
# example files and the test fixtures, each behind the answer byte its entry
# point reads first. Usage: fuzzing/make_corpus.sh OUT
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: make_corpus.sh OUT}
examples=$here/examples
fixtures=$here/tests/core/cartesian/fixtures
rm -rf "$out"

# seed TARGET NAME ANSWER-BYTE FILE... : the byte, then the files joined by form feeds.
seed() {
  local target=$1 name=$2 byte=$3 first=1
  shift 3
  mkdir -p "$out/$target"
  {
    printf "\\x$byte"
    for file in "$@"; do
      [ $first -eq 1 ] || printf '\f'
      first=0
      cat "$file"
    done
  } > "$out/$target/$name"
}
# line TARGET TEXT... : one seed per text.
line() {
  local target=$1 n=0
  shift
  mkdir -p "$out/$target"
  for text in "$@"; do
    n=$((n + 1))
    printf '%s' "$text" > "$out/$target/seed-$n"
  done
}

n=0
for file in "$examples"/*.txt "$fixtures"/*.txt "$fixtures"/differences/*.txt; do
  n=$((n + 1))
  # all texts; text, label, integer, label (a treatment heading); numbers
  for byte in 00 ec 55; do seed field_reader "$n-$byte" $byte "$file"; done
done

# count 2, 3, 4 (plain, reversed, maintainer with arcsine, logit)
seed treatment_input examples-2 00 "$examples/Maize.txt" "$examples/Sorghum.txt"
seed treatment_input examples-3 01 "$examples/Maize.txt" "$examples/Sorghum.txt" "$examples/Wheat.txt"
seed treatment_input examples-3-reversed 41 "$examples/Wheat.txt" "$examples/Maize.txt" "$examples/Sorghum.txt"
seed treatment_input fixtures-4 02 "$fixtures/kale_2_6.txt" "$fixtures/cabbage_1_2.txt" "$fixtures/radish_1_3.txt" \
  "$fixtures/mustard_0_1_5.txt"
seed treatment_input means-3-arcsine 0d "$fixtures/mean_010.txt" "$fixtures/mean_020.txt" "$fixtures/mean_030.txt"
seed treatment_input means-2-logit 14 "$fixtures/mean_010.txt" "$fixtures/mean_030.txt"
seed treatment_input cabbage-2 00 "$fixtures/cabbage_1_2.txt" "$fixtures/cabbage_1_5.txt"

# general (Yes), bootstrap (No), paired-test results (Cancel); serial numbers; decimals -1, 0, 3, 15
seed sort_count egg-general 00 "$examples/Egg duration.txt"
seed sort_count egg-general-0 08 "$examples/Egg duration.txt"
seed sort_count maize-boot 01 "$examples/Maize.txt"
seed sort_count maize-boot-3 11 "$examples/Maize.txt"
seed sort_count kale-boot-15 19 "$fixtures/kale_3_5.txt"
n=0
for file in "$fixtures"/differences/*.txt; do
  n=$((n + 1))
  seed sort_count "differences-$n" 02 "$file"
  seed sort_count "differences-$n-serial" 06 "$file"
done

answers=("2" "3 trees" "-1" "+4" " 4" ".5" "-.25" "1.5E-3" "2e" "1e+400" "1e-400" "no idea" "" "0" "15")
line numeric_answer "${answers[@]}"
line decimal_parse "${answers[@]}" "0.151200" "-0" "9000000" "1.79769313486232E+308" "4.94065645841247E-324"
line fixed_time "2026-12-09 22:32:02" "2024-02-29 00:00:00" "1970-01-01 00:00:00" "9999-12-31 23:59:59" \
  "2023-02-29 12:00:00" "2026-12-09"
