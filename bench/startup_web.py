#!/usr/bin/python3
"""The page's figures in headless Chromium, each beside a baseline measured in
the same run: the site's bytes; the first paint and the first click that
calculates, against the same page with no script (the window's own HTML and
stylesheet), as the machine runs and with the processor slowed 4x; and one calculation, against the same number of lines drawn by a
page's own script. Medians of interleaved loads, the site served as a host
that sends the brotli copies does, the offline copy serving the page as on a
person's second visit.

    startup_web.py SITE_FOLDER [RUNS]
"""

import os
import re
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'tests', 'web'))
from served_site import Site, wait_for  # noqa: E402
from chromium_test import HAND_FOLDER, chromium  # noqa: E402

# Every task over 50 ms, from the document's start (the Long Tasks API).
LONG_TASKS = """
window.longTasks = [];
new PerformanceObserver((list) => longTasks.push(...list.getEntries().map((task) => [task.startTime, task.duration])))
  .observe({type: 'longtask', buffered: true});
"""

# Navigation to the first paint, to the window wired (a click then calculates), and to the load event; and the
# longest task after the first paint, once the page has settled (Sorvane) or loaded (the plain page).
TIMES = """
const paint = performance.getEntriesByName('first-contentful-paint')[0];
const ready = performance.getEntriesByName('sorvane-ready')[0];
const settled = performance.getEntriesByName('sorvane-settled')[0];
const load = performance.getEntriesByType('navigation')[0];
const longest = (after) => Math.max(0, ...longTasks.filter((task) => task[0] >= after).map((task) => task[1]));
// (A build without the settled mark: a second after ready.)
return paint && load && load.loadEventEnd && (!arguments[0] || (ready && (settled || performance.now() > ready.startTime + 1000)))
  ? [paint.startTime, ready ? ready.startTime : 0, load.loadEventEnd, longest(paint.startTime), longest(0)] : null;
"""

# A click on the button, then the plot's paint: the frame callbacks asked for
# just before and just after the click run either side of the program's own.
CLICK = """
const done = arguments[arguments.length - 1];
let before = 0;
requestAnimationFrame(() => (before = performance.now()));
const start = performance.now();
document.getElementById('Command1').click();
const handled = performance.now();
requestAnimationFrame(() => done([handled - start, performance.now() - before]));
"""

# The baseline: the same number of segments drawn straight onto a canvas of the same size by the page's script.
PLAIN_DRAW = """
const done = arguments[arguments.length - 1];
const lines = arguments[0];
const canvas = document.createElement('canvas');
canvas.width = 409; canvas.height = 169;
document.body.append(canvas);
const start = performance.now();
const context = canvas.getContext('2d');
context.fillStyle = 'rgb(255, 224, 192)';
context.fillRect(0, 0, 409, 169);
for (let i = 0; i < lines; ++i) {
  context.beginPath(); context.strokeStyle = 'rgb(255, 0, 0)';
  context.moveTo(i % 409, 84 + 40 * Math.sin(i)); context.lineTo((i + 1) % 409, 84 + 40 * Math.sin(i + 1));
  context.stroke();
}
const handled = performance.now();
canvas.remove();
done([handled - start, 0]);
"""


def site_bytes(folder):
    """The site's files as they are, and as a host sends them: each file's brotli copy where it has one."""
    # The PNG icons serve an install alone: a visit does not fetch them.
    names = [name for name in os.listdir(folder) if not name.endswith(('.br', '.gz', '.png'))]
    raw = sum(os.path.getsize(os.path.join(folder, name)) for name in names)
    sent = sum(os.path.getsize(os.path.join(folder, name + '.br' if os.path.exists(
        os.path.join(folder, name + '.br')) else name)) for name in names)
    return len(names), raw, sent


def main():
    site_folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    work = tempfile.mkdtemp(prefix='sorvane-bench-')
    for name in os.listdir(site_folder):
        shutil.copy(os.path.join(site_folder, name), work)
    # The plain page: the same document with no script, so the same window shown by its HTML and stylesheet alone.
    with open(os.path.join(work, 'index.html')) as page:
        plain = re.sub(r'<script[^>]*></script>\n|<link rel="preload"[^>]*>\n', '', page.read())
    with open(os.path.join(work, 'plain.html'), 'w') as out:
        out.write(plain)
    site = Site(work, precompressed=True)
    driver = chromium(os.path.join(work, 'profile'))
    try:
        driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': LONG_TASKS})
        browser = driver.capabilities.get('browserVersion', '?')
        driver.get(site.url)
        wait_for(lambda: driver.execute_script(TIMES, True))
        wait_for(lambda: driver.execute_script('return !!navigator.serviceWorker.controller'))

        # As the machine runs, then with the processor slowed 4x, as Lighthouse slows it for a mid-range phone.
        loads = {}
        for rate in (1, 4):
            driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': rate})
            sorvane, plain = [], []
            for _ in range(runs):
                driver.get(site.url + 'plain.html')
                plain.append(wait_for(lambda: driver.execute_script(TIMES, False)))
                driver.get(site.url)
                sorvane.append(wait_for(lambda: driver.execute_script(TIMES, True)))
            loads[rate] = sorvane, plain
        driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': 1})

        driver.execute_script(HAND_FOLDER, 'bench')
        for field, text in (('Text_Code', '2412'), ('Text_N1', '200')):
            driver.execute_script("document.getElementById(arguments[0]).value = arguments[1]", field, text)
        # 200 points: 199 segments of outline, the chord and the leading-edge line.
        lines = 201
        click, draw = [], []
        for _ in range(runs):
            click.append(sum(driver.execute_async_script(CLICK)))
            draw.append(sum(driver.execute_async_script(PLAIN_DRAW, lines)))
    finally:
        driver.quit()
        site.stop()
        shutil.rmtree(work, ignore_errors=True)

    m = statistics.median
    files, raw, sent = site_bytes(site_folder)
    print('Chromium:                  %s, headless; %d runs each, interleaved, one browser' % (browser, runs))
    print('site:                      %d files, %d bytes; %d bytes as brotli' % (files, raw, sent))
    for rate, (sorvane, plain) in loads.items():
        paint = m(t[0] for t in sorvane), m(t[0] for t in plain)
        # A click needs the button on screen and wired: the later of the paint and the ready mark. The plain
        # page's button takes a click from its first paint.
        first_click = m(max(t[0], t[1]) for t in sorvane)
        slowed = ' (processor 4x slower)' if rate > 1 else ''
        print('first paint, plain page:   %.1f ms median%s' % (paint[1], slowed))
        print('first paint, Sorvane:      %.1f ms median  %.2f x plain (the window in it)' % (paint[0], paint[0] / paint[1]))
        print('first click that calculates: %.1f ms median (the window painted and wired)  %.2f x plain painted%s'
              % (first_click, first_click / paint[1], slowed))
        print('longest task after the first paint: Sorvane %.0f ms, plain page %.0f ms; before it: %.0f and %.0f ms '
              '(the longest of any load; 0: none over 50 ms)%s' % (max(t[3] for t in sorvane), max(t[3] for t in plain),
                                                               max(t[4] for t in sorvane), max(t[4] for t in plain), slowed))
    print('click to plot painted:     %.3f ms median (2412, 200 points, file handed on)' % m(click))
    print('%d lines from script:     %.3f ms median  (Sorvane %.2f x that)' % (lines, m(draw), m(click) / m(draw)))


if __name__ == '__main__':
    main()
