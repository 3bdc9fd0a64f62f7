#!/usr/bin/env bash
# Sets up a Debian 12 machine for Sorvane, builds it, and runs the program,
# runs every test, or makes the Debian package. The tests: a normal build
# (widgets offscreen, the real window in Xvfb, the install), the package's
# checks, the tests without windows again under the sanitizers, a bounded fuzz
# run, and the toolkit-free half built for Windows under wine.
#   bash scripts/sorvane.sh run      install what is missing, build, launch the window
#   bash scripts/sorvane.sh test     install what is missing, build, run every test
#   bash scripts/sorvane.sh package  install what is missing, build the Release .deb, print its path
set -euo pipefail

mode=${1:-}
case "$mode" in
    run | test | package) ;;
    *) echo "usage: bash scripts/sorvane.sh run|test|package" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

build_packages=(g++ cmake ninja-build qt6-base-dev fonts-dejavu-core)
package_packages=(dpkg-dev binutils gzip)
test_packages=(libgtest-dev libbenchmark-dev xvfb xdotool openbox imagemagick e2fsprogs
               clang libclang-rt-14-dev desktop-file-utils strace lintian appstream man-db
               fonts-cantarell fonts-noto-core fonts-liberation2 qt6-gtk-platformtheme)
# The Windows cross build and wine, and the Wayland compositor and accessibility
# bus of the end-to-end test, without the many recommended extras.
windows_packages=(g++-mingw-w64-x86-64-posix wine64 googletest)
desktop_packages=(weston qt6-wayland at-spi2-core python3-pyatspi dbus)
packages=("${build_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")
[ "$mode" != run ] && packages+=("${package_packages[@]}")
plain_packages=()
[ "$mode" = test ] && plain_packages+=("${windows_packages[@]}" "${desktop_packages[@]}")

updated=no
install_missing() {  # install_missing [--no-install-recommends] PACKAGE...
    local options=() missing=() package
    [ "$1" = --no-install-recommends ] && { options+=("$1"); shift; }
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    if [ "$updated" = no ]; then "${sudo[@]}" apt-get update -q; updated=yes; fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${options[@]}" "${missing[@]}"
}
install_missing "${packages[@]}"
[ ${#plain_packages[@]} -eq 0 ] || install_missing --no-install-recommends "${plain_packages[@]}"

jobs=$(nproc)

if [ "$mode" = run ]; then
    cmake --preset default -DSORVANE_BUILD_TESTS=OFF -DSORVANE_BUILD_BENCH=OFF
    cmake --build --preset default --target sorvane -j "$jobs"
    exec build/default/app/sorvane
fi

# Builds the Release package with Debian's hardening flags, stripped, its
# dependencies found by dpkg-shlibdeps, in a folder of its own; only a whole
# package is moved to build/. Build output goes to stderr, the path to stdout.
make_package() {
    local tool staging debs
    for tool in dpkg-buildflags dpkg-shlibdeps dpkg-deb cpack gzip strip; do
        command -v "$tool" >/dev/null || { echo "package: $tool is missing" >&2; return 1; }
    done
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CFLAGS=$(dpkg-buildflags --get CFLAGS)
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
    export CFLAGS CXXFLAGS LDFLAGS

    # --fresh: the flags are read only when the build folder is configured.
    cmake --preset package --fresh >&2 || { echo "package: configuring the Release build failed" >&2; return 1; }
    cmake --build --preset package -j "$jobs" >&2 || { echo "package: building failed" >&2; return 1; }
    mkdir -p build
    staging=$(mktemp -d "$PWD/build/package-staging.XXXXXX")
    if ! (cd build/package && cpack -G DEB -B "$staging") >&2; then
        rm -rf "$staging"; echo "package: cpack failed" >&2; return 1
    fi
    debs=("$staging"/*.deb)
    if [ ${#debs[@]} -ne 1 ] || ! dpkg-deb --info "${debs[0]}" >/dev/null; then
        rm -rf "$staging"; echo "package: cpack made no single whole .deb" >&2; return 1
    fi
    rm -f build/sorvane_*.deb
    mv "${debs[0]}" build/
    rm -rf "$staging"
    echo "$PWD/build/$(basename "${debs[0]}")"
}

if [ "$mode" = package ]; then
    make_package
    exit
fi

# Every test, with the window tests drawn offscreen.
cmake --preset default -DSORVANE_BUILD_TESTS=ON -DSORVANE_BUILD_BENCH=ON
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

# The Debian package, checked as Debian checks an upload.
deb=$(make_package)
bash tests/package_test.sh "$deb" build/package

# The tests that need no window, again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

# The number reader and the whole command under libFuzzer, for a fixed number of inputs.
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

# The toolkit-free half cross-built for Windows, its tests run under wine: one
# wine server for the whole run, in a prefix inside the build folder.
cmake --preset windows
cmake --build --preset windows -j "$jobs"
export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true  # answers 1 once it has gone to the background
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
ctest --preset windows
