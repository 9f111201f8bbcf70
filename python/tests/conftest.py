"""What the tests share: a built cpt to compare with (CPT_BINARY, default
build/src/cli/cpt of the repository), and bootstrap files made from fixed
seeds."""
import json
import os
import subprocess
from pathlib import Path

import numpy
import pytest

REPOSITORY = Path(__file__).resolve().parents[2]
EXAMPLES = REPOSITORY / "examples"
FIXED_TIME = "2026-12-09 22:32:02"


@pytest.fixture(scope="session")
def cpt_binary():
    path = Path(os.environ.get("CPT_BINARY") or REPOSITORY / "build" / "src" / "cli" / "cpt")
    if not path.is_file():
        pytest.fail(f"no cpt to compare with at {path}: build it, or set CPT_BINARY")
    return str(path)


def run_cpt(cpt, command, arguments, folder, check=True):
    """cpt COMMAND --json --fixed-time ... -C FOLDER ARGUMENTS: its document
    (None when it failed) and its standard error."""
    done = subprocess.run([cpt, command, "--json", "--fixed-time", FIXED_TIME, "-C", str(folder), *map(str, arguments)],
                          capture_output=True, text=True)
    if check and done.returncode != 0:
        raise AssertionError(f"cpt {command} failed: {done.stderr}")
    return (json.loads(done.stdout) if done.returncode == 0 else None), done.stderr.strip()


def write_described(path, name, n, estimate, values, code="r"):
    """A described bootstrap file, as cpt writes them: the heading, B values,
    then -1."""
    with open(path, "w", newline="") as out:
        out.write(f'"{name}","Sample size",{n},"Bootstrap number",{len(values)},"{code}",{n},{float(estimate)!r}\r\n')
        out.write("".join(f"{float(v)!r}\r\n" for v in values))
        out.write("-1\r\n")
    return Path(path)


def seeded_treatments(count, b, seed, spread=0.012):
    """count treatments of b values near 0.2, from a fixed seed: names, sample
    sizes, estimates and values. Neighbouring means are close, so the letters
    group them."""
    rng = numpy.random.default_rng(seed)
    made = {}
    for t in range(count):
        centre = 0.2 + 0.0015 * t
        values = numpy.round(centre + rng.normal(0, spread, b), 6)
        made[f"Host {t + 1:02d}"] = (30 + t, round(centre, 4), values)
    return made


def write_seeded(folder, count, b, seed, code="r", spread=0.012):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    return [write_described(folder / f"{code}-host{k:02d}.txt", name, n, e, list(v), code)
            for k, (name, (n, e, v)) in enumerate(seeded_treatments(count, b, seed, spread).items(), start=1)]
