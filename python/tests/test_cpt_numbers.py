"""Every column and figure of a run is cpt's, to the bit."""
import struct
from pathlib import Path

import numpy
import pytest

import cartesianpt as cp
from conftest import run_cpt, seeded_treatments, write_described, write_seeded

# The document's name of each column.
TREATMENT_FIELDS = {"number": "number", "name": "name", "code": "code", "n": "sampleSize", "B": "B",
                    "estimate": "pointEstimate", "mean": "mean", "SE": "SE", "letters": "letters"}
PAIR_FIELDS = {"first": "first", "second": "second", "mean_difference": "differenceMean", "sd": "differenceSD",
               "t_lower": "tLower", "t_upper": "tUpper", "percentile_lower": "percentileLower",
               "percentile_upper": "percentileUpper", "significant": "significantCount",
               "not_significant": "notSignificantCount", "p_value": "pValue"}


def bits(value):
    """A number as its exact bits (0.0 and -0.0 differ), anything else as itself."""
    if isinstance(value, (float, numpy.floating)):
        return struct.pack("<d", float(value)).hex()
    if isinstance(value, (int, numpy.integer)) and not isinstance(value, bool):
        return int(value)
    return value


def mismatches(result, document):
    found = []

    def compare(label, got, want):
        if [bits(v) for v in got] != [bits(v) for v in want]:
            found.append(f"{label}: {list(got)} instead of {list(want)}")

    for column, field in TREATMENT_FIELDS.items():
        compare(f"treatments.{column}", result.treatments[column], [t[field] for t in document["treatments"]])
    names = [t["name"] for t in document["treatments"]]
    for column, field in PAIR_FIELDS.items():
        compare(f"pairs.{column}", result.pairs[column], [p[field] for p in document["pairs"]])
    compare("pairs.first_name", result.pairs["first_name"], [names[p["first"] - 1] for p in document["pairs"]])
    compare("pairs.second_name", result.pairs["second_name"], [names[p["second"] - 1] for p in document["pairs"]])
    compare("anova", list(result.anova), [document["F"], document["dfBetween"], document["dfWithin"]])
    compare("sidak_alpha", [result.sidak_alpha], [document["sidakAlpha"]])
    return found


# count, B, seed, reversed, transformation, threads
CASES = {
    "4 treatments": (4, 3000, 11, False, "none", 0),
    "4 reversed": (4, 3000, 12, True, "none", 1),
    "4 arcsine": (4, 3000, 13, False, "arcsine", 2),
    "4 logit": (4, 500, 14, True, "logit", 0),
    "26 treatments": (26, 600, 15, False, "none", 0),
    "26 reversed, one thread": (26, 300, 16, True, "none", 1),
}


@pytest.mark.parametrize("case", CASES.values(), ids=CASES.keys())
def test_a_run_from_files_is_cpts(case, cpt_binary, tmp_path):
    count, b, seed, reversed_, transformation, threads = case
    files = write_seeded(tmp_path / "in", count, b, seed)
    options = (["--reversed"] if reversed_ else []) + ["--transformation", transformation]
    document, _ = run_cpt(cpt_binary, "cartesian", options + files, tmp_path)
    result = cp.cartesian_test(files, reversed=reversed_, transformation=transformation, threads=threads)
    assert mismatches(result, document) == []
    assert result.parameter == "r"
    # Read first, then tested: the same numbers.
    read = cp.read_bootstrap(files)
    again = cp.cartesian_test(read, reversed=reversed_, transformation=transformation, threads=threads)
    assert mismatches(again, document) == []


def test_the_examples_are_cpts(cpt_binary, tmp_path, examples=("Maize.txt", "Sorghum.txt", "Wheat.txt")):
    from conftest import EXAMPLES
    files = [EXAMPLES / f for f in examples]
    document, _ = run_cpt(cpt_binary, "cartesian", files, tmp_path)
    assert mismatches(cp.cartesian_test(files), document) == []


def test_value_b_plus_1_counts_in_the_order_as_cpt_reads_it(cpt_binary, tmp_path):
    # Two treatments whose plain means order one way and whose ordering
    # means (value B + 1 counted) the other: only a reading with the
    # transformation gives cpt's order when the test transforms.
    low = tmp_path / "low.txt"
    high = tmp_path / "high.txt"
    for path, name, values, extra in ((low, "Low", [0.30, 0.31, 0.32], 0.99), (high, "High", [0.31, 0.315, 0.32], 0.0)):
        with open(path, "w", newline="") as out:
            out.write(f'"{name}","Sample size",10,"Bootstrap number",3,"r",10,0.31\r\n')
            out.write("".join(f"{v}\r\n" for v in values + [extra, 0.5]))
    for transformation in ("none", "arcsine"):
        document, _ = run_cpt(cpt_binary, "cartesian", ["--transformation", transformation, low, high], tmp_path)
        read = cp.read_bootstrap([low, high])
        assert mismatches(cp.cartesian_test(read, transformation=transformation), document) == []
        assert mismatches(cp.cartesian_test([low, high], transformation=transformation), document) == []


@pytest.mark.parametrize("transformation", ["none", "arcsine"])
def test_a_mapping_of_arrays_is_the_same_values_in_described_files(transformation, tmp_path):
    made = seeded_treatments(5, 2000, 21)
    files = [write_described(tmp_path / f"t{k}.txt", name, n, e, v) for k, (name, (n, e, v)) in enumerate(made.items())]
    from_files = cp.cartesian_test(files, transformation=transformation)
    mapping = {name: values for name, (_, _, values) in made.items()}
    from_arrays = cp.cartesian_test(mapping, transformation=transformation, code="r",
                                    sample_size={name: n for name, (n, _, _) in made.items()},
                                    estimate={name: e for name, (_, e, _) in made.items()})
    for part in ("treatments", "pairs"):
        got, want = getattr(from_arrays, part), getattr(from_files, part)
        assert list(got.columns) == list(want.columns)
        for column in got.columns:
            assert [bits(v) for v in got[column]] == [bits(v) for v in want[column]], (part, column)
    assert [bits(v) for v in from_arrays.anova] == [bits(v) for v in from_files.anova]
    assert bits(from_arrays.sidak_alpha) == bits(from_files.sidak_alpha)


def test_a_data_frame_of_unequal_columns_drops_their_padding():
    import pandas
    frame = pandas.DataFrame({"A": [0.1, 0.2, 0.3, 0.4], "B": [0.2, 0.3, 0.35, numpy.nan]})
    sizes, estimates = {"A": 10, "B": 12}, {"A": 0.25, "B": 0.28}
    padded = cp.cartesian_test(frame, sample_size=sizes, estimate=estimates)
    plain = cp.cartesian_test({"A": [0.1, 0.2, 0.3, 0.4], "B": [0.2, 0.3, 0.35]}, sample_size=sizes,
                              estimate=estimates)
    # B (mean 0.2833, 3 values) comes before A (mean 0.25, 4 values).
    assert padded.treatments["B"].tolist() == [3, 4]
    assert padded.treatments.equals(plain.treatments) and padded.pairs.equals(plain.pairs)


def test_the_data_frames_have_the_r_packages_columns():
    result = cp.cartesian_test({"A": [0.1, 0.2, 0.3], "B": [0.2, 0.3, 0.4]}, sample_size={"A": 5, "B": 5},
                               estimate={"A": 0.2, "B": 0.3})
    assert list(result.treatments.columns) == ["number", "name", "code", "n", "B", "estimate", "mean", "SE",
                                               "letters"]
    assert list(result.pairs.columns) == ["first", "second", "first_name", "second_name", "mean_difference", "sd",
                                          "t_lower", "t_upper", "percentile_lower", "percentile_upper",
                                          "significant", "not_significant", "p_value"]
    assert result.treatments["name"].tolist() == ["B", "A"]
    assert result.treatments["code"].tolist() == ["value", "value"]


def long_table(folder):
    """Two parameters of two treatments, one row a value."""
    rows = ["Parameter,Treatment,n,Estimate,Value"]
    rng = numpy.random.default_rng(71)
    for name, n, centre in (("Maize", 20, 0.21), ("Sorghum", 22, 0.19)):
        for k, value in enumerate(centre + rng.normal(0, 0.01, 300)):
            rows.append(f'r,"{name}",{n},{centre},{value!r}')
            rows.append(f'R0,"{name}",{n},2.5,{k + 1}')
    path = folder / "long.csv"
    path.write_text("\r\n".join(rows) + "\r\n")
    return path


XLSX = Path(__file__).resolve().parents[2] / "r" / "cartesianpt" / "tests" / "testthat" / "fixtures" / "r.xlsx"
SIZES = {"Ma\u00efs": 20, "Sorghum": 22}
ESTIMATES = {"Ma\u00efs": 0.2134, "Sorghum": 0.1875}

# files made in the folder, cpt's options, read_bootstrap's arguments
TABLE_CASES = {
    "a long table's parameter r": (long_table, ["--parameter", "r"], {"parameter": "r"}),
    "a long table's parameter R0, equal treatments": (long_table, ["--parameter", "R0"], {"parameter": "R0"}),
    "a workbook's sheet by name": (
        lambda folder: XLSX,
        ["--sheet", "r values", *[f"--sample-size={k}={v}" for k, v in SIZES.items()],
         *[f"--estimate={k}={v}" for k, v in ESTIMATES.items()]],
        {"sheet": "r values", "sample_size": SIZES, "estimate": ESTIMATES}),
}


@pytest.mark.parametrize("case", TABLE_CASES.values(), ids=TABLE_CASES.keys())
def test_tables_are_read_as_cpt_reads_them(case, cpt_binary, tmp_path):
    make, options, arguments = case
    path = make(tmp_path)
    document, _ = run_cpt(cpt_binary, "cartesian", options + [path], tmp_path)
    assert mismatches(cp.cartesian_test(cp.read_bootstrap(path, **arguments)), document) == []
