#!/usr/bin/env bash
# Lighthouse's three scores for the page on mobile defaults, in Debian's
# Chromium, the site served on 127.0.0.1 as a host that sends the brotli
# copies does. Lighthouse comes from the npm registry as bench/lighthouse's
# lock file pins it (12.2.3, the last for Node.js 20); it is installed for the
# benchmark alone, never shipped and never run by the tests.
#   [RUNS=3] [SORVANE_TRACE=PREFIX (keeps PREFIX-1.trace.json ...)] bash bench/lighthouse.sh [SITE_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
site=$(realpath "${1:-build/web/site}")
tools=build/bench-tools/lighthouse
mkdir -p "$tools"
cp bench/lighthouse/package.json bench/lighthouse/package-lock.json "$tools/"
(cd "$tools" && npm ci --no-audit --no-fund >/dev/null)
report=$(mktemp -d)
trap 'rm -rf "$report"' EXIT
/usr/bin/python3 - "$site" "$tools" "$report" "${RUNS:-3}" <<'PYTHON'
import json, os, subprocess, sys
sys.path.insert(0, 'tests/web')
from served_site import Site
site_folder, tools, report, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
flags = ('--headless=new --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking'
         ' --disable-component-update --disable-sync')
# Three runs in a row, each in a new browser: one good run can be luck.
for run in range(1, runs + 1):
    site = Site(site_folder, precompressed=True)
    output = os.path.join(report, 'run%d' % run)
    try:
        subprocess.run(['node', os.path.join(tools, 'node_modules/lighthouse/cli/index.js'), site.url, '--quiet',
                        '--output=json', '--output-path=' + output + '.json', '--save-assets',
                        '--only-categories=performance,accessibility,best-practices', '--chrome-flags=' + flags],
                       env={**os.environ, 'CHROME_PATH': '/usr/bin/chromium'}, check=True)
    finally:
        site.stop()
    result = json.load(open(output + '.json'))
    audits = result['audits']
    if run == 1:
        print('Lighthouse %s, %s, mobile defaults (4x slower processor, simulated)'
              % (result['lighthouseVersion'], result['environment']['hostUserAgent']))
    scores = '  '.join('%s %d' % (name, round(category['score'] * 100)) for name, category in result['categories'].items())
    tasks = audits['long-tasks'].get('details', {}).get('items', [])
    longest = max(tasks, key=lambda task: task['duration'], default=None)
    print('run %d: %s; total blocking time %.0f ms; longest task %s' % (
        run, scores, audits['total-blocking-time']['numericValue'],
        '%.0f ms (%s)' % (longest['duration'], longest['url']) if longest else 'none over 50 ms'))
    for task in sorted(tasks, key=lambda task: task['startTime']):
        print('  long task at %6.0f ms: %4.0f ms  %s' % (task['startTime'], task['duration'], task['url']))
    for audit in audits.values():
        if audit.get('score') is not None and audit['score'] < 1 and audit.get('scoreDisplayMode') != 'informative':
            print('  below full marks: %s (%s)' % (audit['id'], audit.get('displayValue', '')))
    if os.environ.get('SORVANE_TRACE'):
        os.replace(output + '-0.trace.json', '%s-%d.trace.json' % (os.environ['SORVANE_TRACE'], run))
PYTHON
