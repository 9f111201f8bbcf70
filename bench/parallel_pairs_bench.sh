#!/usr/bin/env bash
# Whole `cpt cartesian` runs of 26 treatments, at 1 and at 2 threads: B = 3000
# (325 pairs of 9,000,000 differences) and B = 100,000 (325 pairs judged from
# the sorted samples). Goals on a 2-core machine: at 2 threads at least 1.7
# times faster than at 1 for 26 x 3000 and at most 1.6 s; at least 1.6 times
# for 26 x 100,000; peak memory at 2 threads at most 1.2 times that at 1.
#
#   bench/parallel_pairs_bench.sh [BUILD_DIR]    (default build/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cpt=$build/src/cli/cpt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$here/bench/support/whole_runs.sh"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-16s %8s %10s %10s %10s\n' run threads "wall (s)" "CPU (s)" "peak (MB)"
for b in 3000 100000; do
    write_treatments 26 "$b" "$work/in$b"
    declare -A wall peak
    for threads in 1 2; do
        best=$(run_cartesian "$threads" "$work/in$b")
        read -r e u s m <<< "$best"
        wall[$threads]=$e
        peak[$threads]=$m
        report "26 x $b" "$threads" "$best"
    done
    awk -v one="${wall[1]}" -v two="${wall[2]}" -v p1="${peak[1]}" -v p2="${peak[2]}" -v b="$b" \
        'BEGIN{printf "26 x %d: speed-up %.2f at 2 threads, peak memory ratio %.2f\n", b, one / two, p2 / p1}'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
