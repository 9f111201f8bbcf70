"""Builds cartesianpt._core: the glue in glue/ and the core's C++ sources.

In the repository those are ../src; an sdist carries them in cpp/ (as
scripts/python-package.sh stages them), with the version in cpp/VERSION.
"""
import os
import re
import shutil
from pathlib import Path

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup

here = Path(__file__).resolve().parent
staged = here / "cpp"
sources_root = staged if (staged / "core").is_dir() else here.parent / "src"


def version():
    if (staged / "VERSION").is_file():
        return (staged / "VERSION").read_text().strip()
    found = re.search(r"^project\([A-Za-z]+ +VERSION +([0-9][0-9.]*)",
                      (here.parent / "CMakeLists.txt").read_text(), re.M)
    return found.group(1)


def sources():
    # setuptools takes only paths relative to the setup script's folder.
    files = sorted((here / "glue").glob("*.cpp"))
    for part in ("core", "study_files", "xlsx"):
        files += sorted((sources_root / part).rglob("*.cpp"))
    return [os.path.relpath(p, here) for p in files]


class BuildExt(build_ext):
    """Python's own flags without -g (the core's debug information would take
    most of the build's time) and its -O2 (the core is built as cpt is);
    through ccache when there is one."""

    def build_extensions(self):
        command = [a for a in self.compiler.compiler_so if a not in ("-g", "-O2", "-O1")]
        if shutil.which("ccache") and os.path.basename(command[0]) != "ccache":
            command.insert(0, "ccache")
        self.compiler.compiler_so = command
        super().build_extensions()


# Paths below the source folder hash alike wherever pip unpacks it.
os.environ.setdefault("CCACHE_BASEDIR", str(here))
ParallelCompile("CPT_PYTHON_JOBS", default=2).install()

core = Pybind11Extension(
    "cartesianpt._core",
    sources(),
    include_dirs=[str(sources_root), str(here / "glue")],
    cxx_std=20,
    # The sums keep their order, and no a * b + c is fused: cpt's numbers to the bit.
    extra_compile_args=["-O3", "-DNDEBUG", "-ffp-contract=off", "-fno-fast-math", "-pthread"],
    extra_link_args=["-pthread"],
    libraries=["xlsxwriter", "zip", "expat"],
)

setup(version=version(), ext_modules=[core], cmdclass={"build_ext": BuildExt})
