#!/usr/bin/env bash
# Builds the Python package cartesianpt (python/ with the core's sources) as
# an sdist and a wheel in build-python/. The sdist carries the C++ sources
# it compiles (src/core, src/study_files, src/xlsx in its cpp/); the wheel is
# built from the sdist, as pip builds it on another machine.
#
#     scripts/python-package.sh
#
# Uses Debian's Python (/usr/bin/python3) with its setuptools and pybind11,
# without build isolation (no network); ccache when there is one, and
# CPT_PYTHON_JOBS parallel compiles (default 2).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-python"
python=${CPT_PYTHON:-/usr/bin/python3}
version=$(sed -nE 's/^project\([A-Za-z]+ +VERSION +([0-9][0-9.]*).*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "no project VERSION in CMakeLists.txt" >&2; exit 1; }
stage="$out/stage/cartesianpt-$version"

rm -rf "$out/stage" "$out"/cartesianpt-*.tar.gz "$out"/cartesianpt-*.whl
mkdir -p "$stage/cpp"
# The package without what a build in place leaves.
(cd "$here/python" && tar --exclude=build --exclude='*.egg-info' --exclude=__pycache__ --exclude='*.so' \
     -cf - pyproject.toml setup.py MANIFEST.in README.md glue cartesianpt tests) | tar -xf - -C "$stage"
# The core keeps its include layout: "core/analysis/..." resolves from cpp/.
for part in core study_files xlsx; do
  (cd "$here/src" && find "$part" \( -name '*.cpp' -o -name '*.h' \) -print0 | tar --null -T - -cf -) |
    tar -xf - -C "$stage/cpp"
done
echo "$version" > "$stage/cpp/VERSION"

(cd "$stage" && "$python" -c 'import sys; from setuptools import build_meta; build_meta.build_sdist(sys.argv[1])' \
   "$out" > "$out/sdist.log" 2>&1) || { cat "$out/sdist.log" >&2; exit 1; }
sdist="$out/cartesianpt-$version.tar.gz"
[ -f "$sdist" ] || { echo "python-package.sh: no $(basename "$sdist") was made" >&2; exit 1; }
export CPT_PYTHON_JOBS=${CPT_PYTHON_JOBS:-2}
"$python" -m pip wheel --no-cache-dir --no-build-isolation --no-deps --no-index -w "$out" "$sdist" > "$out/wheel.log" 2>&1 ||
  { tail -n 40 "$out/wheel.log" >&2; exit 1; }
ls "$out"/cartesianpt-"$version"-*.whl >/dev/null
echo "built $(basename "$sdist") and $(cd "$out" && ls cartesianpt-"$version"-*.whl) in build-python/"
