#!/usr/bin/env bash
# The static site as a host serves it: index.html at its root, every file kept
# for offline use, a policy that allows only the site's own scripts, and nothing
# asked of another origin.
#   bash tests/web/site_test.sh SITE_FOLDER
set -euo pipefail
cd "$1"
fail() { echo "site: $*" >&2; exit 1; }

[ -f index.html ] || fail "no index.html at the root"

# The offline copy keeps exactly the site's files.
kept=$(grep -o "const files = \[.*\]" sw.js | grep -o "'[^']*'" | tr -d "'" | grep -v '^\./$' | sort)
present=$(find . -type f ! -name sw.js -printf '%P\n' | sort)
[ "$kept" = "$present" ] || fail "the service worker keeps [$kept], the site holds [$present]"

policy=$(grep -o 'http-equiv="Content-Security-Policy" content="[^"]*"' index.html) || fail "no Content-Security-Policy"
grep -q "script-src 'self' 'wasm-unsafe-eval';" <<<"$policy" || fail "scripts not limited to the site's own: $policy"
! grep -q "unsafe-inline\|'unsafe-eval'" <<<"$policy" || fail "the policy allows inline or evaluated script"

# No inline script, style or handler, and no eval for the policy to refuse.
! grep -En '<script>|<script [^>]*>[^<]|<style|style="| on[a-z]+=' index.html || fail "inline script or style in index.html"
! grep -En 'new Function|[^A-Za-z_.]eval\(' sorvane.js sw.js || fail "evaluated code in the scripts"

# Nothing leaves for another origin (the SVG's namespace name is no request).
others=$(grep -ho 'https\?://[^"'"'"' )]*' ./* | grep -v '^http://www.w3.org/2000/svg$' || true)
[ -z "$others" ] || fail "addresses of other origins: $others"

echo "site: $(find . -type f | wc -l) files, $(du -cb -- * | tail -n 1 | cut -f 1) bytes in all" \
     "(sorvane.wasm $(stat -c %s sorvane.wasm), sorvane.js $(stat -c %s sorvane.js))"
