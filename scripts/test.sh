#!/usr/bin/env bash
# Sets up, builds everything and runs every test: the core, the desktop
# program (offscreen) and the batch program, then the core's and the batch
# program's tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the engine's tests on several threads under ThreadSanitizer; then the R
# package (R CMD check, and its numbers against the fresh cpt); then builds and
# checks the .deb and runs each fuzz target for 10 seconds; then the Python
# package (its wheel in a fresh virtual environment, its numbers and files
# against the fresh cpt); then the web page (the core in WebAssembly under Node and in headless chromium).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# Each stage says how long it took, so that a slow one is found in the log.
started=$SECONDS
stage() {
  echo "== test.sh: $1 took $((SECONDS - started)) s (load $(cut -d' ' -f1-3 /proc/loadavg))"
  started=$SECONDS
}
"$here/scripts/setup.sh"
stage "set-up"
# Every compile goes through ccache, with paths taken from the clone's root,
# so that a second run (another clone on the same machine) compiles only
# what changed.
export CCACHE_BASEDIR="$here"
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCPT_BUILD_APP=ON -DCPT_BUILD_CLI=ON -DCPT_BUILD_BENCH=ON "${launcher[@]}"
cmake --build "$here/build" -j2
(cd "$here/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
stage "the release build and its tests"

# Line tables are all a sanitizer's report needs; full debug information
# would take a third of the build.
cmake -S "$here" -B "$here/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
      -DCPT_SANITIZE=ON -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=ON -DCPT_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build "$here/build-sanitize" --target common_tests core_tests engine_tests cli_tests readers_tests study_files_tests -j2
(cd "$here/build-sanitize" && LSAN_OPTIONS="suppressions=$here/tests/leak_suppressions.txt" ctest --output-on-failure -j2)
stage "AddressSanitizer and UndefinedBehaviorSanitizer"

cmake -S "$here" -B "$here/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
      -DCPT_SANITIZE_THREADS=ON -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=OFF -DCPT_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build "$here/build-tsan" --target engine_tests -j2
TSAN_OPTIONS=halt_on_error=1 "$here/build-tsan/tests/engine_tests"
stage "ThreadSanitizer"

CPT_BINARY="$here/build/src/cli/cpt" "$here/scripts/r-package.sh" "$here/build-r/lib"
Rscript "$here/scripts/r-compare-cpt.R" "$here/build/src/cli/cpt" "$here/build-r/lib"
stage "the R package"

"$here/scripts/package.sh" "$here/build"
stage "the package"
"$here/scripts/fuzz.sh" 10
stage "fuzzing"
CPT_BINARY="$here/build/src/cli/cpt" "$here/scripts/python-test.sh"
stage "the Python package"
"$here/scripts/web.sh"
"$here/scripts/web-test.sh"
stage "the web page"
