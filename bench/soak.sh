#!/usr/bin/env bash
# The engines' soak in full: twenty install and removal cycles in one prefix
# (the test command runs three). Usage: bench/soak.sh [CYCLES]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh"
KAVADESK_SOAK_CYCLES=${1:-20} KAVADESK_HARNESS="fixture,timeout=3600" \
  "$top/build/harness/wine-run" "$top/build/tests/engine_tests.exe" --gtest_filter='EngineSoakTest.*'
