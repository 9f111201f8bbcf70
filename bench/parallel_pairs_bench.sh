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

write_treatments() {  # B FOLDER
    python3 - "$1" "$2" <<'PY'
import random, sys, os
b, folder = int(sys.argv[1]), sys.argv[2]
os.makedirs(folder, exist_ok=True)
rng = random.Random(20261210)
for t in range(1, 27):
    centre = 0.2 + 0.0015 * t
    with open(os.path.join(folder, f"host{t:02d}.txt"), "w", newline="") as out:
        out.write(f'"Host {t}","Sample size",40,"Bootstrap number",{b},"r",40,{centre:.4f}\r\n')
        for _ in range(b):
            out.write(f"{centre + rng.gauss(0, 0.012):.6f}\r\n")
        out.write("-1\r\n")
PY
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-12s %8s %10s %10s %10s\n' run threads "wall (s)" "CPU (s)" "peak (MB)"
for b in 3000 100000; do
    write_treatments "$b" "$work/in$b"
    declare -A wall peak
    for threads in 1 2; do
        best=""
        for repeat in 1 2 3; do
            mkdir -p "$work/out"
            /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$cpt" cartesian --threads "$threads" \
                --fixed-time "2026-12-10 12:00:00" -C "$work/out" "$work/in$b"/host*.txt > /dev/null
            read -r e u s m < "$work/time"
            rm -rf "$work/out"
            if [[ -z $best ]] || awk "BEGIN{exit !($e < ${best%% *})}"; then best="$e $u $s $m"; fi
        done
        read -r e u s m <<< "$best"
        wall[$threads]=$e
        peak[$threads]=$m
        printf '%-12s %8s %10s %10.2f %10.1f\n' "26 x $b" "$threads" "$e" "$(awk "BEGIN{print $u + $s}")" \
            "$(awk "BEGIN{print $m / 1024}")"
    done
    awk -v one="${wall[1]}" -v two="${wall[2]}" -v p1="${peak[1]}" -v p2="${peak[2]}" -v b="$b" \
        'BEGIN{printf "26 x %d: speed-up %.2f at 2 threads, peak memory ratio %.2f\n", b, one / two, p2 / p1}'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
