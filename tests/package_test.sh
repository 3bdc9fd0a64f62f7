#!/usr/bin/env bash
# Checks the Debian packages as a Debian developer would before an upload:
# lintian on the source and binary packages together with no error and no
# warning, the AppStream metainfo, the desktop entry and the man page, the
# hardening of the program, and its dependencies.
#   bash tests/package_test.sh PACKAGE.changes [BUILD_DIR]
set -euo pipefail
changes=$(realpath "${1:?usage: package_test.sh PACKAGE.changes [BUILD_DIR]}")
build=${2:-}
deb=$(ls "$(dirname "$changes")"/sorvane_*_"$(dpkg-architecture -qDEB_HOST_ARCH)".deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

tags=$(lintian --allow-root --display-info --fail-on error,warning "$changes") ||
    fail "lintian: $tags"
echo "lintian: no error, no warning${tags:+; informational: $(awk '{print $3}' <<<"$tags" | sort -u | tr '\n' ' ')}"

dpkg-deb --extract "$deb" "$work/root"
root=$work/root/usr/share
appstreamcli validate --no-net --explain "$root/metainfo/org.example.Sorvane.metainfo.xml" >"$work/appstream" ||
    fail "appstream: $(cat "$work/appstream")"
! grep -q -E '^(W|E):' "$work/appstream" || fail "appstream warnings: $(cat "$work/appstream")"
desktop-file-validate "$root/applications/org.example.Sorvane.desktop" || fail "desktop entry"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -l "$root/man/man1/sorvane.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page: $warnings"

# Read whole before matching: grep -q would cut readelf off, and pipefail take that for a failure.
program=$work/root/usr/bin/sorvane
sections=$(readelf -S "$program"); header=$(readelf -h "$program")
segments=$(readelf -l "$program"); dynamic=$(readelf -d "$program")
symbols=$(readelf --dyn-syms -W "$program")
! grep -q '\.debug_info' <<<"$sections" || fail "the program is not stripped"
grep -q 'Type:.*DYN' <<<"$header" || fail "the program is not PIE"
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO"
grep -q -E 'BIND_NOW|FLAGS.*NOW' <<<"$dynamic" || fail "not linked with -z now"
grep -q __stack_chk_fail <<<"$symbols" || fail "no stack protector"
# Fortified calls appear only where the code calls such a libc function: read the flag off the build.
if [ -n "$build" ]; then
    grep -q -- '-D_FORTIFY_SOURCE=2' "$build/compile_commands.json" || fail "not built with _FORTIFY_SOURCE"
fi

depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'libgcc-s1 (>=' <<<"$depends" || fail "Depends lacks a versioned libgcc-s1: $depends"
grep -q 'libqt6widgets6 (>=' <<<"$depends" || fail "Depends lacks a versioned libqt6widgets6: $depends"
[ "$(dpkg-deb --field "$deb" Recommends)" = qt6-wayland ] || fail "does not recommend qt6-wayland"
echo "package: $(basename "$deb") clean; Depends: $depends"
