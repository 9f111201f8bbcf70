"""life_table(): a cohort's daily records to life tables and their bootstrap."""
from __future__ import annotations

import numbers
import os
from pathlib import Path
from typing import TYPE_CHECKING, Any, Sequence, Union

from . import _arguments as args
from . import _core
from ._core import InputError

if TYPE_CHECKING:
    import pandas

PathLike = Union[str, "os.PathLike[str]"]
ESTIMATE_COLUMNS = ("treatment", "n", "r", "lambda", "R0", "T", "GRR")
BOOTSTRAP_COLUMNS = ("treatment", "replicate", "r", "lambda", "R0", "T", "GRR")
LIFE_TABLE_COLUMNS = ("treatment", "age", "N", "lx", "E", "mx", "lxmx")


class LifeTableResult:
    """The life tables of :func:`life_table`, as ``cpt life-table`` makes them.

    Attributes
    ----------
    estimates : pandas.DataFrame
        One row per treatment: treatment, n (the cohort's n0; NaN for an
        aggregate table), r, lambda, R0, T, GRR (NaN where there is none).
    bootstrap : pandas.DataFrame
        One row per treatment and replicate: treatment, replicate (from 1),
        r, lambda, R0, T, GRR; NaN where a replicate has no value (r and T
        without offspring). An aggregate table has no replicates.
    life_table : pandas.DataFrame
        treatment, age, N, lx, E, mx, lxmx (N and E NaN in an aggregate table).
    notes : list of str
        What cpt prints besides: files not written and why, replicates dropped.
    """

    __slots__ = ("_life", "_columns", "_frames")

    def __init__(self, life: Any):
        self._life = life
        self._columns = life.columns()
        self._frames = {}

    def _frame(self, part: str, names: Sequence[str]) -> "pandas.DataFrame":
        if part not in self._frames:
            import pandas
            self._frames[part] = pandas.DataFrame({name: self._columns[part][name] for name in names})
        return self._frames[part]

    @property
    def estimates(self) -> "pandas.DataFrame":
        return self._frame("estimates", ESTIMATE_COLUMNS)

    @property
    def bootstrap(self) -> "pandas.DataFrame":
        return self._frame("bootstrap", BOOTSTRAP_COLUMNS)

    @property
    def life_table(self) -> "pandas.DataFrame":
        return self._frame("life_table", LIFE_TABLE_COLUMNS)

    @property
    def notes(self) -> list[str]:
        return list(self._life.notes)

    @property
    def parameters(self) -> list[str]:
        """The codes of the parameters whose bootstrap files are written for some treatment."""
        return self._life.parameters()

    def treatments(self, code: str = "r") -> list:
        """The parameter's treatments, as its bootstrap files read (what :func:`cartesian_test` takes)."""
        if not isinstance(code, str):
            raise InputError("code must be one string.")
        return self._life.treatments(code)

    def write_bootstrap(self, dir: PathLike = ".") -> list[Path]:
        """Write ``cpt life-table``'s files, byte for byte, into the folder dir.

        Per treatment and parameter the bootstrap result file
        ``TREATMENT-CODE.txt`` (those the zero-offspring rule lets through),
        and per treatment ``TREATMENT-life-table.csv``. A name already taken
        gets " (2)", " (3)", ...: no file is replaced; when one cannot be
        written none is left. Returns the paths written.
        """
        if not args.is_path(dir):
            raise InputError("dir must be a folder's path.")
        folder = os.fspath(dir)
        if not os.path.isdir(folder):
            raise InputError(f'The folder "{folder}" does not exist.')
        return [Path(p) for p in self._life.write(folder)]

    def __repr__(self) -> str:
        names = ", ".join(self._columns["estimates"]["treatment"])
        return f"<LifeTableResult of {names}: B = {self._life.bootstrap}>"


def _record_columns(frame: Any) -> list:
    import numpy
    import pandas
    columns = []
    for name in frame.columns:
        column = frame[name]
        if pandas.api.types.is_bool_dtype(column) or not pandas.api.types.is_numeric_dtype(column):
            cells = ["" if (cell is None or (isinstance(cell, float) and cell != cell)) else str(cell)
                     for cell in column.tolist()]
        else:
            cells = numpy.asarray(column, dtype=numpy.float64)
        columns.append((str(name), cells))
    return columns


def _choice(value: Any, argument: str, choices: Sequence[str]) -> str:
    if not isinstance(value, str) or value not in choices:
        raise InputError(f"{argument} must be " + " or ".join(f'"{c}"' for c in choices) + ".")
    return value


def life_table(records: Any, *, bootstrap: int = 100000, seed: int = 1, cohort: str = "all",
               female_offspring: float = 1.0, zero_offspring: str = "refuse", threads: int = 0) -> LifeTableResult:
    """Life tables of a cohort's daily records and their bootstrap, as ``cpt life-table``.

    Parameters
    ----------
    records : pandas.DataFrame, path or sequence of paths
        A DataFrame with the columns of a records file (long: treatment
        (optional), individual, age, eggs, sex (optional); wide: individual,
        sex (optional) and the ages 1, 2, ...; aggregate: age, lx, mx), or
        records files (.csv, .tsv, text tables, .xlsx). Without a treatment
        column a DataFrame is one treatment named "records".
    bootstrap : int, default 100000
        Replicates B per treatment, at least 2.
    seed : int, default 1
        Treatment t draws from a 64-bit Mersenne Twister seeded seed + t - 1.
    cohort : {"all", "females"}, default "all"
    female_offspring : float, default 1.0
        The female share s of the offspring, 0 < s <= 1.
    zero_offspring : {"refuse", "drop"}, default "refuse"
        Replicates without offspring have no r and T: "refuse" leaves those
        files unwritten, "drop" writes them from the other replicates.
    threads : int, default 0
        Threads for the replicates; 0 takes every core. The values do not
        depend on it.

    Returns
    -------
    LifeTableResult
        ``.estimates``, ``.bootstrap``, ``.life_table`` (pandas DataFrames),
        ``.write_bootstrap(dir)``; :func:`cartesian_test` and
        :func:`study_table` take it directly.

    Raises
    ------
    InputError
        For records or settings cpt refuses, with cpt's message.
    KeyboardInterrupt
        When Ctrl-C stops the run (it runs without the GIL).

    Examples
    --------
    >>> import cartesianpt as cpt
    >>> result = cpt.life_table("records.csv", bootstrap=1000)
    >>> result.estimates
    >>> result.write_bootstrap("out")
    >>> cpt.study_table(result)
    """
    paths = args.paths_of(records)
    if paths is None and not (type(records).__name__ == "DataFrame" and hasattr(records, "columns")):
        raise InputError("records must be a DataFrame of records (treatment, individual, age, eggs, sex; or "
                         "individual and the ages 1, 2, ...; or age, lx and mx) or paths of records files.")
    # cpt's own check of B comes after this one of the type.
    if isinstance(bootstrap, bool) or not isinstance(bootstrap, numbers.Integral) or abs(bootstrap) >= 2**63:
        raise InputError("bootstrap must be a whole number.")
    if isinstance(seed, bool) or not isinstance(seed, numbers.Integral) or not 0 <= seed < 2**64:
        raise InputError("seed must be a whole number from 0 to 2^64 - 1.")
    if isinstance(female_offspring, bool) or not isinstance(female_offspring, numbers.Real):
        raise InputError("female_offspring must be a number.")
    life = _core.life_table(None if paths is not None else _record_columns(records), paths or [], int(bootstrap), int(seed),
                            _choice(cohort, "cohort", ("all", "females")), float(female_offspring),
                            _choice(zero_offspring, "zero_offspring", ("refuse", "drop")),
                            args.whole_number(threads, "threads", 0, 256))
    return LifeTableResult(life)
