#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test: a Release build with
# warnings as errors, an AddressSanitizer + UndefinedBehaviorSanitizer build
# (with the description fuzzer), a ThreadSanitizer build of the concurrency
# tests, and a bounded run of the state fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${ZARG_JOBS:-2}

bash scripts/install-deps.sh
bash scripts/format.sh --check

configure() {
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja "$@"
}

run_tests() {
  local dir=$1; shift
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 900 "$@"
}

echo "== Release"
configure build/release -DCMAKE_BUILD_TYPE=Release -DZARG_WERROR=ON
cmake --build build/release -j"$jobs"
run_tests build/release -LE fuzz

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
configure build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARG_SANITIZE=address,undefined \
  -DZARG_BUILD_BENCH=OFF
cmake --build build/asan -j"$jobs"
run_tests build/asan

echo "== ThreadSanitizer (concurrency tests)"
configure build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARG_SANITIZE=thread \
  -DZARG_BUILD_BENCH=OFF
cmake --build build/tsan -j"$jobs" --target plugin_concurrency_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" run_tests build/tsan -L concurrency --no-tests=error

echo "== State fuzzer (bounded)"
ZARG_FUZZ_BUILD="$root/build/fuzz" ZARG_FUZZ_SECONDS=${ZARG_FUZZ_SECONDS:-60} \
  bash tests/state/fuzz/run-state-fuzzer.sh
