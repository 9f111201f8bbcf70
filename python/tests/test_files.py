"""write_report() and the study table's files are cpt's, byte for byte."""
import hashlib

import pytest

import cartesianpt as cp
from conftest import EXAMPLES, FIXED_TIME, run_cpt, write_seeded

EXAMPLE_FILES = [EXAMPLES / f for f in ("Maize.txt", "Sorghum.txt", "Wheat.txt")]


def contents(folder):
    return {p.name: hashlib.sha256(p.read_bytes()).hexdigest() for p in sorted(folder.iterdir())}


# files, cpt's options, cartesian_test's and write_report's arguments
REPORTS = {
    "examples": (EXAMPLE_FILES, [], {}, {}),
    "reversed with a code": (EXAMPLE_FILES, ["--reversed", "--code", "trial"], {"reversed": True}, {"code": "trial"}),
    "arcsine": (EXAMPLE_FILES, ["--transformation", "arcsine"], {"transformation": "arcsine"}, {}),
    "differences": (EXAMPLE_FILES[:2], ["--differences"], {}, {"differences": True}),
}


@pytest.mark.parametrize("case", REPORTS.values(), ids=REPORTS.keys())
def test_write_report_writes_cpts_files(case, cpt_binary, tmp_path):
    files, options, test_arguments, report_arguments = case
    (tmp_path / "cpt").mkdir()
    (tmp_path / "py").mkdir()
    run_cpt(cpt_binary, "cartesian", options + files, tmp_path / "cpt")
    result = cp.cartesian_test(files, **test_arguments)
    written = result.write_report(tmp_path / "py", fixed_time=FIXED_TIME, **report_arguments)
    assert contents(tmp_path / "py") == contents(tmp_path / "cpt")
    assert written.report.parent == tmp_path / "py" and written.report.is_file()
    assert len(written.difference_files) == (6 if report_arguments.get("differences") else 0)


def test_a_second_report_never_replaces_the_first(tmp_path):
    result = cp.cartesian_test(EXAMPLE_FILES)
    first = result.write_report(tmp_path, fixed_time=FIXED_TIME).report
    kept = first.read_bytes()
    second = result.write_report(tmp_path, fixed_time=FIXED_TIME).report
    assert second != first and first.read_bytes() == kept == second.read_bytes()


def test_a_report_carries_the_moments_of_its_run_not_of_the_call(tmp_path):
    import time
    result = cp.cartesian_test(EXAMPLE_FILES)
    first = result.write_report(tmp_path, code="a").report
    time.sleep(1.1)  # the clock moves on; the run's moments stay
    second = result.write_report(tmp_path, code="a").report
    assert first != second and first.read_bytes() == second.read_bytes()


def make_study_files(folder):
    """Three hosts of two parameters, r and R0, in described files: in r all
    three are alike, in R0 the first and the last differ (so that the
    letters follow the order of the means)."""
    return (write_seeded(folder, 3, 400, 31, code="r", spread=0.0015) +
            write_seeded(folder, 3, 400, 32, code="R0", spread=0.0008))


@pytest.mark.parametrize("reversed_", [False, True], ids=["", "reversed"])
def test_study_files_are_cpts(reversed_, cpt_binary, tmp_path):
    inputs = make_study_files(tmp_path / "in")
    (tmp_path / "cpt").mkdir()
    (tmp_path / "py").mkdir()
    options = ["--format", "all", "--digits", "3"] + (["--reversed"] if reversed_ else [])
    document, _ = run_cpt(cpt_binary, "study", options + inputs, tmp_path / "cpt")
    table = cp.study_table(inputs, digits=3, reversed=reversed_)
    written = table.write(tmp_path / "py", formats="all", fixed_time=FIXED_TIME)
    assert [p.name for p in written] == ["study-table." + e for e in ("csv", "xlsx", "html", "tex", "md", "docx")]
    cpt_tables = {n: h for n, h in contents(tmp_path / "cpt").items() if n.startswith("study-table")}
    assert contents(tmp_path / "py") == cpt_tables
    rows = document["rows"]
    for column in ("parameter", "treatment", "n", "B", "estimate", "SE", "cell"):
        assert table[column].tolist() == [r[column] for r in rows], column
    assert table["letters"].tolist() == [r["letters"] or "" for r in rows]
    assert table.note == document["note"]


def test_a_study_of_results_is_the_study_of_their_files(tmp_path):
    inputs = make_study_files(tmp_path / "in")
    runs = {"r": cp.cartesian_test(inputs[:3]), "R0": cp.cartesian_test(cp.read_bootstrap(inputs[3:]))}
    order = ["Host 03", "Host 01", "Host 02"]
    from_results = cp.study_table(runs, order=order)
    from_files = cp.study_table(inputs, order=order)
    assert from_results.equals(from_files)
    (tmp_path / "a").mkdir()
    (tmp_path / "b").mkdir()
    from_results.write(tmp_path / "a", formats=["csv", "md", "docx"], fixed_time=FIXED_TIME)
    from_files.write(tmp_path / "b", formats=["csv", "md", "docx"], fixed_time=FIXED_TIME)
    assert contents(tmp_path / "a") == contents(tmp_path / "b")
    assert from_results.columns_order == order


def test_study_files_never_replace_a_table(tmp_path):
    table = cp.study_table(make_study_files(tmp_path / "in"))
    first = table.write(tmp_path, formats=["csv"], fixed_time=FIXED_TIME)
    second = table.write(tmp_path, formats=["csv", "md"], fixed_time=FIXED_TIME)
    assert [p.name for p in second] == ["study-table (2).csv", "study-table (2).md"]
    assert first[0].read_bytes() == second[0].read_bytes()
