#!/usr/bin/env bash
# Runs a test program as it would run on a machine with a single font package:
# a fontconfig of its own that knows that package's files and nothing else.
#   bash tests/ui/only_fonts.sh PACKAGE PROGRAM [ARGUMENT...]
set -euo pipefail
package=$1
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/fonts"
dpkg-query -L "$package" | grep -E '\.(ttf|otf)$' | while read -r file; do
    ln -s "$file" "$folder/fonts/"
done
cat >"$folder/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$folder/fonts</dir>
  <cachedir>$folder/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
EOF
FONTCONFIG_FILE="$folder/fonts.conf" SORVANE_ONLY_FONTS="$package" "$@"
