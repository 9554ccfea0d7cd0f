#!/usr/bin/env bash
# The main job: install what is needed, build the plug-in, install it to
# ~/.vst3 and render audio through it the way a host does. Extra arguments go
# to zarg-render (an input file, --preset, --set TITLE=VALUE, --out ...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"${ZARG_JOBS:-2}"
cmake --install build/release
if [ $# -eq 0 ]; then
  set -- --preset "Hard Rock" --out zarg-hard-rock.wav
fi
build/release/tools/zarg-render/zarg-render --bundle "${HOME}/.vst3/ZARG.vst3" "$@"
