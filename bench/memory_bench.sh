#!/usr/bin/env bash
# Peak memory of whole `cpt cartesian` runs: 4 treatments of 1,000,000 values
# (6 pairs judged from sorted samples) and 4 of 3000 (6 listed pairs), at 1
# and at 2 threads, next to the idle program's (`cpt cartesian --help`).
# Goals: 4 x 1,000,000 at most 80 MB; 4 x 3000 at most 4 MB above the idle
# program. Each run is the fastest of 3; the load average is printed before
# and after, as other work on the machine shows in the times.
#
#   bench/memory_bench.sh [BUILD_DIR]    (default build/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cpt=$build/src/cli/cpt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$here/bench/support/whole_runs.sh"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-16s %8s %10s %10s %10s\n' run threads "wall (s)" "CPU (s)" "peak (MB)"
report "idle (--help)" - "$(best_of_3 "$cpt" cartesian --help)"
for b in 3000 1000000; do
    write_treatments 4 "$b" "$work/in$b"
    for threads in 1 2; do
        report "4 x $b" "$threads" "$(run_cartesian "$threads" "$work/in$b")"
    done
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
