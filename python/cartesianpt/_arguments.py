"""Checks of the arguments the functions share; each failure is an InputError
that names the argument."""
import math
import numbers
import os
from collections.abc import Mapping

from ._core import InputError


def flag(value, argument):
    if not isinstance(value, bool):
        raise InputError(f"{argument} must be True or False.")
    return value


def optional_text(value, argument):
    if value is None:
        return None
    if not isinstance(value, str):
        raise InputError(f"{argument} must be one string.")
    return value


def whole_number(value, argument, lowest, highest=2**31 - 1):
    if isinstance(value, bool) or not isinstance(value, numbers.Integral) or not lowest <= value <= highest:
        span = f"of at least {lowest}" if highest == 2**31 - 1 else f"from {lowest} to {highest}"
        raise InputError(f"{argument} must be a whole number {span}.")
    return int(value)


def is_path(value):
    return isinstance(value, (str, os.PathLike))


def paths_of(value):
    """One path or a sequence of them as strings; None when value is neither."""
    if is_path(value):
        return [os.fspath(value)]
    if isinstance(value, (list, tuple)) and value and all(is_path(v) for v in value):
        return [os.fspath(v) for v in value]
    return None


def sample_size_options(value):
    """A table's missing sample sizes, as cpt's --sample-size takes them: one
    number for every treatment, or numbers by treatment name."""
    wrong = InputError('sample_size must be a whole number of at least 1 for every treatment, or such numbers '
                       'by treatment name, as sample_size={"Maize": 60}.')
    if value is None:
        return None, {}
    if isinstance(value, Mapping):
        sizes = {}
        for name, size in value.items():
            if not isinstance(name, str):
                raise wrong
            try:
                sizes[name] = whole_number(size, "sample_size", 1)
            except InputError:
                raise wrong from None
        return None, sizes
    try:
        return whole_number(value, "sample_size", 1), {}
    except InputError:
        raise wrong from None


def estimate_options(value):
    if value is None:
        return {}
    wrong = InputError('estimate must give numbers by treatment name, as estimate={"Maize": 0.1512}.')
    if not isinstance(value, Mapping):
        raise wrong
    estimates = {}
    for name, number in value.items():
        if not isinstance(name, str) or isinstance(number, bool) or not isinstance(number, numbers.Real):
            raise wrong
        if not math.isfinite(number):
            raise InputError("estimate must hold numbers, not NaN or infinite values.")
        estimates[name] = float(number)
    return estimates
