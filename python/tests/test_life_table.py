"""life_table(): the same numbers and files as cpt life-table, from a
DataFrame or from files; its refusals in cpt's words."""
import io
import math
from pathlib import Path

import numpy
import pandas
import pytest

import cartesianpt as cpt
from conftest import run_cpt

RECORDS = """treatment,individual,age,eggs,sex
A,a1,1,0,f
A,a1,2,3,f
A,a1,3,5,f
A,a2,1,0,m
A,a2,2,0,m
A,a3,1,0,f
A,a3,2,2,f
A,a3,3,4,f
A,a3,4,1.5,f
B,b1,1,0,f
B,b1,2,6,f
B,b2,1,1,f
B,b2,2,0,f
B,b2,3,2,f
B,b3,1,0,m
"""

CASES = [
    ({"seed": 7, "zero_offspring": "drop"}, ["--seed", "7", "--zero-offspring", "drop"]),
    ({"cohort": "females", "female_offspring": 0.5}, ["--cohort", "females", "--female-offspring", "0.5"]),
]


@pytest.fixture
def records_file(tmp_path):
    path = tmp_path / "records.csv"
    path.write_text(RECORDS)
    return path


def folder_bytes(folder):
    return {p.name: p.read_bytes() for p in sorted(Path(folder).iterdir())}


def same_float(a, b):
    return (a is None and math.isnan(b)) or (a is not None and numpy.float64(a).tobytes() == numpy.float64(b).tobytes())


@pytest.mark.parametrize("settings,options", CASES)
def test_equals_cpt_life_table_to_the_bit_and_its_files_byte_for_byte(cpt_binary, records_file, tmp_path,
                                                                      settings, options):
    (tmp_path / "cpt").mkdir()
    (tmp_path / "py").mkdir()
    document, _ = run_cpt(cpt_binary, "life-table", [records_file, "--bootstrap", "300", *options], tmp_path / "cpt")
    result = cpt.life_table(pandas.read_csv(records_file), bootstrap=300, threads=2, **settings)
    result.write_bootstrap(tmp_path / "py")
    assert folder_bytes(tmp_path / "py") == folder_bytes(tmp_path / "cpt")
    estimates = result.estimates
    for k, treatment in enumerate(document["treatments"]):
        row = estimates.iloc[k]
        assert row["treatment"] == treatment["name"]
        assert row["n"] == treatment["n"]
        for code in ("r", "lambda", "R0", "T", "GRR"):
            assert same_float(treatment["estimates"][code], row[code]), (treatment["name"], code)
        boot = result.bootstrap[result.bootstrap["treatment"] == treatment["name"]]
        assert list(boot["replicate"]) == list(range(1, 301))
        # r and T are missing exactly where a replicate had no offspring.
        assert list(boot["r"].isna()) == list(boot["R0"] == 0)
        assert list(boot["T"].isna()) == list(boot["R0"] == 0)
        assert int((boot["R0"] == 0).sum()) == treatment["zero_offspring"]
        for code, values in treatment["bootstrap"].items():
            if values["written"]:
                kept = boot[code].dropna().to_numpy()
                assert len(kept) == values["replicates"]


def test_a_dataframe_gives_what_the_same_records_in_a_file_give(records_file):
    frame = cpt.life_table(pandas.read_csv(records_file), bootstrap=50, zero_offspring="drop", threads=1)
    file = cpt.life_table(records_file, bootstrap=50, zero_offspring="drop", threads=2)
    for part in ("estimates", "bootstrap", "life_table"):
        pandas.testing.assert_frame_equal(getattr(frame, part), getattr(file, part), check_exact=True)
    assert list(frame.life_table.columns) == ["treatment", "age", "N", "lx", "E", "mx", "lxmx"]
    assert list(frame.bootstrap.columns) == ["treatment", "replicate", "r", "lambda", "R0", "T", "GRR"]
    assert list(frame.estimates.columns) == ["treatment", "n", "r", "lambda", "R0", "T", "GRR"]


def test_cartesian_test_and_study_table_take_the_result_as_its_bootstrap_files(records_file, tmp_path):
    result = cpt.life_table(records_file, bootstrap=60, zero_offspring="drop", threads=1)
    files = result.write_bootstrap(tmp_path)
    direct = cpt.cartesian_test(result, code="R0")
    read = cpt.cartesian_test([p for p in files if p.name.endswith("-R0.txt")])
    columns = ["name", "n", "B", "estimate", "mean", "SE", "letters"]
    pandas.testing.assert_frame_equal(direct.treatments[columns], read.treatments[columns], check_exact=True)
    pandas.testing.assert_frame_equal(direct.pairs, read.pairs, check_exact=True)
    assert cpt.cartesian_test(result).parameter == "r"
    table = cpt.study_table(result)
    assert list(dict.fromkeys(table["parameter"])) == ["r", "lambda", "R0", "T", "GRR"]
    from_files = cpt.study_table([p for p in files if p.suffix == ".txt"])
    pandas.testing.assert_frame_equal(pandas.DataFrame(table), pandas.DataFrame(from_files), check_exact=True)


BAD_EGGS = RECORDS.replace("A,a1,2,3,f", "A,a1,2,-1,f")


def bad_eggs(records_file):
    return pandas.read_csv(io.StringIO(BAD_EGGS))


@pytest.mark.parametrize("make,arguments,text", [
    (lambda f: f, {"bootstrap": 1}, "bootstrap must be at least 2"),
    (lambda f: f, {"female_offspring": 0}, "female_offspring"),
    (lambda f: f, {"cohort": "males"}, "cohort must be"),
    (lambda f: pandas.read_csv(f)[["treatment", "individual", "age", "eggs"]], {"cohort": "females"},
     'has no column sex, but cohort="females"'),
    (lambda f: 42, {}, "records must be a DataFrame"),
    (lambda f: f.parent / "no such records.csv", {}, "no such records.csv"),
    (bad_eggs, {"bootstrap": 10}, 'The records records cannot be used: row 2, column 4 (individual "a1"'),
])
def test_refusals_raise_input_error_with_cpt_text(records_file, make, arguments, text):
    with pytest.raises(cpt.InputError) as raised:
        cpt.life_table(make(records_file), **arguments)
    assert text in str(raised.value)


def test_a_bad_record_in_a_dataframe_has_the_file_readers_message(records_file, tmp_path):
    frame = bad_eggs(records_file)
    path = tmp_path / "bad.csv"
    path.write_text(BAD_EGGS)
    with pytest.raises(cpt.InputError) as in_file:
        cpt.life_table(path, bootstrap=10)
    with pytest.raises(cpt.InputError) as in_frame:
        cpt.life_table(frame, bootstrap=10)
    expected = str(in_file.value).replace(f'The file "{path}"', "The records records").replace("row 3,", "row 2,")
    assert str(in_frame.value) == expected
