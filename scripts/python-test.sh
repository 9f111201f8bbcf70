#!/usr/bin/env bash
# Builds the Python package's wheel (scripts/python-package.sh), installs it
# into a fresh virtual environment build-python/venv (with the system's
# numpy, pandas and pytest) and runs python/tests against it, comparing with
# the cpt at CPT_BINARY (default build/src/cli/cpt). Fails when a test fails
# or when no test ran.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-python"
cpt=${CPT_BINARY:-$here/build/src/cli/cpt}
[ -x "$cpt" ] || { echo "python-test.sh: no cpt at $cpt to compare with (build it, or set CPT_BINARY)" >&2; exit 1; }
cpt=$(cd "$(dirname "$cpt")" && pwd)/$(basename "$cpt")

bash "$here/scripts/python-package.sh"
venv="$out/venv"
rm -rf "$venv"
/usr/bin/python3 -m venv --system-site-packages "$venv"
"$venv/bin/python" -m pip install --quiet --no-cache-dir --no-deps --no-index "$out"/cartesianpt-*.whl
# From build-python/, so that the package imported is the installed one and
# not python/cartesianpt.
cd "$out"
"$venv/bin/python" - "$venv" <<'PY'
import os, sys
import cartesianpt
where = os.path.realpath(cartesianpt.__file__)
if not where.startswith(os.path.realpath(sys.argv[1]) + os.sep):
    sys.exit(f"cartesianpt was imported from {where}, not from the virtual environment")
print(f"cartesianpt {cartesianpt.__version__} from {os.path.dirname(where)}")
PY
status=0
CPT_BINARY=$cpt "$venv/bin/python" -m pytest -q -p no:cacheprovider "$here/python/tests" || status=$?
if [ "$status" -eq 5 ]; then
  echo "python-test.sh: pytest ran no tests" >&2
  exit 1
fi
exit "$status"
