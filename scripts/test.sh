#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
# With the argument "asan", builds and tests under AddressSanitizer and
# UndefinedBehaviorSanitizer instead.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
scripts/install-deps.sh
scripts/check-format.sh
scripts/build.sh "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j"$(nproc)"
