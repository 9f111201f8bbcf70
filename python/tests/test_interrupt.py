"""Ctrl-C stops a long run: the test runs without the GIL and its waiting
thread looks for the signal."""
import signal
import subprocess
import sys
import time

# The run once whole, to know how long it takes here, then again to be
# interrupted.
RUN = r"""
import numpy, signal, sys, time
# A process started from a background job inherits SIGINT ignored; Ctrl-C
# is what this run stands for.
signal.signal(signal.SIGINT, signal.default_int_handler)
import cartesianpt as cp
rng = numpy.random.default_rng(61)
values = {f"T{t:02d}": 0.2 + 0.0004 * t + rng.normal(0, 0.01, 100_000) for t in range(26)}
arguments = dict(sample_size={name: 40 for name in values}, estimate={name: 0.2 for name in values}, code="r",
                 threads=1)
began = time.monotonic()
cp.cartesian_test(values, **arguments)
print("whole", time.monotonic() - began, flush=True)
print("running", flush=True)
cp.cartesian_test(values, **arguments)
print("finished", flush=True)
"""


# The same for the life tables' replicates.
LIFE_RUN = r"""
import numpy, pandas, signal, sys, time
signal.signal(signal.SIGINT, signal.default_int_handler)
import cartesianpt as cp
rng = numpy.random.default_rng(5)
rows = []
for i in range(200):
    for age in range(1, int(rng.integers(20, 100)) + 1):
        rows.append(("Maize", f"i{i}", age, float(rng.poisson(3))))
records = pandas.DataFrame(rows, columns=["treatment", "individual", "age", "eggs"])
began = time.monotonic()
cp.life_table(records, bootstrap=100_000, threads=1)
print("whole", time.monotonic() - began, flush=True)
print("running", flush=True)
cp.life_table(records, bootstrap=100_000, threads=1)
print("finished", flush=True)
"""


def test_ctrl_c_ends_a_long_run_with_keyboard_interrupt():
    interrupt_run(RUN)


def test_ctrl_c_ends_the_life_tables_replicates_with_keyboard_interrupt():
    interrupt_run(LIFE_RUN)


def interrupt_run(script):
    process = subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               text=True)
    try:
        whole = float(process.stdout.readline().split()[1])
        assert process.stdout.readline().strip() == "running"
        time.sleep(0.3)  # inside the run
        assert process.poll() is None
        process.send_signal(signal.SIGINT)
        sent = time.monotonic()
        out, errors = process.communicate(timeout=120)
        ended = time.monotonic() - sent
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    assert "finished" not in out
    assert errors.rstrip().endswith("KeyboardInterrupt"), errors
    assert process.returncode != 0
    # Stopped, not run to its end and interrupted after: the goal is a
    # second, the margin is for a loaded machine.
    assert ended < whole / 3, (ended, whole)
