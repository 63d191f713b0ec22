#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing. Runs as root, or through sudo otherwise.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev libgl-dev
    qt6-base-private-dev
    mdbtools mdbtools-dev libglib2.0-dev
    googletest libgtest-dev
    fonts-liberation clang-format
    poppler-utils
    clang-14 libclang-rt-14-dev
    # The end-to-end test: the program under a virtual X server, read through
    # the accessibility bus, printing through a private print server.
    xvfb dbus-daemon at-spi2-core python3-pyatspi xdotool
    cups printer-driver-cups-pdf
    # Installing and packaging: the icon's sizes drawn from its SVG, the
    # validators of the menu entry and the metainfo, the package's checks.
    librsvg2-bin desktop-file-utils appstream lintian dpkg-dev fakeroot file
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" </dev/null
fi
