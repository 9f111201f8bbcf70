"""study_table(): the study table of several parameters' runs, as cpt study
makes it, as a DataFrame of its tidy rows that can write cpt study's files."""
from __future__ import annotations

import os
from collections.abc import Mapping, Sequence
from pathlib import Path
from typing import Any, Optional, Union

from . import _arguments as args
from . import _core
from ._cartesian import CartesianResult, PathLike, cartesian_test
from ._core import InputError, Treatment

STUDY_COLUMNS = ("parameter", "treatment", "n", "B", "estimate", "SE", "letters", "cell")
DEFAULT_FORMATS = ("csv", "xlsx", "html")
MAX_DIGITS = 15

_study_table_class = None


def study_table_class() -> type:
    """The DataFrame class study_table() gives, made once pandas is imported."""
    global _study_table_class
    if _study_table_class is None:
        import pandas

        class StudyTable(pandas.DataFrame):
            """The tidy rows of a study table: parameter, treatment, n, B,
            estimate, SE, letters ("" when the run has none) and cell (the
            table's text, "0.1512 ± 0.0059 a"), one row per parameter and
            treatment, parameter by parameter in column order.

            A slice or copy is a plain DataFrame; write() belongs to the
            table study_table() gave.
            """

            _metadata = ["_study"]

            @property
            def _constructor(self):
                return pandas.DataFrame

            @property
            def columns_order(self) -> list[str]:
                """The treatments in the order of the wide table's columns."""
                return list(self._study["table"].treatments)

            @property
            def note(self) -> list[str]:
                """The lines under the table."""
                return list(self._study["table"].note)

            @property
            def results(self) -> dict[str, CartesianResult]:
                """Each parameter's Cartesian result, by parameter."""
                return dict(self._study["results"])

            def write(self, dir: PathLike = ".", formats: Union[str, Sequence[str]] = DEFAULT_FORMATS, *,
                      fixed_time: Optional[str] = None) -> list[Path]:
                """Write cpt study's table files into a folder, byte for byte.

                Parameters
                ----------
                dir : path, default "."
                    The folder. The files are study-table.csv and so on, all
                    under the first number free for every one of them
                    ("study-table (2).csv"): no file is ever replaced.
                formats : str or sequence of str, default ("csv", "xlsx", "html")
                    Any of "csv", "xlsx", "html", "tex", "md", "docx", or "all".
                fixed_time : str, optional
                    The moment the office files carry, as "2026-12-09 22:32:02";
                    by default now.

                Returns
                -------
                list of pathlib.Path
                    The files written, in the order of the formats.
                """
                if not args.is_path(dir):
                    raise InputError("dir must be a path.")
                chosen = [formats] if isinstance(formats, str) else list(formats)
                if not all(isinstance(f, str) for f in chosen):
                    raise InputError("formats must be format names, as formats=[\"csv\", \"xlsx\"].")
                moment = "" if fixed_time is None else args.optional_text(fixed_time, "fixed_time")
                written = _core.write_study(self._study["table"], os.fspath(dir), chosen, moment)
                return [Path(p) for p in written]

        StudyTable.__module__, StudyTable.__qualname__ = "cartesianpt", "StudyTable"
        _study_table_class = StudyTable
    return _study_table_class


def _item_runs(item: Any, name: str, reversed: bool, threads: int) -> list[tuple[str, CartesianResult]]:
    paths = args.paths_of(item)
    if paths is not None:
        groups = _core.read_parameter_groups(paths)
        runs = [(parameter, cartesian_test(treatments, reversed=reversed, threads=threads))
                for parameter, treatments in groups]
        if name and len(runs) > 1:
            raise InputError(f'The files of "{name}" hold the parameters {", ".join(p for p, _ in runs)}; give '
                             f'them without a name, and each takes its code.')
        return [(name, runs[0][1])] if name else runs
    from ._life import LifeTableResult
    if isinstance(item, LifeTableResult):
        # Every parameter whose bootstrap files the run wrote, named by its code.
        codes = item.parameters
        if name and len(codes) > 1:
            raise InputError(f'The life tables of "{name}" hold the parameters {", ".join(codes)}; give them '
                             f'without a name, and each takes its code.')
        runs = [(code, cartesian_test(item, code=code, reversed=reversed, threads=threads)) for code in codes]
        return [(name, runs[0][1])] if name else runs
    if isinstance(item, (list, tuple)) and item and all(isinstance(t, Treatment) for t in item):
        item = cartesian_test(list(item), reversed=reversed, threads=threads)
    if not isinstance(item, CartesianResult):
        raise InputError("Each parameter is bootstrap files or tables, read_bootstrap() treatments or a "
                         "cartesian_test() result.")
    return [(name or item.parameter, item)]


def _study_runs(x: Any, reversed: bool, threads: int) -> list[tuple[str, CartesianResult]]:
    if isinstance(x, Mapping):
        items = list(x.items())
        if not all(isinstance(name, str) and name for name, _ in items):
            raise InputError("The parameters' names must be strings.")
    elif args.paths_of(x) is not None or isinstance(x, CartesianResult) or type(x).__name__ == "LifeTableResult":
        items = [("", x)]
    elif isinstance(x, (list, tuple)) and x and all(isinstance(t, Treatment) for t in x):
        items = [("", x)]
    elif isinstance(x, (list, tuple)):
        items = [("", item) for item in x]
    else:
        items = [("", x)]
    if not items:
        raise InputError("A study table needs at least one parameter.")
    runs = []
    for name, item in items:
        runs += _item_runs(item, name, reversed, threads)
    return runs


def study_table(files_or_results: Any, *, order: Optional[Sequence[str]] = None, digits: int = 2,
                reversed: bool = False, threads: int = 0) -> "Any":
    """Make the study table of several parameters, as ``cpt study`` makes it.

    Parameters
    ----------
    files_or_results : paths, results, or a mapping of parameter names to them
        Bootstrap files or tables of every parameter (one path or a sequence;
        they are grouped by parameter code and each parameter is run, as
        ``cpt study FILES`` does), a sequence of :class:`CartesianResult` (or
        of Treatment lists, or of such files), or a mapping parameter name ->
        any of those for one parameter.
    order : sequence of str, optional
        Every treatment name, in the order of the table's columns
        (``--order``); by default as they first appear.
    digits : int, default 2
        Significant digits of the SE (``--digits``).
    reversed : bool, default False
        Number the treatments of the runs made here by ascending mean.
    threads : int, default 0
        Worker threads of the runs made here; 0 takes every core.

    Returns
    -------
    StudyTable
        A pandas DataFrame of the tidy rows (parameter, treatment, n, B,
        estimate, SE, letters, cell) with ``.write(dir, formats=...)``,
        ``.note``, ``.columns_order`` and ``.results``.
    """
    digits = args.whole_number(digits, "digits", 1, MAX_DIGITS)
    if order is not None and (isinstance(order, str) or not all(isinstance(o, str) for o in order)):
        raise InputError("order must name the treatments in the order of the columns.")
    reversed = args.flag(reversed, "reversed")
    threads = args.whole_number(threads, "threads", 0)
    runs = _study_runs(files_or_results, reversed, threads)
    table = _core.study([r._run for _, r in runs], [p for p, _ in runs], list(order or []), digits)
    columns = table.columns()
    frame = study_table_class()({name: columns[name] for name in STUDY_COLUMNS})
    frame._study = {"table": table, "results": runs}
    return frame
