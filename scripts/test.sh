#!/usr/bin/env bash
# Sets up, builds everything and runs every test: the core, the desktop
# program (offscreen) and the batch program, then the core's and the batch
# program's tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the engine's tests on several threads under ThreadSanitizer; then the R
# package (R CMD check, and its numbers against the fresh cpt); then builds and
# checks the .deb and runs each fuzz target for 20 seconds;
# then the web page (the core in WebAssembly under Node and in headless chromium).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"

cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCPT_BUILD_APP=ON -DCPT_BUILD_CLI=ON -DCPT_BUILD_BENCH=ON
cmake --build "$here/build" -j2
(cd "$here/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

cmake -S "$here" -B "$here/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
      -DCPT_SANITIZE=ON -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=ON -DCPT_BUILD_BENCH=OFF
cmake --build "$here/build-sanitize" --target common_tests core_tests cli_tests readers_tests study_files_tests -j2
(cd "$here/build-sanitize" && LSAN_OPTIONS="suppressions=$here/tests/leak_suppressions.txt" ctest --output-on-failure -j2)

cmake -S "$here" -B "$here/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
      -DCPT_SANITIZE_THREADS=ON -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=OFF -DCPT_BUILD_BENCH=OFF
cmake --build "$here/build-tsan" --target core_tests -j2
TSAN_OPTIONS=halt_on_error=1 "$here/build-tsan/tests/core_tests" --gtest_filter='CartesianTest.*'

CPT_BINARY="$here/build/src/cli/cpt" "$here/scripts/r-package.sh" "$here/build-r/lib"
Rscript "$here/scripts/r-compare-cpt.R" "$here/build/src/cli/cpt" "$here/build-r/lib"

"$here/scripts/package.sh" "$here/build"
"$here/scripts/fuzz.sh" 20
"$here/scripts/web.sh"
"$here/scripts/web-test.sh"
