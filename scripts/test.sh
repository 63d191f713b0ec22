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
excluded=()
if [[ $preset == asan ]]; then
    # The end-to-end test (label e2e) drives the program as an operator runs
    # it, through the X server, the accessibility bus and the print server;
    # under the sanitizers it would mostly test those stacks' libraries,
    # which report leaks of their own. The default run covers it.
    excluded=(-LE e2e)
fi
ctest --preset "$preset" -j"$(nproc)" "${excluded[@]}"
