#!/usr/bin/env bash
# Sets up a Debian 12 machine for Sorvane, builds it, and either runs the
# program or every test: the tests in a normal build (widgets offscreen, the
# real window in Xvfb, the install), the tests without windows again under the
# sanitizers, and a bounded fuzz run.
#   bash scripts/sorvane.sh run    install what is missing, build, launch the window
#   bash scripts/sorvane.sh test   install what is missing, build, run every test
set -euo pipefail

mode=${1:-}
case "$mode" in
    run | test) ;;
    *) echo "usage: bash scripts/sorvane.sh run|test" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

build_packages=(g++ cmake ninja-build qt6-base-dev fonts-dejavu-core)
test_packages=(libgtest-dev libbenchmark-dev xvfb xdotool openbox imagemagick e2fsprogs
               clang libclang-rt-14-dev desktop-file-utils strace)
# The Windows cross build and wine, without the many recommended extras.
windows_packages=(g++-mingw-w64-x86-64-posix wine64 googletest)
packages=("${build_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")
plain_packages=()
[ "$mode" = test ] && plain_packages+=("${windows_packages[@]}")

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

# Every test, with the window tests drawn offscreen.
cmake --preset default -DSORVANE_BUILD_TESTS=ON -DSORVANE_BUILD_BENCH=ON
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

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
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
ctest --preset windows
