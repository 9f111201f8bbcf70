"""Ctrl-C stops a long run: the test runs without the GIL and its waiting
thread looks for the signal."""
import signal
import subprocess
import sys
import time

# The run once whole, to know how long it takes here, then again to be
# interrupted.
RUN = r"""
import numpy, sys, time
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


def test_ctrl_c_ends_a_long_run_with_keyboard_interrupt():
    process = subprocess.Popen([sys.executable, "-c", RUN], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
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
