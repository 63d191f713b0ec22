#!/usr/bin/env bash
# Installs what is missing, builds, writes a demo data folder with its
# settings beside the program, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

bin=build/default/bin
"$bin/make-demo-data" "$PWD/build/demo-data" "$bin"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display is available. The demo data is ready; start $bin/vantrell-ticket from a desktop session."
    exit 0
fi
exec "$bin/vantrell-ticket"
