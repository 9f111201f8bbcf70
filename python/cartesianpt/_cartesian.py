"""read_bootstrap(), cartesian_test() and the result they give."""
from __future__ import annotations

import os
from collections.abc import Mapping, Sequence
from pathlib import Path
from typing import TYPE_CHECKING, Any, NamedTuple, Optional, Union

from . import _arguments as args
from . import _core
from ._core import InputError, Treatment

if TYPE_CHECKING:
    import pandas

PathLike = Union[str, "os.PathLike[str]"]
TRANSFORMATIONS = ("none", "arcsine", "logit")


def read_bootstrap(path: Union[PathLike, Sequence[PathLike]], *, parameter: Optional[str] = None,
                   sheet: Optional[str] = None, sample_size: Union[int, Mapping[str, int], None] = None,
                   estimate: Optional[Mapping[str, float]] = None) -> list[Treatment]:
    """Read bootstrap result files or tables, as ``cpt`` reads them.

    Parameters
    ----------
    path : path or sequence of paths
        Described bootstrap files (UTF-8 or UTF-16, commas or semicolons with
        decimal commas), wide or long text tables, or ``.xlsx`` workbooks.
    parameter : str, optional
        The parameter code of a table without a parameter column, or the one
        parameter to take from a table that has several (``--parameter``).
    sheet : str, optional
        The sheet of a workbook; by default its first (``--sheet``).
    sample_size : int or mapping of str to int, optional
        A table's missing sample sizes: one number for every treatment, or
        numbers by treatment name (``--sample-size``).
    estimate : mapping of str to float, optional
        A table's missing full-sample estimates by treatment name
        (``--estimate``).

    Returns
    -------
    list of Treatment
        The files' treatments one after another, in the order given. Each has
        ``name``, ``code``, ``n``, ``estimate``, ``B``, ``source``, ``file``
        and ``values`` (a read-only float64 array over its own storage).

    Raises
    ------
    InputError
        For a file that cannot be read or is wrong, naming the file and the
        place in ``cpt``'s words.
    """
    paths = args.paths_of(path)
    if paths is None:
        raise InputError("path must name one or more bootstrap result files or tables.")
    size, sizes = args.sample_size_options(sample_size)
    return _core.read_files(paths, args.optional_text(parameter, "parameter"), args.optional_text(sheet, "sheet"),
                            size, sizes, args.estimate_options(estimate), "none")


class Anova(NamedTuple):
    """The one-way analysis of variance of the treatments' bootstrap values."""
    F: Optional[float]  # None when the within-groups mean square is 0
    df_between: float
    df_within: float


class WrittenReport(NamedTuple):
    """What write_report() wrote: the report and, when asked, the difference files."""
    report: Path
    difference_files: list[Path]


def _frame(columns: Mapping[str, Any], names: Sequence[str]) -> "pandas.DataFrame":
    import pandas
    return pandas.DataFrame({name: columns[name] for name in names})


TREATMENT_COLUMNS = ("number", "name", "code", "n", "B", "estimate", "mean", "SE", "letters")
PAIR_COLUMNS = ("first", "second", "first_name", "second_name", "mean_difference", "sd", "t_lower", "t_upper",
                "percentile_lower", "percentile_upper", "significant", "not_significant", "p_value")


class CartesianResult:
    """The result of one Cartesian paired test, from :func:`cartesian_test`.

    Attributes
    ----------
    treatments : pandas.DataFrame
        One row per treatment in mean order (descending; reversed:
        ascending): number, name, code, n, B, estimate, mean, SE, letters
        (None when the groups of similar treatments outnumber the letters).
    pairs : pandas.DataFrame
        One row per pair (1, 2), (1, 3), ..., numbered as the treatments:
        first, second, first_name, second_name, mean_difference, sd,
        t_lower, t_upper, percentile_lower, percentile_upper, significant,
        not_significant, p_value.
    anova : Anova
        F (None when undefined), df_between, df_within.
    sidak_alpha : float
        The Sidak-corrected alpha for the number of pairs.
    parameter : str
        The parameter code, as the report's "Parameter:".
    """

    __slots__ = ("_run", "_columns", "_treatments", "_pairs")

    def __init__(self, run: Any):
        self._run = run
        self._columns = run.columns()
        self._treatments = None
        self._pairs = None

    @property
    def treatments(self) -> "pandas.DataFrame":
        if self._treatments is None:
            self._treatments = _frame(self._columns["treatments"], TREATMENT_COLUMNS)
        return self._treatments

    @property
    def pairs(self) -> "pandas.DataFrame":
        if self._pairs is None:
            self._pairs = _frame(self._columns["pairs"], PAIR_COLUMNS)
        return self._pairs

    @property
    def anova(self) -> Anova:
        c = self._columns
        return Anova(c["F"], c["df_between"], c["df_within"])

    @property
    def sidak_alpha(self) -> float:
        return self._columns["sidak_alpha"]

    @property
    def parameter(self) -> str:
        return self._columns["parameter"]

    @property
    def reversed(self) -> bool:
        return self._run.reversed

    @property
    def transformation(self) -> str:
        return self._run.transformation

    def write_report(self, dir: PathLike = ".", *, code: Optional[str] = None, fixed_time: Optional[str] = None,
                     differences: bool = False) -> WrittenReport:
        """Write ``cpt``'s report of this run into a folder, byte for byte.

        Parameters
        ----------
        dir : path, default "."
            The folder; an existing file is never replaced (" (2)" and so on
            are added to the name, as ``cpt`` does).
        code : str, optional
            The code in the report's name, as ``cpt --code``; "1" (the
            default) gives the date-time form.
        fixed_time : str, optional
            The moment to stamp, as "2026-12-09 22:32:02" (``--fixed-time``);
            by default the moments the run began and ended.
        differences : bool, default False
            Write the difference files as well (``--differences``); the test
            then runs again, and the stamps are those of that run.

        Returns
        -------
        WrittenReport
            The report's path and the difference files' paths.
        """
        folder = os.fspath(dir) if args.is_path(dir) else None
        if folder is None:
            raise InputError("dir must be a path.")
        code = "1" if code is None else args.optional_text(code, "code")
        fixed_time = "" if fixed_time is None else args.optional_text(fixed_time, "fixed_time")
        report, files = _core.write_report(self._run, folder, code, fixed_time, args.flag(differences, "differences"))
        return WrittenReport(Path(report), [Path(f) for f in files])

    def __repr__(self) -> str:
        c = self._columns
        t = c["treatments"]
        count = len(t["name"])
        ascending = " (ascending means)" if self.reversed else ""
        lines = [f"Cartesian paired test of {self.parameter}: {count} treatments, "
                 f"{len(c['pairs']['first'])} pairs{ascending}",
                 f"F = {c['F']:.6g} (df {c['df_between']:g} and {c['df_within']:g}), "
                 f"Sidak alpha = {c['sidak_alpha']:.6g}" if c["F"] is not None else
                 f"F undefined (df {c['df_between']:g} and {c['df_within']:g}), "
                 f"Sidak alpha = {c['sidak_alpha']:.6g}"]
        for k in range(count):
            letters = t["letters"][k] if t["letters"][k] is not None else "-"
            lines.append(f"{k + 1:>3} {t['name'][k]}: n = {t['n'][k]}, B = {t['B'][k]}, "
                         f"estimate = {t['estimate'][k]:.6g}, mean = {t['mean'][k]:.6g}, "
                         f"SE = {t['SE'][k]:.6g}, {letters}")
        return "\n".join(lines)


FILES_GIVE = {"sample_size": "sample sizes", "estimate": "estimates", "code": "parameter code"}


def _treatments_from_columns(x: Any, sample_size: Any, estimate: Any, code: Optional[str]) -> list[Treatment]:
    import numpy
    padded = not isinstance(x, Mapping)  # a DataFrame: shorter columns end in NaN
    names = list(x.keys())
    if not names:
        raise InputError("x holds no treatment.")
    for name in names:
        if not isinstance(name, str) or name == "":
            raise InputError("Every treatment of x needs a name (the keys of the mapping, or the column names).")
    if len(set(names)) != len(names):
        twice = next(n for k, n in enumerate(names) if n in names[:k])
        raise InputError(f'Treatment "{twice}" is given twice.')
    for argument, given in (("sample_size", sample_size), ("estimate", estimate)):
        if given is not None and not isinstance(given, Mapping):
            raise InputError(f'{argument} must give a number for each treatment of x by name, as '
                             f'{argument}={{"{names[0]}": {60 if argument == "sample_size" else 0.1512}}}.')
    unknown = [n for n in list(sample_size or {}) + list(estimate or {}) if n not in names]
    if unknown:
        raise InputError("sample_size and estimate name treatments x does not have: " +
                         ", ".join(f'"{n}"' for n in unknown) + ".")
    code = "value" if code is None else args.optional_text(code, "code")
    treatments = []
    for place, name in enumerate(names, start=1):
        try:
            values = numpy.asarray(x[name], dtype=numpy.float64)
        except (TypeError, ValueError):
            raise InputError(f'Treatment "{name}" is not numeric.') from None
        if padded and values.ndim == 1:
            given = numpy.flatnonzero(~numpy.isnan(values))
            values = values[: given[-1] + 1 if given.size else 0]
        n = _per_treatment(sample_size, name, "sample_size", 60)
        e = _per_treatment(estimate, name, "estimate", 0.1512)
        if isinstance(n, bool) or not float(n).is_integer() or not 1 <= n <= 2**31 - 1:
            raise InputError(f'Treatment "{name}": sample_size {n} is not a whole number of at least 1.')
        if isinstance(e, bool) or not numpy.isfinite(e):
            raise InputError(f'Treatment "{name}": estimate {e} is not a number.')
        treatments.append(_core.make_treatment(place, name, code, int(n), float(e), values))
    return treatments


def _per_treatment(numbers: Optional[Mapping[str, Any]], name: str, argument: str, example: float) -> Any:
    if numbers is None or name not in numbers:
        raise InputError(f'Treatment "{name}" has no {argument.replace("_", " ")}: give it as '
                         f'{argument}={{"{name}": {example}}}.')
    value = numbers[name]
    try:
        float(value)
    except (TypeError, ValueError):
        raise InputError(f'Treatment "{name}": {argument} {value!r} is not a number.') from None
    return value


def _is_frame(x: Any) -> bool:
    return type(x).__name__ == "DataFrame" and hasattr(x, "columns") and hasattr(x, "keys")


def treatments_of(x: Any, transformation: str, sample_size: Any = None, estimate: Any = None,
                  code: Optional[str] = None) -> list[Treatment]:
    """The treatments of cartesian_test()'s x, whatever its form."""
    from ._life import LifeTableResult
    if isinstance(x, LifeTableResult):
        # One parameter's treatments (code, r unless named), as its bootstrap files read.
        for argument, given in (("sample_size", sample_size), ("estimate", estimate)):
            if given is not None:
                raise InputError(f"x comes from bootstrap files, which give their own {FILES_GIVE[argument]}; "
                                 f"leave {argument} out.")
        treatments = x.treatments("r" if code is None else code)
        return _core.read_again(treatments, transformation) if transformation != "none" else treatments
    paths = args.paths_of(x)
    if paths is not None:
        if code is not None:
            raise InputError("x names bootstrap files, which give their own parameter code; leave code out.")
        size, sizes = args.sample_size_options(sample_size)
        # Transformed as they are read, so that value B + 1 counts
        # transformed in the ordering mean, as in cpt.
        return _core.read_files(paths, None, None, size, sizes, args.estimate_options(estimate), transformation)
    if isinstance(x, (list, tuple)) and x and all(isinstance(t, Treatment) for t in x):
        for argument, given in (("sample_size", sample_size), ("estimate", estimate), ("code", code)):
            if given is not None:
                raise InputError(f"x comes from bootstrap files, which give their own {FILES_GIVE[argument]}; "
                                 f"leave {argument} out.")
        return _core.read_again(list(x), transformation) if transformation != "none" else list(x)
    if isinstance(x, Mapping) or _is_frame(x):
        return _treatments_from_columns(x, sample_size, estimate, code)
    raise InputError("x must be bootstrap file paths, Treatments from read_bootstrap(), or a mapping of "
                     "treatment names to arrays of values (a DataFrame of columns too).")


def cartesian_test(x: Union[PathLike, Sequence[PathLike], Sequence[Treatment], Mapping[str, Any], Any], *,
                   reversed: bool = False, transformation: str = "none",
                   sample_size: Union[int, Mapping[str, int], None] = None,
                   estimate: Optional[Mapping[str, float]] = None, code: Optional[str] = None,
                   threads: int = 0) -> CartesianResult:
    """Run the Cartesian paired test of 2 to 26 treatments, as ``cpt cartesian``.

    Parameters
    ----------
    x : paths, Treatments, or a mapping of names to values
        Bootstrap result files or tables (one path or a sequence), the
        :class:`Treatment` list of :func:`read_bootstrap`, or a mapping
        name -> array-like of bootstrap values (a pandas DataFrame of one
        column per treatment too; shorter columns end in NaN). The
        treatments are numbered in entry order.
    reversed : bool, default False
        Number the treatments by ascending mean (``--reversed``).
    transformation : {"none", "arcsine", "logit"}, default "none"
        Applied to every bootstrap value before the test.
    sample_size : int or mapping of str to int, optional
        With a mapping x: each treatment's sample size n by name (required).
        With files: a table's missing sample sizes (``--sample-size``).
    estimate : mapping of str to float, optional
        With a mapping x: each treatment's full-sample estimate by name
        (required). With files: a table's missing estimates.
    code : str, optional
        With a mapping x: the parameter code (default "value").
    threads : int, default 0
        Worker threads; 0 takes every core the system gives the process.

    Returns
    -------
    CartesianResult
        ``.treatments`` and ``.pairs`` (pandas DataFrames), ``.anova``,
        ``.sidak_alpha`` and ``.write_report()``; each number is ``cpt``'s.

    Raises
    ------
    InputError
        For input the test cannot take, with ``cpt``'s message.
    KeyboardInterrupt
        When Ctrl-C stops the run (it runs without the GIL).

    Examples
    --------
    >>> import cartesianpt as cpt
    >>> result = cpt.cartesian_test(["Maize.txt", "Sorghum.txt", "Wheat.txt"])
    >>> result.treatments[["name", "mean", "SE", "letters"]]
    >>> result.write_report("out", fixed_time="2026-12-09 22:32:02")
    """
    reversed = args.flag(reversed, "reversed")
    if transformation not in TRANSFORMATIONS:
        raise InputError(f'The transformation is "none", "arcsine" or "logit", not "{transformation}".')
    threads = args.whole_number(threads, "threads", 0)
    treatments = treatments_of(x, transformation, sample_size, estimate, code)
    return CartesianResult(_core.run(treatments, reversed, transformation, threads))
