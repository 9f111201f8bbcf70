#!/usr/bin/env bash
# Sets up, builds and starts the desktop program. Options are passed on
# (--maintainer starts it in maintainer mode).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCPT_BUILD_APP=ON -DCPT_BUILD_CLI=ON -DCPT_BUILD_BENCH=ON
cmake --build "$here/build" --target cpt-desktop -j2
program="$here/build/src/app/cpt-desktop"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: starting the program on a virtual screen (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$program" "$@"
fi
exec "$program" "$@"
