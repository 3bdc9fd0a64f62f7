#!/usr/bin/env bash
# Checks an installed tree: the program, its desktop entry, AppStream
# metainfo, icons and man page, each where the desktop looks for it.
#   bash tests/install_test.sh --build BUILD_DIR   cmake --install into a temporary prefix, then check it
#   bash tests/install_test.sh --tree PREFIX       check a tree installed already (the Debian package's /usr)
set -euo pipefail
mode=${1:?usage: install_test.sh --build BUILD_DIR | --tree PREFIX}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

case "$mode" in
    --build) prefix=$work/prefix
             cmake --install "$(realpath "${2:?missing BUILD_DIR}")" --prefix "$prefix" >/dev/null ;;
    --tree) prefix=$(realpath "${2:?missing PREFIX}") ;;
    *) fail "usage: install_test.sh --build BUILD_DIR | --tree PREFIX" ;;
esac

expected=(bin/sorvane share/applications/org.example.Sorvane.desktop
          share/metainfo/org.example.Sorvane.metainfo.xml
          share/icons/hicolor/scalable/apps/sorvane.svg share/icons/hicolor/48x48/apps/sorvane.png)
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file is not in place under $prefix"
done
[ -x "$prefix/bin/sorvane" ] || fail "bin/sorvane is not executable"
ls "$prefix"/share/man/man1/sorvane.1* >/dev/null 2>&1 || fail "the man page is not in place under $prefix"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/sorvane.svg" || fail "the icon is not an SVG"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/org.example.Sorvane.desktop" || fail "desktop entry is not valid"
fi
echo "install: program, desktop entry, metainfo, icons and man page in place under $prefix"
