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

write_treatments() {  # COUNT B FOLDER
    python3 - "$1" "$2" "$3" <<'PY'
import random, sys, os
count, b, folder = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
os.makedirs(folder, exist_ok=True)
rng = random.Random(20261210)
for t in range(1, count + 1):
    centre = 0.2 + 0.0015 * t
    with open(os.path.join(folder, f"host{t:02d}.txt"), "w", newline="") as out:
        out.write(f'"Host {t}","Sample size",40,"Bootstrap number",{b},"r",40,{centre:.4f}\r\n')
        out.write("".join(f"{centre + rng.gauss(0, 0.012):.6f}\r\n" for _ in range(b)))
        out.write("-1\r\n")
PY
}

best_of_3() {  # prints "wall user sys maxrss_kB" of the fastest of 3 runs of "$@"
    local best="" e u s m
    for repeat in 1 2 3; do
        mkdir -p "$work/out"
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > /dev/null
        read -r e u s m < "$work/time"
        rm -rf "$work/out"
        if [[ -z $best ]] || awk "BEGIN{exit !($e < ${best%% *})}"; then best="$e $u $s $m"; fi
    done
    echo "$best"
}

report() {  # RUN THREADS "wall user sys maxrss_kB"
    local e u s m
    read -r e u s m <<< "$3"
    printf '%-16s %8s %10s %10.2f %10.1f\n' "$1" "$2" "$e" "$(awk "BEGIN{print $u + $s}")" \
        "$(awk "BEGIN{print $m / 1024}")"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-16s %8s %10s %10s %10s\n' run threads "wall (s)" "CPU (s)" "peak (MB)"
report "idle (--help)" - "$(best_of_3 "$cpt" cartesian --help)"
for spec in "4 3000" "4 1000000"; do
    read -r count b <<< "$spec"
    write_treatments "$count" "$b" "$work/in$b"
    for threads in 1 2; do
        report "$count x $b" "$threads" "$(best_of_3 "$cpt" cartesian --threads "$threads" \
            --fixed-time "2026-12-10 12:00:00" -C "$work/out" "$work/in$b"/host*.txt)"
    done
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
