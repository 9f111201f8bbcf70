#!/usr/bin/env bash
# Builds the web page into build-web/: the core compiled to WebAssembly by
# emscripten (installed from Debian's archive when missing) behind a small
# binding, and the static page of web/. Open build-web/index.html in a
# browser, or serve the folder from any static host.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"

"$here/scripts/install-missing.sh" emscripten nodejs nlohmann-json3-dev cmake ninja-build pandoc

# emscripten's JavaScript optimiser needs Debian's node modules (acorn), which
# a node from elsewhere does not look for by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# Optimised, but the sums keep their order: the top-level build adds
# -ffp-contract=off and never -ffast-math.
emcmake cmake -S "$here" -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=OFF -DCPT_BUILD_BENCH=OFF -DCPT_BUILD_TESTS=OFF -DCPT_BUILD_WEB=ON
cmake --build "$out/cmake" --target cpt_web -j2

# The page: its own files, the module, and the worker's source as a script,
# since a page opened from a folder may not load a worker from a file.
cp "$here"/web/index.html "$here"/web/style.css "$here"/web/page.js "$here"/web/chart.js "$here"/web/bench_files.js "$out/"
# The licence the footer links to, as .txt so that any static host shows it.
cp "$here/LICENSE" "$out/LICENSE.txt"
# The user guide the footer links to is made from the native cpt's output;
# without a native build the page goes without the link.
native_cpt=${CPT_NATIVE_CPT:-$here/build/src/cli/cpt}
if [ -x "$native_cpt" ]; then
  "$here/scripts/make-guide.sh" "$native_cpt" "$out"
else
  sed -i '/id="guide-link"/d' "$out/index.html"
  echo "web.sh: no native cpt at $native_cpt (build it, or set CPT_NATIVE_CPT): the page has no user guide link" >&2
fi
cp "$out/cmake/src/web/cpt_web.js" "$out/cpt_web.js"
node "$here/web/bundle_worker.js" "$out/worker_source.js" "$out/cpt_web.js" "$here/web/bench_files.js" \
    "$here/web/workbook_unpack.js" "$here/web/worker.js"
echo "Built the page: $out/index.html"
