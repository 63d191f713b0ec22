#!/usr/bin/env bash
# Builds the Debian package vantrell-ticket_<version>_<arch>.deb from a
# Release build (in build/release, with Debian's hardening flags), checks
# its control data and contents, and runs lintian on it: an error fails.
# Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build/release
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Given on every configure: the environment's flags count only in a new build
# folder.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTICKET_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/vantrell-ticket_*.deb)
deb=${debs[0]}

fail() {
    echo "package check: $*" >&2
    exit 1
}

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[[ $(field Package) == vantrell-ticket ]] || fail "package name $(field Package)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "architecture"
[[ $(field Section) == misc && $(field Priority) == optional ]] || fail "section or priority"
[[ -n $(field Maintainer) && -n $(field Description) ]] || fail "maintainer or description"
depends=$(field Depends)
for needed in fonts-liberation libqt6widgets6 libqt6printsupport6 libmdb3 libc6; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/vantrell-ticket ./usr/libexec/vantrell-ticket/qmdata-reader \
    ./usr/share/vantrell-ticket/1.bmp ./usr/share/vantrell-ticket/9.bmp \
    ./usr/share/applications/vantrell-ticket.desktop \
    ./usr/share/metainfo/com.vantrell.ticket.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/vantrell-ticket.png \
    ./usr/share/icons/hicolor/256x256/apps/vantrell-ticket.png \
    ./usr/share/icons/hicolor/scalable/apps/vantrell-ticket.svg \
    ./usr/share/man/man1/vantrell-ticket.1.gz ./usr/share/doc/vantrell-ticket/copyright \
    ./usr/share/doc/vantrell-ticket/changelog.gz; do
    grep -qE " $path\$" <<<"$contents" || fail "$path is missing"
done
if grep -vE '^[-dl]rw[-x]r-[-x]r-[-x] root/root ' <<<"$contents"; then
    fail "the entries above are not root's or not world-readable"
fi

# Lintian does not like to run as root; it reads the package only.
lint=(lintian --fail-on error --display-level ">=warning" --tag-display-limit 0)
if [[ $(id -u) -eq 0 ]] && id nobody >/dev/null 2>&1; then
    copy=$(mktemp -d)
    trap 'rm -rf "$copy"' EXIT
    cp "$deb" "$copy/" && chmod -R a+rX "$copy"
    (cd / && setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$copy" \
        "${lint[@]}" "$copy/$(basename "$deb")")
else
    "${lint[@]}" "$deb"
fi
echo "$deb"
