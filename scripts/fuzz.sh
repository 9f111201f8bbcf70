#!/usr/bin/env bash
# Builds the fuzz targets of fuzzing/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# (default 60), from the seed corpus made of the examples and the test
# fixtures. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]; without targets,
# every fuzzing/<target>_fuzzer.cpp.
# A crash stops the script; its input is in build-fuzz/crashes/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$here"/fuzzing/*_fuzzer.cpp; do
    name=$(basename "$source")
    targets+=("${name%_fuzzer.cpp}")
  done
fi
build=$here/build-fuzz
# The readers' files go to a folder of each process's own under TMPDIR; in
# memory where there is room, the disk would only slow them down.
[ -n "${TMPDIR:-}" ] || { [ -w /dev/shm ] && export TMPDIR=/dev/shm; } || true

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
  -DCPT_FUZZ=ON -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=OFF -DCPT_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target "${targets[@]/%/_fuzzer}" -j2

"$here/fuzzing/make_corpus.sh" "$build/seeds"
mkdir -p "$build/crashes"
for target in "${targets[@]}"; do
  # New inputs go to corpus/<target>, kept between runs; the seeds are read
  # only (and none yet for a new target).
  mkdir -p "$build/corpus/$target" "$build/seeds/$target"
  echo "== $target: $seconds s"
  "$build/fuzzing/${target}_fuzzer" "$build/corpus/$target" "$build/seeds/$target" \
      -dict="$here/fuzzing/cpt.dict" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 \
      -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" 2>"$build/$target.log" || {
    tail -n 60 "$build/$target.log"
    echo "fuzz.sh: $target failed; the input is in $build/crashes/" >&2
    exit 1
  }
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units' "$build/$target.log" || tail -n 3 "$build/$target.log"
done
