#!/usr/bin/env bash
# Lighthouse's three scores for the page on mobile defaults, in Debian's
# Chromium, the site served on 127.0.0.1 as a host that sends the brotli
# copies does. Lighthouse comes from the npm registry as bench/lighthouse's
# lock file pins it (12.2.3, the last for Node.js 20); it is installed for the
# benchmark alone, never shipped and never run by the tests.
#   bash bench/lighthouse.sh [SITE_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
site=$(realpath "${1:-build/web/site}")
tools=build/bench-tools/lighthouse
mkdir -p "$tools"
cp bench/lighthouse/package.json bench/lighthouse/package-lock.json "$tools/"
(cd "$tools" && npm ci --no-audit --no-fund >/dev/null)
report=$(mktemp)
trap 'rm -f "$report"' EXIT
/usr/bin/python3 - "$site" "$tools" "$report" <<'PYTHON'
import json, os, subprocess, sys
sys.path.insert(0, 'tests/web')
from served_site import Site
site_folder, tools, report = sys.argv[1:]
site = Site(site_folder, precompressed=True)
flags = ('--headless=new --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking'
         ' --disable-component-update --disable-sync')
try:
    subprocess.run(['node', os.path.join(tools, 'node_modules/lighthouse/cli/index.js'), site.url, '--quiet',
                    '--output=json', '--output-path=' + report,
                    '--only-categories=performance,accessibility,best-practices', '--chrome-flags=' + flags],
                   env={**os.environ, 'CHROME_PATH': '/usr/bin/chromium'}, check=True)
finally:
    site.stop()
result = json.load(open(report))
print('Lighthouse %s, %s, mobile defaults' % (result['lighthouseVersion'], result['environment']['hostUserAgent']))
for name, category in result['categories'].items():
    print('%-15s %3d' % (name + ':', round(category['score'] * 100)))
for audit in result['audits'].values():
    if audit.get('score') is not None and audit['score'] < 1 and audit.get('scoreDisplayMode') != 'informative':
        print('  below full marks: %s (%s)' % (audit['id'], audit.get('displayValue', '')))
PYTHON
