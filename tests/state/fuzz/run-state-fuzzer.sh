#!/usr/bin/env bash
# Builds the state fuzzer with clang, writes its seed corpus and runs it for a
# bounded time: ZARG_FUZZ_SECONDS (60), build folder ZARG_FUZZ_BUILD
# (build/fuzz). The inputs kept in regressions/ run first and must pass.
# A crash input is written to <build>/state-crashes/; add it to regressions/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
dir=${ZARG_FUZZ_BUILD:-$root/build/fuzz}
seconds=${ZARG_FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARG_BUILD_BENCH=OFF
cmake --build "$dir" --target zarg_state_fuzzer zarg_state_seeds -j"${ZARG_JOBS:-2}"

fuzzer="$dir/tests/state/fuzz/zarg_state_fuzzer"
corpus="$dir/state-corpus"
crashes="$dir/state-crashes"
mkdir -p "$corpus" "$crashes"
"$dir/tests/state/fuzz/zarg_state_seeds" "$corpus"

shopt -s nullglob
kept=("$here"/regressions/*)
if ((${#kept[@]})); then
  "$fuzzer" "${kept[@]}"
fi
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$crashes/" "$corpus"
