#!/usr/bin/env bash
# Writes the small example files in examples/: three treatments of 200
# bootstrap values of the intrinsic rate of increase (r, per day), and one
# general data file of developmental durations. The values come from a fixed
# seed, so running it again gives the same files.
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/examples
mkdir -p "$out"

# treatment NAME CODE SAMPLE_SIZE POINT_ESTIMATE MEAN SD SEED
treatment() {
  awk -v name="$1" -v code="$2" -v n="$3" -v point="$4" -v mean="$5" -v sd="$6" -v seed="$7" -v b=200 '
    function uniform() { state = (state * 1103515245 + 12345) % 2147483648; return (state + 0.5) / 2147483648 }
    function normal() { return sqrt(-2 * log(uniform())) * cos(6.283185307179586 * uniform()) }
    BEGIN {
      state = seed
      printf "\"%s\",\"Sample size\",%d,\"Bootstrap number\",%d,\"%s\",%d,%.6f\r\n", name, n, b, code, n, point
      for (k = 1; k <= b; k++) printf "%.6f\r\n", mean + sd * normal()
      printf "-1\r\n"
    }' > "$out/$1.txt"
}

treatment "Maize" "r" 60 0.1512 0.1508 0.0061 11
treatment "Sorghum" "r" 55 0.1389 0.1392 0.0068 23
treatment "Wheat" "r" 58 0.1371 0.1369 0.0072 37

# A general data file: project, a label, code, then durations in days and -1.
awk -v seed=41 '
  function uniform() { state = (state * 1103515245 + 12345) % 2147483648; return (state + 0.5) / 2147483648 }
  BEGIN {
    state = seed
    printf "\"Egg duration\",\"days\",\"E1\"\r\n"
    for (k = 1; k <= 120; k++) printf "%d\r\n", 3 + int(uniform() * 3) + int(uniform() * 3)
    printf "-1\r\n"
  }' > "$out/Egg duration.txt"
echo "Wrote the examples to $out"
