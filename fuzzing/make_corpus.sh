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

# Text tables and described files, each behind its choice byte (file name, given sizes and estimates).
mkdir -p "$out/table_text"
printf '\x0cMaize,Sorghum\n0.1,0.2\n0.3,0.4\n,0.5\n' > "$out/table_text/wide-csv"
printf '\x0d"","Maize","Sorghum"\n"1",0.1,0.2\n"2",0.3,0.4\n' > "$out/table_text/r-row-names"
printf '\x0dMaize\tSorghum\n0,1\t0,2\n0,3\t0,4\n' > "$out/table_text/wide-tsv"
printf '\x0eMaize;Sorghum\n0,1;0,2\n0,3;0,4\n' > "$out/table_text/semicolon"
printf '\x00treatment,value,n,estimate\nMaize,0.1,20,0.2\nMaize,0.2,20,0.2\nb,1,3,4\nb,2,3,4\n' > "$out/table_text/long"
printf '\x1cparameter,treatment,value\nr,a,1\nr,a,2\nR0,a,3\nR0,a,4\n' > "$out/table_text/long-parameters"
printf '\x02Maize;Sample size;20;Bootstrap number;2;r;20;0,2134\n0,1\n0,3\n' > "$out/table_text/described-semicolon"
{ printf '\x0e\xff\xfe'; printf 'a,b\n1,2\n3,4\n' | iconv -f UTF-8 -t UTF-16LE; } > "$out/table_text/utf16-table"
for file in "$examples"/*.txt; do
  seed table_text "$(basename "$file" .txt)" 02 "$file"
done

mkdir -p "$out/records"
printf '\x00treatment,individual,sex,age,eggs\nMaize,a,f,1,0\nMaize,a,f,2,3\nMaize,b,m,1,0\nBean,c,,1,0\n' > "$out/records/long"
printf '\x01individual\tsex\t1\t2\t3\na\tf\t0\t2,5\t1\nb\tm\t0\t\t\n' > "$out/records/wide-tsv"
printf '\x0cindividual;sex;1;2\na;female;0;4\nb;FEMALE;1,5;\n' > "$out/records/wide-semicolon"
printf '\x02age,lx,mx\n0,1,0\n1,0.9,0.5\n2,0.5,1.2\n' > "$out/records/aggregate"
{ printf '\x00\xff\xfe'; printf 'individual,1,2\na,0,3\n' | iconv -f UTF-8 -t UTF-16LE; } > "$out/records/utf16"

# Small workbooks made by hand with Python's zipfile (wide, long with shared
# and inline strings, two sheets), behind their choice byte.
mkdir -p "$out/xlsx"
python3 - "$out/xlsx" <<'PY'
import io, sys, zipfile
out = sys.argv[1]
ns = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" ' \
     'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
def book(name, sheets, shared, choice):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('xl/workbook.xml', '<workbook %s><sheets>%s</sheets></workbook>' % (ns, ''.join(
            '<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (s, i + 1, i + 1) for i, (s, _) in enumerate(sheets))))
        z.writestr('xl/_rels/workbook.xml.rels',
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s'
                   '</Relationships>' % ''.join('<Relationship Id="rId%d" Target="worksheets/sheet%d.xml"/>'
                                                % (i + 1, i + 1) for i in range(len(sheets))))
        z.writestr('xl/sharedStrings.xml', '<sst %s>%s</sst>' % (ns, ''.join(
            '<si><r><t>%s</t></r><r><t>%s</t></r></si>' % (s[:1], s[1:]) for s in shared)))
        for i, (_, rows) in enumerate(sheets):
            z.writestr('xl/worksheets/sheet%d.xml' % (i + 1), '<worksheet %s><sheetData>%s</sheetData></worksheet>'
                       % (ns, ''.join('<row r="%d">%s</row>' % (r + 1, cells) for r, cells in enumerate(rows))))
    with open('%s/%s' % (out, name), 'wb') as f:
        f.write(bytes([choice]) + buffer.getvalue())
wide = ['<c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>',
        '<c r="A2"><v>0.1</v></c><c r="B2"><v>0.2</v></c>',
        '<c r="A3"><v>0.30000000000000004</v></c><c r="B3"><v>1E-3</v></c>',
        '<c r="B4"><v>5</v></c>']
long = ['<c r="A1" t="inlineStr"><is><t>treatment</t></is></c><c r="B1" t="inlineStr"><is><t>value</t></is></c>'
        '<c r="C1" t="inlineStr"><is><t>n</t></is></c><c r="D1" t="inlineStr"><is><t>estimate</t></is></c>',
        '<c r="A2" t="s"><v>0</v></c><c r="B2"><v>0.1</v></c><c r="C2"><v>20</v></c><c r="D2"><v>0.2</v></c>',
        '<c r="A3" t="s"><v>0</v></c><c r="B3" t="str"><v>0.3</v></c><c r="C3"><v>20</v></c><c r="D3"><v>0.2</v></c>']
book('wide', [('Sheet1', wide)], ['Maize', 'Sorghum'], 0x03)
book('long-data', [('Notes', ['<c r="A1" t="b"><v>1</v></c>']), ('Data', long)], ['Maize'], 0x04)
PY

