#!/usr/bin/env bash
# Mutation run over the core: puts single-line faults (a comparison flipped,
# + and -, * and /, && and || swapped, an integer literal moved by one, a
# statement deleted) into the core one at a time, in a scratch copy of the
# tree built once, rebuilds and runs common_tests, core_tests and engine_tests, and prints
# the faults no test caught with the figures
# "N mutants, K caught, S survived". Not part of CI.
# Usage: scripts/mutate.sh [--max-per-file N] [--seed S] [--timeout SECONDS]
#        [--sanitize] [--list] [--keep] [FILES...]   (default: every src/core .cpp)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
exec python3 "$here/scripts/mutate.py" "$@"
