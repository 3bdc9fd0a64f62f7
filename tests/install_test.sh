#!/usr/bin/env bash
# Installs the built program into a temporary prefix and builds the Debian
# package, and checks that both hold the program, a valid desktop entry and
# the icon.
#   bash tests/install_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: install_test.sh BUILD_DIR}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
expected=(bin/sorvane share/applications/org.example.Sorvane.desktop
          share/metainfo/org.example.Sorvane.metainfo.xml
          share/icons/hicolor/scalable/apps/sorvane.svg share/man/man1/sorvane.1.gz
          share/doc/sorvane/copyright share/doc/sorvane/changelog.gz)
for file in "${expected[@]}"; do
    [ -f "$work/prefix/$file" ] || fail "cmake --install did not put $file in place"
done
[ -x "$work/prefix/bin/sorvane" ] || fail "bin/sorvane is not executable"
desktop-file-validate "$work/prefix/share/applications/org.example.Sorvane.desktop" || fail "desktop entry is not valid"
grep -q '<svg' "$work/prefix/share/icons/hicolor/scalable/apps/sorvane.svg" || fail "icon is not an SVG"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack could not build the package"
package=$(ls "$work"/package/*.deb)
dpkg-deb --field "$package" Package | grep -qx sorvane || fail "package is not named sorvane"
contents=$(dpkg-deb --contents "$package")
for file in "${expected[@]}"; do
    grep -q "\./usr/$file\$" <<<"$contents" || fail "the package lacks /usr/$file"
done
echo "install: ${expected[*]} in place, desktop entry valid, $(basename "$package") built"
