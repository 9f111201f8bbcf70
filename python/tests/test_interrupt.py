"""Ctrl-C stops a long run: the test runs without the GIL and its waiting
thread looks for the signal."""
import signal
import subprocess
import sys
import time

RUN = r"""
import numpy, sys
import cartesianpt as cp
rng = numpy.random.default_rng(61)
values = {f"T{t:02d}": 0.2 + 0.0004 * t + rng.normal(0, 0.01, 100_000) for t in range(26)}
sizes = {name: 40 for name in values}
estimates = {name: 0.2 for name in values}
print("running", flush=True)
cp.cartesian_test(values, sample_size=sizes, estimate=estimates, code="r")
print("finished", flush=True)
"""


def test_ctrl_c_ends_a_long_run_with_keyboard_interrupt():
    process = subprocess.Popen([sys.executable, "-c", RUN], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               text=True)
    try:
        assert process.stdout.readline().strip() == "running"
        time.sleep(1.0)  # well inside the run
        assert process.poll() is None
        process.send_signal(signal.SIGINT)
        sent = time.monotonic()
        out, errors = process.communicate(timeout=60)
        ended = time.monotonic() - sent
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    assert "finished" not in out
    assert errors.rstrip().endswith("KeyboardInterrupt"), errors
    assert process.returncode != 0
    # A second is the goal; the margin is for a loaded machine.
    assert ended < 10, ended
