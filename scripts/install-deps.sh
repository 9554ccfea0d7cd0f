#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need.
# Idempotent: safe to run on a fresh Debian 12 machine and on one that has them all.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  clang libclang-rt-14-dev clang-format
  juce-modules-source-data fst-dev
  libcairo2-dev libxcb1-dev libxcb-xtest0-dev libx11-xcb-dev
  libpugixml-dev libsndfile1-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libzita-convolver-dev libfftw3-dev
  xvfb xauth
  ardour
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
