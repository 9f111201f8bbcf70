"""A treatment's values are a read-only view of its own storage."""
import gc
import subprocess
import sys

import numpy
import pytest

import cartesianpt as cp
from conftest import EXAMPLES


def test_values_are_a_read_only_float64_view_without_a_copy():
    maize = cp.read_bootstrap(EXAMPLES / "Maize.txt")[0]
    first, second = maize.values, maize.values
    assert first.dtype == numpy.float64 and first.shape == (200,)
    assert numpy.shares_memory(first, second)
    with pytest.raises(ValueError):
        first[0] = 1.0
    assert first[0] == 0.146652 and first[-1] == 0.144591


def test_the_values_keep_their_treatment_alive():
    values = cp.read_bootstrap(EXAMPLES / "Maize.txt")[0].values
    gc.collect()
    junk = [numpy.ones(200) for _ in range(100)]
    assert values[0] == 0.146652 and values[-1] == 0.144591 and len(junk) == 100


def test_a_treatment_has_its_files_fields():
    maize, wheat = cp.read_bootstrap([EXAMPLES / "Maize.txt", EXAMPLES / "Wheat.txt"])
    assert (maize.name, maize.code, maize.n, maize.estimate, maize.B) == ("Maize", "r", 60, 0.1512, 200)
    assert wheat.file == str((EXAMPLES / "Wheat.txt").resolve())
    assert "Maize" in repr(maize)


def test_importing_leaves_pandas_until_a_data_frame_is_made():
    code = ("import sys, cartesianpt as cp; before = 'pandas' in sys.modules; "
            "r = cp.cartesian_test({'A': [0.1, 0.2], 'B': [0.3, 0.4]}, sample_size={'A': 5, 'B': 5}, "
            "estimate={'A': 0.1, 'B': 0.3}); between = 'pandas' in sys.modules; r.treatments; "
            "print(before, between, 'pandas' in sys.modules)")
    shown = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True).stdout.split()
    assert shown == ["False", "False", "True"]
