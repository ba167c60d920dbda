#!/usr/bin/env bash
# Configures and builds the installer, its tests and the Wine prefix template
# in build/ (set-up first, so a fresh machine needs nothing else).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$top/build" -j"$(nproc)" -- --no-print-directory
