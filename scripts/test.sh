#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test: a Release build with
# warnings as errors, and an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${ZARG_JOBS:-2}

bash scripts/install-deps.sh
bash scripts/format.sh --check

configure_build_test() {
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600
}

echo "== Release"
configure_build_test build/release -DCMAKE_BUILD_TYPE=Release -DZARG_WERROR=ON

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
configure_build_test build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARG_SANITIZE=address,undefined -DZARG_BUILD_BENCH=OFF
