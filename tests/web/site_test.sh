#!/usr/bin/env bash
# The static site as a host serves it: index.html at its root, every file kept
# for offline use, a policy that allows only the site's own scripts, and nothing
# asked of another origin.
#   bash tests/web/site_test.sh SITE_FOLDER
set -euo pipefail
cd "$1"
fail() { echo "site: $*" >&2; exit 1; }

[ -f index.html ] || fail "no index.html at the root"

# The offline copy keeps exactly the files a visit fetches (their compressed
# copies are the host's to send); the PNG icons serve a phone's install alone.
kept=$(grep -o "const files = \[.*\]" sw.js | grep -o "'[^']*'" | tr -d "'" | grep -v '^\./$' | sort)
present=$(find . -type f ! -name sw.js ! -name '*.br' ! -name '*.gz' ! -name '*.png' -printf '%P\n' | sort)
[ "$kept" = "$present" ] || fail "the service worker keeps [$kept], the site holds [$present]"
for icon in $(grep -o '"[^"]*\.png"' manifest.webmanifest index.html | cut -d'"' -f2); do
    [ -f "$icon" ] || fail "no $icon, which the page names"
    [ "$(od -An -tu1 -j25 -N1 "$icon" | tr -d ' ')" = 3 ] || fail "$icon is not a palette PNG"
done

# What a first visit fetches stays small: a phone on a slow network.
bytes=$(cat $present sw.js | wc -c)
brotli_bytes=$(for file in $present sw.js; do cat "$file.br"; done | wc -c)
[ "$bytes" -le 160000 ] || fail "a first visit fetches $bytes bytes, over 160 KB"
[ "$brotli_bytes" -le 64000 ] || fail "a first visit fetches $brotli_bytes bytes as brotli, over 64 KB"

# Each compressed copy holds its file, byte for byte, and every file that compresses has both.
for file in $present sw.js; do
    case "$file" in *.png) continue ;; esac
    [ -f "$file.br" ] && [ -f "$file.gz" ] || fail "no compressed copies of $file"
    brotli --decompress --stdout "$file.br" | cmp -s - "$file" || fail "$file.br does not hold $file"
    gzip --decompress --stdout "$file.gz" | cmp -s - "$file" || fail "$file.gz does not hold $file"
done

policy=$(grep -o 'http-equiv="Content-Security-Policy" content="[^"]*"' index.html) || fail "no Content-Security-Policy"
grep -q "script-src 'self' 'wasm-unsafe-eval';" <<<"$policy" || fail "scripts not limited to the site's own: $policy"
! grep -q "unsafe-inline\|'unsafe-eval'" <<<"$policy" || fail "the policy allows inline or evaluated script"

# No inline script, style or handler, and no eval for the policy to refuse.
! grep -En '<script>|<script [^>]*>[^<]|<style|style="| on[a-z]+=' index.html || fail "inline script or style in index.html"
! grep -En 'new Function|[^A-Za-z_.]eval\(' sorvane.js sw.js || fail "evaluated code in the scripts"

# Nothing leaves for another origin (the SVG's namespace name is no request).
others=$(grep -ho 'https\?://[^"'"'"' )]*' ./* | grep -v '^http://www.w3.org/2000/svg$' || true)
[ -z "$others" ] || fail "addresses of other origins: $others"

echo "site: $(wc -w <<<"$present sw.js") files, $bytes bytes in all, $brotli_bytes as brotli" \
     "(sorvane.wasm $(stat -c %s sorvane.wasm), sorvane.js $(stat -c %s sorvane.js))"
