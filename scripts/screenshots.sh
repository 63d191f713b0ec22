#!/usr/bin/env bash
# Retakes the user guide's screenshots (docs/images) from the built program
# on the demo data, under a virtual X server: run it whenever a window
# changes. Needs no display and no root.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" \
    --target vantrell-ticket qmdata-reader make-demo-data part-bitmap-files
SECONDS=0
/usr/bin/python3 scripts/screenshots.py --bin build/default/bin --out docs/images
echo "took ${SECONDS} s"
