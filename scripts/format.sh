#!/usr/bin/env bash
# Applies .clang-format to every C++ file of the project; with --check, fails on any difference.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.cc' '*.inc')
[ ${#files[@]} -gt 0 ] || exit 0
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
