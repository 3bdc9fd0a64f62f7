#!/usr/bin/env bash
# The static site as a host serves it: index.html at its root, every file kept
# for offline use, a policy that allows only the site's own scripts, and nothing
# asked of another origin.
#   bash tests/web/site_test.sh SITE_FOLDER
set -euo pipefail
cd "$1"
fail() { echo "site: $*" >&2; exit 1; }

[ -f index.html ] || fail "no index.html at the root"

# The offline copy keeps exactly the site's files (their compressed copies are the host's to send).
kept=$(grep -o "const files = \[.*\]" sw.js | grep -o "'[^']*'" | tr -d "'" | grep -v '^\./$' | sort)
present=$(find . -type f ! -name sw.js ! -name '*.br' ! -name '*.gz' -printf '%P\n' | sort)
[ "$kept" = "$present" ] || fail "the service worker keeps [$kept], the site holds [$present]"

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

echo "site: $(wc -w <<<"$present sw.js") files, $(cat $present sw.js | wc -c) bytes in all, $(cat ./*.br sorvane-256.png | wc -c) as brotli" \
     "(sorvane.wasm $(stat -c %s sorvane.wasm), sorvane.js $(stat -c %s sorvane.js))"
