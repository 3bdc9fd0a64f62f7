#!/usr/bin/env bash
# Sets up a Debian 12 machine for Sorvane, builds it, and runs the program,
# runs every test, or makes the Debian packages.
#   bash scripts/sorvane.sh run      install what is missing, build, launch the window
#   bash scripts/sorvane.sh test [STAGE...]
#                                    install what is missing, build, run every test stage, or
#                                    only those named, in their usual order (see stages below)
#   bash scripts/sorvane.sh package  install the build dependencies, build the source and binary
#                                    packages with dpkg-buildpackage, the Windows installer and
#                                    portable exe, and the page as a zip; leave them under build/
#
# This script and the tests' scripts run under pipefail, so no pipeline whose
# status counts ends in a reader that stops early (grep -q, head, awk's exit):
# the writer may then die of SIGPIPE and fail the pipeline by chance. Their
# output is captured first, or read whole.
#
# Bash ignores set -e inside a function called from a condition or from an
# && or || list, whatever the function sets, and nothing here can know how it
# is called: so every function checks each status that counts itself
# (|| return), and set -e only stands behind them.
#
# Every configure in this script names BUILD_TESTING, on or off, so that no
# build folder keeps the choice of the command that used it before: run and
# package leave their folders without tests, and the test command turns them
# on again (and every ctest run refuses to find no tests).
set -euo pipefail

stages=(native package reproducible installed sanitizers fuzz windows web)
mode=${1:-}
case "$mode" in
    run | package) [ $# -eq 1 ] || { echo "usage: bash scripts/sorvane.sh $mode" >&2; exit 2; } ;;
    test) ;;
    *) echo "usage: bash scripts/sorvane.sh run|package|test [STAGE...]" >&2; exit 2 ;;
esac
shift
chosen=("$@")
for name in "${chosen[@]}"; do
    [[ " ${stages[*]} " == *" $name "* ]] ||
        { echo "sorvane.sh: no stage '$name'; the stages are: ${stages[*]}" >&2; exit 2; }
done

cd "$(dirname "$0")/.."

build_packages=(g++ cmake ninja-build qt6-base-dev libxkbcommon-dev fonts-dejavu-core)
package_packages=(dpkg-dev debhelper binutils)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool xclip x11-utils openbox imagemagick e2fsprogs
               clang libclang-rt-14-dev desktop-file-utils strace lintian appstream man-db autopkgtest
               fonts-cantarell fonts-noto-core fonts-liberation2 qt6-gtk-platformtheme)
# The Windows cross build, its installer and wine, and the Wayland compositor
# and accessibility bus of the end-to-end test, without the many recommended extras.
windows_build_packages=(g++-mingw-w64-x86-64-posix wixl)
windows_packages=("${windows_build_packages[@]}" wine64 googletest msitools)
desktop_packages=(weston qt6-wayland at-spi2-core python3-pyatspi dbus)
# Emscripten for the page (it needs Debian's acorn), UglifyJS and brotli for
# its script and compressed copies, rsvg-convert and pngquant for its phone
# icons, and the browsers and drivers its tests run in.
web_build_packages=(emscripten node-acorn python3 uglifyjs brotli librsvg2-bin pngquant)
web_packages=("${web_build_packages[@]}" googletest chromium chromium-driver python3-selenium python3-websocket
              firefox-esr webkit2gtk-driver)
packages=("${build_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")
[ "$mode" != run ] && packages+=("${package_packages[@]}")
plain_packages=()
[ "$mode" = test ] && plain_packages+=("${windows_packages[@]}" "${desktop_packages[@]}" "${web_packages[@]}")
[ "$mode" = package ] && plain_packages+=("${windows_build_packages[@]}" "${web_build_packages[@]}")

updated=no
install_missing() {  # install_missing [--no-install-recommends] PACKAGE...
    local options=() missing=() package
    [ "$1" = --no-install-recommends ] && { options+=("$1"); shift; }
    for package in "$@"; do
        if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != *'install ok installed'* ]]; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    if [ "$updated" = no ]; then "${sudo[@]}" apt-get update -q || return; updated=yes; fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${options[@]}" "${missing[@]}"
}
install_missing "${packages[@]}"
[ ${#plain_packages[@]} -eq 0 ] || install_missing --no-install-recommends "${plain_packages[@]}"
# npm for the page's test tools: Debian's, where the machine's Node.js brings none of its own.
[ "$mode" != test ] || command -v npm >/dev/null || install_missing --no-install-recommends npm

jobs=$(nproc)

if [ "$mode" = run ]; then
    cmake --preset default -DBUILD_TESTING=OFF -DSORVANE_BUILD_BENCHMARKS=OFF
    cmake --build --preset default --target sorvane -j "$jobs"
    exec build/default/app/sorvane
fi

# The Debian packages, the Windows ones and the page's zip.
# shellcheck source-path=SCRIPTDIR source=packages.sh
source scripts/packages.sh

if [ "$mode" = package ]; then
    install_build_dependencies
    make_package build/deb-work build
    make_windows_packages
    make_web_package
    exit
fi

# Each stage in a shell of its own that stops at its first failure. Every
# stage runs, whatever an earlier one gave, so that one failure hides nothing
# of the others; the summary has a line each, and the run fails if any did.
# A stage tells what it checked by writing it to $checked ("131 tests"): a
# stage that passes without saying so ran nothing, and fails.
summary=()
passed=0
failed=0
# A stage that leaves this version's packages in build/ makes $packages_built,
# so that the later stages that test them build them no second time: a stage
# runs in a shell of its own, and only a file outlives it.
mkdir -p build
this_run=$(mktemp -d build/test-run.XXXXXX)
trap 'rm -rf "$this_run"' EXIT
checked=$this_run/checked
packages_built=$this_run/packages-built
stage() {  # stage NAME
    local name=$1 start=$SECONDS status what
    echo "=== $name"
    : >"$checked" || return
    set +e
    (set -e; "$name")
    status=$?
    set -e
    what=$(cat "$checked") || return
    if [ "$status" -eq 0 ] && [ -z "$what" ]; then
        echo "$name: it says it checked nothing"
        status=1
    fi
    if [ "$status" -eq 0 ]; then
        passed=$((passed + 1))
        summary+=("$(printf '%-13s passed in %4d s (%s)' "$name:" $((SECONDS - start)) "$what")")
    else
        failed=$((failed + 1))
        summary+=("$(printf '%-13s FAILED in %4d s (status %d%s)' "$name:" $((SECONDS - start)) "$status" "${what:+; $what}")")
        echo "$name: FAILED (status $status)"
    fi
}

# counted N THING: "1 test", "2 tests".
counted() { [ "$1" -eq 1 ] && echo "1 $2" || echo "$1 $2s"; }

# run_ctest LOG CTEST_OPTIONS...: ctest, which fails where it finds no test
# (the presets say so too), its output also kept in LOG; the count of tests
# it ran goes to $checked.
run_ctest() {
    local log=$1 count
    shift
    ctest --no-tests=error "$@" 2>&1 | tee "$log" || return
    count=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log") || return
    [ "${count:-0}" -gt 0 ] || { echo "ctest ran no test"; return 1; }
    counted "$count" test >"$checked" || return
}

# Every test, with the window tests drawn offscreen and the real program in X11 and Wayland sessions.
native() {
    cmake --preset default -DBUILD_TESTING=ON || return
    cmake --build --preset default -j "$jobs" || return
    run_ctest build/default/ctest.log --preset default -j "$jobs"
}

# The source and binary packages, built and tested as Debian builds them, and
# checked as Debian checks an upload.
package() {
    local arch changes deb files
    install_build_dependencies || return
    make_package build/deb-work build || return
    : >"$packages_built"
    arch=$(dpkg-architecture -qDEB_HOST_ARCH) || return
    changes=$(deb_output build "_$arch.changes") || return
    deb=$(deb_output build "_$arch.deb") || return
    bash tests/package_test.sh "$changes" build/deb-work/sorvane/obj-* || return
    rm -rf build/deb-root || return
    dpkg-deb --extract "$deb" build/deb-root || return
    bash tests/install_test.sh --tree build/deb-root/usr || return
    files=$(sed -n '/^Files:/,/^[^ ]/{/^ /p}' "$changes" | wc -l) || return
    echo "$files files built, linted and checked; the installed tree checked" >"$checked"
}

# This version's packages, from an earlier stage of this run where one built
# them, and otherwise built now without the build's own tests.
packages_of_this_run() {
    [ -e "$packages_built" ] && return 0
    install_build_dependencies || return
    DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" make_package build/deb-work build >/dev/null || return
    : >"$packages_built" || return
}

# A second build, later and in another folder, gives the same bytes.
reproducible() {
    local deb same=()
    packages_of_this_run || return
    DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" make_package build/deb-again build/deb-again/out -b >/dev/null ||
        return
    for deb in build/deb-again/out/*.deb; do
        cmp "$deb" "build/$(basename "$deb")" || { echo "reproducible: $(basename "$deb") differs"; return 1; }
        same+=("$(basename "$deb")")
    done
    echo "reproducible: ${same[*]} byte for byte the same"
    echo "$(counted ${#same[@]} package) byte for byte the same" >"$checked"
}

# The installed package, tested as Debian's CI tests it (debian/tests).
installed() {
    local dsc arch deb passes
    packages_of_this_run || return
    dsc=$(deb_output build .dsc) || return
    arch=$(dpkg-architecture -qDEB_HOST_ARCH) || return
    deb=$(deb_output build "_$arch.deb") || return
    rm -rf build/deb-source || return
    dpkg-source -x "$dsc" build/deb-source >/dev/null || return
    autopkgtest "$deb" build/deb-source -- null | tee build/autopkgtest.log || return
    passes=$(grep -c -E '^[^ ]+ +PASS' build/autopkgtest.log || true)
    [ "$passes" -gt 0 ] || { echo "installed: autopkgtest passed no test"; return 1; }
    counted "$passes" "autopkgtest test" >"$checked"
}

# The tests that need no window, again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitizers() {
    cmake --preset sanitize -DBUILD_TESTING=ON || return
    cmake --build --preset sanitize -j "$jobs" || return
    run_ctest build/sanitize/ctest.log --preset sanitize -j "$jobs"
}

# The number reader and the whole command under libFuzzer, for a fixed number of inputs.
fuzz() {
    local tests runs
    cmake --preset fuzz -DBUILD_TESTING=ON || return
    cmake --build --preset fuzz -j "$jobs" || return
    run_ctest build/fuzz/ctest.log --preset fuzz >build/fuzz/fuzz.log 2>&1 || { tail -n 40 build/fuzz/fuzz.log; return 1; }
    tests=$(cat "$checked") || return
    runs=$(sed -n 's/.*Done \([0-9]*\) runs in .*/\1/p' build/fuzz/fuzz.log | awk '{ n += $1 } END { print n + 0 }') ||
        return
    echo "fuzz: $runs runs; the log is build/fuzz/fuzz.log"
    echo "$tests, $runs inputs" >"$checked"
}

# Debian's wine folder, or where a test of this command puts its stand-ins.
wine=${SORVANE_WINE_DIR:-/usr/lib/wine}

# sorvane.exe and the toolkit-free tests cross-built for Windows, run under
# wine: the engine tests in a new prefix inside the build folder, booted and
# its boot's processes ended before they start, so that they never wait on
# another run's server or an unfinished boot; the real window and the
# installer each in an X server, a prefix and a wine server of their own.
windows() {
    cmake --preset windows -DBUILD_TESTING=ON || return
    cmake --build --preset windows -j "$jobs" || return
    export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    trap '"$wine/wineserver" -k 2>/dev/null || true' EXIT
    "$wine/wineserver" -k 2>/dev/null || true
    "$wine/wineserver" -w || return
    rm -rf "$WINEPREFIX" || return
    timeout 300 "$wine/wine64" wineboot -i </dev/null >/dev/null 2>&1 || { echo "windows: wineboot failed"; return 1; }
    timeout 120 "$wine/wineserver" -w || { echo "windows: the prefix's boot did not end"; return 1; }
    run_ctest build/windows/ctest.log --preset windows
}

# The page compiled to WebAssembly with Emscripten: the toolkit-free tests
# under node, and the site served on 127.0.0.1 in headless Chromium and Firefox ESR.
web() {
    cmake --preset web -DBUILD_TESTING=ON || return
    cmake --build --preset web -j "$jobs" || return
    # The page's test tools from the npm registry, as the lock file pins them; never shipped.
    mkdir -p build/web/test-tools || return
    cp tests/web/package.json tests/web/package-lock.json build/web/test-tools/ || return
    (cd build/web/test-tools && npm ci --no-audit --no-fund) || return
    run_ctest build/web/ctest.log --preset web
}

for name in "${stages[@]}"; do
    [ ${#chosen[@]} -eq 0 ] || [[ " ${chosen[*]} " == *" $name "* ]] || continue
    stage "$name"
done
echo
printf '%s\n' "${summary[@]}"
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
