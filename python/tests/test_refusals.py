"""Input the test cannot take raises InputError, a ValueError, with cpt's
words."""
import math

import numpy
import pytest

import cartesianpt as cp
from conftest import EXAMPLES, run_cpt, write_described, write_seeded


def bad_heading(folder):
    path = folder / "bad.txt"
    path.write_text('"Bad","Sample size",many,"Bootstrap number",3,"r",10,0.2\r\n0.1\r\n0.2\r\n0.3\r\n')
    return [EXAMPLES / "Maize.txt", path]


def beyond_logit(folder):
    good = write_described(folder / "a.txt", "A", 10, 0.5, [0.4, 0.5, 0.6])
    bad = write_described(folder / "b.txt", "B", 10, 0.5, [0.4, 1.5, 0.6])
    return [good, bad]


def table_without_sizes(folder):
    path = folder / "table.csv"
    path.write_text("A,B\n0.1,0.2\n0.2,0.3\n0.3,0.4\n")
    return [path]


# name: (files made in the folder, cpt's extra options, cartesian_test's arguments)
CASES = {
    "one treatment": (lambda folder: [EXAMPLES / "Maize.txt"], [], {}),
    "27 treatments": (lambda folder: write_seeded(folder, 27, 20, 41), [], {}),
    "a wrong heading": (bad_heading, [], {}),
    "a value beyond the logit": (beyond_logit, ["--transformation", "logit"], {"transformation": "logit"}),
    "a table without sample sizes": (table_without_sizes, [], {}),
    "a sample size for no treatment": (lambda folder: [EXAMPLES / "Maize.txt", EXAMPLES / "Wheat.txt"],
                                       ["--sample-size", "Nope=5"], {"sample_size": {"Nope": 5}}),
    "an estimate for no treatment": (lambda folder: [EXAMPLES / "Maize.txt", EXAMPLES / "Wheat.txt"],
                                     ["--estimate", "Nope=0.5"], {"estimate": {"Nope": 0.5}}),
}


@pytest.mark.parametrize("case", CASES.values(), ids=CASES.keys())
def test_a_refusal_carries_cpts_message(case, cpt_binary, tmp_path):
    make, options, arguments = case
    files = make(tmp_path)
    document, message = run_cpt(cpt_binary, "cartesian", options + files, tmp_path, check=False)
    assert document is None and message
    with pytest.raises(cp.InputError) as raised:
        cp.cartesian_test(files, **arguments)
    assert str(raised.value) == message
    assert isinstance(raised.value, ValueError)


def test_read_bootstrap_refuses_with_cpts_message_too(cpt_binary, tmp_path):
    files = bad_heading(tmp_path)
    _, message = run_cpt(cpt_binary, "cartesian", files, tmp_path, check=False)
    with pytest.raises(cp.InputError, match="^" + message.replace("(", r"\(").replace(")", r"\)") + "$"):
        cp.read_bootstrap(files)


VALUES = {"A": [0.1, 0.2, 0.3], "B": [0.2, 0.3, 0.4]}
SIZES = {"A": 10, "B": 12}
ESTIMATES = {"A": 0.2, "B": 0.3}

# arguments of cartesian_test, and the message
ARGUMENT_CASES = [
    ({"x": VALUES, "estimate": ESTIMATES}, 'Treatment "A" has no sample size: give it as sample_size={"A": 60}.'),
    ({"x": VALUES, "sample_size": SIZES}, 'Treatment "A" has no estimate: give it as estimate={"A": 0.1512}.'),
    ({"x": VALUES, "sample_size": {"A": 10, "B": 2.5}, "estimate": ESTIMATES},
     'Treatment "B": sample_size 2.5 is not a whole number of at least 1.'),
    ({"x": VALUES, "sample_size": {**SIZES, "C": 3}, "estimate": ESTIMATES},
     'sample_size and estimate name treatments x does not have: "C".'),
    ({"x": {"A": [0.1, math.nan, 0.3], "B": [0.2, 0.3]}, "sample_size": SIZES, "estimate": ESTIMATES},
     'Treatment 1 ("A"): bootstrap value 2 is NaN, but a bootstrap value must lie between -1E+150 and 1E+150.'),
    ({"x": {"A": [0.1, 2e150], "B": [0.2, 0.3]}, "sample_size": SIZES, "estimate": ESTIMATES},
     'Treatment 1 ("A"): bootstrap value 2 is 2E+150, but a bootstrap value must lie between -1E+150 and 1E+150.'),
    ({"x": {"A": ["a", "b"], "B": [0.2, 0.3]}, "sample_size": SIZES, "estimate": ESTIMATES},
     'Treatment "A" is not numeric.'),
    ({"x": VALUES, "sample_size": SIZES, "estimate": ESTIMATES, "threads": -1},
     "threads must be a whole number of at least 0."),
    ({"x": VALUES, "sample_size": SIZES, "estimate": ESTIMATES, "reversed": "yes"},
     "reversed must be True or False."),
    ({"x": VALUES, "sample_size": SIZES, "estimate": ESTIMATES, "transformation": "log"},
     'The transformation is "none", "arcsine" or "logit", not "log".'),
    ({"x": 42}, "x must be bootstrap file paths, Treatments from read_bootstrap(), or a mapping of treatment names "
                "to arrays of values (a DataFrame of columns too)."),
    ({"x": [EXAMPLES / "Maize.txt", EXAMPLES / "Wheat.txt"], "code": "r"},
     "x names bootstrap files, which give their own parameter code; leave code out."),
]


@pytest.mark.parametrize("arguments, message", ARGUMENT_CASES)
def test_arguments_are_refused_by_name(arguments, message):
    with pytest.raises(cp.InputError) as raised:
        cp.cartesian_test(**arguments)
    assert str(raised.value) == message


def test_treatments_read_give_their_own_sizes():
    read = cp.read_bootstrap([EXAMPLES / "Maize.txt", EXAMPLES / "Wheat.txt"])
    with pytest.raises(cp.InputError, match="^x comes from bootstrap files, which give their own sample sizes; "
                                            "leave sample_size out.$"):
        cp.cartesian_test(read, sample_size={"Maize": 3})


def test_a_study_refuses_an_order_that_leaves_a_treatment_out(tmp_path):
    files = write_seeded(tmp_path, 3, 50, 51)
    with pytest.raises(cp.InputError):
        cp.study_table(files, order=["Host 01", "Host 02"])
    with pytest.raises(cp.InputError, match='^The study table has no format "pdf": give csv, xlsx, html, tex, md, '
                                            'docx or all.$'):
        cp.study_table(files).write(tmp_path, formats=["pdf"])
