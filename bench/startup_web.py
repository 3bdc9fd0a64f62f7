#!/usr/bin/python3
"""The page's figures in headless Chromium: start-up against a plain page with
the same controls and no program, and one calculation against the same number
of lines drawn by a page's own script. Medians of interleaved runs.

    startup_web.py SITE_FOLDER [RUNS]
"""

import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'tests', 'web'))
from served_site import Site, wait_for  # noqa: E402
from chromium_test import HAND_FOLDER, chromium  # noqa: E402

READY = "return (performance.getEntriesByName('sorvane-ready')[0] || {}).startTime"
LOADED = "const n = performance.getEntriesByType('navigation')[0]; return n && n.loadEventEnd"

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


def main():
    site_folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    work = tempfile.mkdtemp(prefix='sorvane-bench-')
    site = Site(work)
    for name in os.listdir(site_folder):
        shutil.copy(os.path.join(site_folder, name), work)
    driver = chromium(os.path.join(work, 'profile'))
    try:
        driver.get(site.url)
        wait_for(lambda: driver.execute_script(READY))
        # The plain page: the window's own elements as the program built them, its stylesheet, no script.
        window = driver.execute_script("return document.getElementById('Form_Sorvane').outerHTML")
        with open(os.path.join(work, 'plain.html'), 'w') as plain:
            plain.write('<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>plain</title>'
                        '<link rel="stylesheet" href="sorvane.css"></head><body>%s</body></html>' % window)
        wait_for(lambda: driver.execute_script('return !!navigator.serviceWorker.controller'))

        sorvane, plain = [], []
        for _ in range(runs):
            driver.get(site.url + 'plain.html')
            plain.append(wait_for(lambda: driver.execute_script(LOADED)))
            driver.get(site.url)
            sorvane.append(max(wait_for(lambda: driver.execute_script(READY)), driver.execute_script(LOADED)))

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

    size = sum(os.path.getsize(os.path.join(site_folder, name)) for name in os.listdir(site_folder))
    m = statistics.median
    print('site:                      %d bytes, %d files' % (size, len(os.listdir(site_folder))))
    print('runs each:                 %d (interleaved, one browser, the offline copy serving the page)' % runs)
    print('start-up, plain page:      %.1f ms median (navigation to load)' % m(plain))
    print('start-up, Sorvane:         %.1f ms median (navigation to the window ready)  %.2f x plain'
          % (m(sorvane), m(sorvane) / m(plain)))
    print('click to plot painted:     %.3f ms median (2412, 200 points, file handed on)' % m(click))
    print('%d lines from script:     %.3f ms median  (Sorvane %.2f x that)' % (lines, m(draw), m(click) / m(draw)))


if __name__ == '__main__':
    main()
