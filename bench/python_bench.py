#!/usr/bin/env python3
"""Times the Python package cartesianpt against its goals:

- ``import cartesianpt`` (pandas waits until a DataFrame is made);
- cartesian_test() of 4 treatments of B = 3000 from files, both DataFrames
  made: at most 0.15 s a call once imported (median of 20);
- 26 treatments of B = 100,000 from files, the report written: within 1.1
  times cpt cartesian's time for the same files (best of 3 each).

    /usr/bin/python3 bench/python_bench.py [CPT]

CPT defaults to build/src/cli/cpt. Run it with the package installed (or
built in place in python/). Prints wall and CPU seconds and the load average.
"""
import os
import random
import resource
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

here = Path(__file__).resolve().parents[1]
cpt = sys.argv[1] if len(sys.argv) > 1 else str(here / "build" / "src" / "cli" / "cpt")
FIXED_TIME = "2026-12-10 12:00:00"


def write_treatments(count, b, folder):
    """As bench/support/whole_runs.sh writes them."""
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(20261210)
    paths = []
    for t in range(1, count + 1):
        centre = 0.2 + 0.0015 * t
        path = folder / f"host{t:02d}.txt"
        with open(path, "w", newline="") as out:
            out.write(f'"Host {t}","Sample size",40,"Bootstrap number",{b},"r",40,{centre:.4f}\r\n')
            out.write("".join(f"{centre + rng.gauss(0, 0.012):.6f}\r\n" for _ in range(b)))
            out.write("-1\r\n")
        paths.append(path)
    return paths


def cpu_seconds(who):
    usage = resource.getrusage(who)
    return usage.ru_utime + usage.ru_stime


def load():
    return " ".join(Path("/proc/loadavg").read_text().split()[:3])


def import_cost():
    code = ("import sys, time; t = time.perf_counter(); import cartesianpt; "
            "print(time.perf_counter() - t, 'pandas' in sys.modules)")
    runs = []
    for _ in range(5):
        seconds, pandas = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                                         check=True).stdout.split()
        runs.append(float(seconds))
    return statistics.median(runs), pandas == "True"


def main():
    seconds, pandas = import_cost()
    print(f"import cartesianpt: {seconds * 1000:.1f} ms (median of 5; pandas imported: {pandas})  load {load()}")

    import cartesianpt as cp
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        small = write_treatments(4, 3000, work / "small")
        result = cp.cartesian_test(small)
        result.treatments, result.pairs  # pandas imported once, before the timing
        walls, cpus = [], []
        for _ in range(20):
            wall, cpu = time.perf_counter(), cpu_seconds(resource.RUSAGE_SELF)
            result = cp.cartesian_test(small)
            result.treatments, result.pairs
            walls.append(time.perf_counter() - wall)
            cpus.append(cpu_seconds(resource.RUSAGE_SELF) - cpu)
        wall = statistics.median(walls)
        print(f"cartesian_test, 4 x 3,000 from files, DataFrames made: {wall:.3f} s wall, "
              f"{statistics.median(cpus):.3f} s CPU (median of 20; goal 0.15 s)"
              f"{'  OVER THE GOAL' if wall > 0.15 else ''}  load {load()}")

        large = write_treatments(26, 100_000, work / "large")
        out = work / "out"
        out.mkdir()
        cpt_best = python_best = None
        for _ in range(3):
            wall, cpu = time.perf_counter(), cpu_seconds(resource.RUSAGE_CHILDREN)
            subprocess.run([cpt, "cartesian", "--fixed-time", FIXED_TIME, "-C", str(out), *map(str, large)],
                           check=True, stdout=subprocess.DEVNULL)
            run = (time.perf_counter() - wall, cpu_seconds(resource.RUSAGE_CHILDREN) - cpu)
            cpt_best = run if cpt_best is None or run[0] < cpt_best[0] else cpt_best
            wall, cpu = time.perf_counter(), cpu_seconds(resource.RUSAGE_SELF)
            cp.cartesian_test(large).write_report(out, fixed_time=FIXED_TIME)
            run = (time.perf_counter() - wall, cpu_seconds(resource.RUSAGE_SELF) - cpu)
            python_best = run if python_best is None or run[0] < python_best[0] else python_best
        ratio = python_best[0] / cpt_best[0]
        print(f"26 x 100,000 from files, report written: cpt {cpt_best[0]:.2f} s wall {cpt_best[1]:.2f} s CPU, "
              f"cartesianpt {python_best[0]:.2f} s wall {python_best[1]:.2f} s CPU (best of 3 each): "
              f"{ratio:.2f} times (goal 1.1){'  OVER THE GOAL' if ratio > 1.1 else ''}  load {load()}")


if __name__ == "__main__":
    main()
