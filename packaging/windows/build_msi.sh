#!/usr/bin/env bash
# Builds the Windows installer from sorvane.wxs with wixl (msitools), which
# reads the files from the folder it runs in: they are gathered there first.
#   bash packaging/windows/build_msi.sh VERSION SORVANE_EXE OUT.msi
set -euo pipefail
version=${1:?usage: build_msi.sh VERSION SORVANE_EXE OUT.msi}
exe=$(realpath "${2:?missing sorvane.exe}")
out=$(realpath -m "${3:?missing OUT.msi}")
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/sorvane.exe"
cp "$source_dir/win32/sorvane.ico" "$source_dir/LICENSE" "$here/README.txt" "$stage/"
mkdir -p "$(dirname "$out")"
rm -f "$out"
(cd "$stage" && wixl --arch x64 -D Version="$version" -o "$out" "$here/sorvane.wxs")
# wixl can report a failure and still exit 0.
[ -s "$out" ] || { echo "build_msi: wixl made no $out" >&2; exit 1; }
