#!/usr/bin/env bash
# The main job: install what is needed, build the plug-in, install it to
# ~/.vst3 and load it the way a host does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"${ZARG_JOBS:-2}"
cmake --install build/release
build/release/tools/zarg-info/zarg-info "${HOME}/.vst3/ZARG.vst3" "$@"
