# What the benches of whole `cpt cartesian` runs share; sourced by them after
# they set `work` (a scratch folder).

write_treatments() {  # COUNT B FOLDER: COUNT described files of B values each
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

report() {  # RUN THREADS "wall user sys maxrss_kB": one row of the table
    local e u s m
    read -r e u s m <<< "$3"
    printf '%-16s %8s %10s %10.2f %10.1f\n' "$1" "$2" "$e" "$(awk "BEGIN{print $u + $s}")" \
        "$(awk "BEGIN{print $m / 1024}")"
}

run_cartesian() {  # THREADS FOLDER: the fastest of 3 whole runs of the folder's treatments
    best_of_3 "$cpt" cartesian --threads "$1" --fixed-time "2026-12-10 12:00:00" -C "$work/out" "$2"/host*.txt
}
