"""The Cartesian paired test of bootstrap results, with cpt's own C++ core.

Every number is the one ``cpt`` gives for the same treatments, to the last
bit, and the files written are ``cpt``'s byte for byte.

Functions
---------
read_bootstrap
    Bootstrap result files or tables as a list of :class:`Treatment`.
cartesian_test
    The test of 2 to 26 treatments, a :class:`CartesianResult`.
study_table
    The study table of several parameters' runs (a pandas DataFrame).
life_table
    Life tables of a cohort's daily records and their bootstrap, a
    :class:`LifeTableResult` that the two above take directly.

Errors from bad input are :class:`InputError` (a ``ValueError``) carrying
``cpt``'s message. pandas is imported only when a DataFrame is first made.
"""
from ._core import InputError, Treatment
from ._cartesian import Anova, CartesianResult, WrittenReport, cartesian_test, read_bootstrap
from ._study import study_table
from ._life import LifeTableResult, life_table

InputError.__module__ = "cartesianpt"
InputError.__doc__ = "Input the test cannot take; the message is cpt's own, word for word."
Treatment.__module__ = "cartesianpt"

__all__ = ["Anova", "CartesianResult", "InputError", "LifeTableResult", "StudyTable", "Treatment", "WrittenReport",
           "cartesian_test", "life_table", "read_bootstrap", "study_table"]


def __getattr__(name):
    # Both need pandas, which waits until it is needed.
    if name == "StudyTable":
        from ._study import study_table_class
        return study_table_class()
    if name == "__version__":
        from importlib.metadata import version
        return version("cartesianpt")
    raise AttributeError(f"module 'cartesianpt' has no attribute {name!r}")
