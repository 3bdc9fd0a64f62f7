#!/usr/bin/env bash
# The test command fails every stage whose ctest fails, however the stage
# calls it. It runs from a scratch copy of the scripts, with stand-ins for
# ctest, the builds, npm and wine, so that it takes seconds and leaves every
# real build folder as it was.
#   bash tests/test_command_test.sh [SOURCE_DIR]
set -euo pipefail
source=$(realpath "${1:-$(dirname "$0")/..}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/tree/tests/web" "$work/tree/build/"{default,sanitize,fuzz,windows,web}
cp -r "$source/scripts" "$work/tree/"
touch "$work/tree/tests/web/package.json" "$work/tree/tests/web/package-lock.json" "$work/calls"
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
stub dpkg-query "printf 'install ok installed'"
for tool in cmake npm wineserver wine64; do stub "$tool" 'exit 0'; done
for tool in apt-get sudo; do stub "$tool" 'exit 1'; done
stub ctest "echo ctest >>'$work/calls'; echo '50% tests passed, 1 tests failed out of 2'; exit 8"

stages=(native sanitizers fuzz windows web)
status=0
PATH="$work/bin:$PATH" SORVANE_WINE_DIR="$work/bin" bash "$work/tree/scripts/sorvane.sh" test "${stages[@]}" \
    >"$work/out" 2>&1 || status=$?
fail() { echo "FAIL: $*" >&2; tail -n 8 "$work/out" >&2; exit 1; }
[ "$(wc -l <"$work/calls")" -eq ${#stages[@]} ] || fail "not every stage reached its ctest"
for stage in "${stages[@]}"; do
    grep -q "^$stage: *FAILED in" "$work/out" || fail "the $stage stage hid its failed tests"
done
[ "$status" -ne 0 ] || fail "the test command passed"
echo "test command: ${#stages[@]} stages failed with their tests"
