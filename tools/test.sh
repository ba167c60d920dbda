#!/usr/bin/env bash
# The test command: set-up, build, then every test (unit, integration against
# Wine's services, end to end) under Wine, each in a prefix of its own.
# Results: build/test-results.xml (JUnit); run folders of failed tests are
# removed like the others unless KAVADESK_KEEP_RUNS=1.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh"
ctest --test-dir "$top/build" -j"$(nproc)" --output-on-failure --output-junit test-results.xml "$@"
