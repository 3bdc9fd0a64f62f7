# shellcheck shell=bash
# How sorvane.sh makes the packages, for its package command and for the test
# command's package stages: the Debian source and binary packages, the
# Windows installer and portable exe, and the page's zip. Sourced by
# sorvane.sh from the top of the tree, which sets $jobs and $updated. Each
# function checks every status that counts with || return, as sorvane.sh's
# do: a caller's condition or || list takes set -e away.
: "${jobs:?sourced by sorvane.sh}" "${updated:?sourced by sorvane.sh}"

# What debian/control names for building, and for the build's own tests.
install_build_dependencies() {
    dpkg-checkbuilddeps >/dev/null 2>&1 && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    if [ "$updated" = no ]; then "${sudo[@]}" apt-get update -q || return; updated=yes; fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get build-dep -y -q ./ >&2 ||
        { dpkg-checkbuilddeps; echo "package: could not install the build dependencies above" >&2; return 1; }
}

# The tree as it stands (tracked files and new ones git does not ignore; the
# whole tree less build output where there is no git), copied into FOLDER.
copy_source() {
    mkdir -p "$1" || return
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        # A tracked file deleted in the tree is left out, and must not fail the loop if it comes last.
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do if [ -e "$file" ]; then printf '%s\0' "$file"; fi; done |
            tar --null -T - -cf - | tar -xf - -C "$1" || return
    else
        tar --exclude=./build --exclude='./obj-*' -cf - . | tar -xf - -C "$1" || return
    fi
}

# The Debian version, and the files of this version's packages (and of no
# other) in FOLDER: deb_outputs FOLDER SUFFIX, as in deb_outputs build _amd64.deb.
deb_version() { dpkg-parsechangelog -S Version; }
deb_output() {
    local version
    version=$(deb_version) || return
    echo "$1/sorvane_$version$2"
}

# make_package WORK DEST [dpkg-buildpackage options...]: builds in a copy of the
# tree under WORK (dpkg-buildpackage writes beside the tree it builds), then
# moves exactly what the .changes lists, and the .changes, into DEST, and prints
# their paths. This version's earlier outputs in DEST go first, so a build that
# fails leaves none of them, and a later look finds this build's files alone.
make_package() {
    local work=$1 dest=$2 version arch changes listed file files=()
    shift 2
    version=$(deb_version) || return
    arch=$(dpkg-architecture -qDEB_HOST_ARCH) || return
    rm -rf "$work" || return
    rm -f "$dest/sorvane_$version".* "$dest/sorvane_$version"_* "$dest/sorvane-dbgsym_$version"_* || return
    copy_source "$work/sorvane" || return
    (cd "$work/sorvane" && dpkg-buildpackage -us -uc -j"$jobs" "$@") >&2 ||
        { echo "package: dpkg-buildpackage failed; the log is above" >&2; return 1; }
    changes="$work/sorvane_${version}_$arch.changes"
    # The Files section: one "md5 size section priority name" line each.
    listed=$(sed -n '/^Files:/,/^[^ ]/{/^ /p}' "$changes") || return
    while read -r _ _ _ _ file; do [ -z "$file" ] || files+=("$file"); done <<<"$listed"
    mkdir -p "$dest" || return
    for file in "${files[@]}" "$(basename "$changes")"; do
        mv "$work/$file" "$dest/" || return
        realpath "$dest/$file" || return
    done
}

# The version, as CMakeLists.txt sets it for every package.
project_version() { sed -n 's/^project(Sorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# sorvane.exe cross-built, as the MSI that installs it and as the portable exe;
# prints their paths.
make_windows_packages() {
    local version
    version=$(project_version) || return
    cmake --preset windows -DBUILD_TESTING=OFF >&2 || return
    cmake --build --preset windows --target sorvane -j "$jobs" >&2 || return
    bash packaging/windows/build_msi.sh "$version" build/windows/app/sorvane.exe "build/sorvane-$version-x64.msi" >&2 ||
        return
    cp build/windows/app/sorvane.exe "build/sorvane-$version-x64.exe" || return
    realpath "build/sorvane-$version-x64.msi" "build/sorvane-$version-x64.exe"
}

# The page's static site, built with Emscripten, as one zip for any static
# host; prints its path. The entries are in a fixed order with a fixed date,
# so the same site gives the same zip.
make_web_package() {
    local version
    version=$(project_version) || return
    cmake --preset web -DBUILD_TESTING=OFF >&2 || return
    cmake --build --preset web --target sorvane -j "$jobs" >&2 || return
    python3 - build/web/site "build/sorvane-$version-web.zip" <<'PYTHON' || return
import os, sys, zipfile
site, archive = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive + '.tmp', 'w', zipfile.ZIP_DEFLATED) as out:
    for name in sorted(os.listdir(site)):
        entry = zipfile.ZipInfo('sorvane/' + name, date_time=(2026, 1, 1, 0, 0, 0))
        entry.compress_type, entry.external_attr = zipfile.ZIP_DEFLATED, 0o644 << 16
        with open(os.path.join(site, name), 'rb') as data:
            out.writestr(entry, data.read())
os.replace(archive + '.tmp', archive)
PYTHON
    realpath "build/sorvane-$version-web.zip"
}
