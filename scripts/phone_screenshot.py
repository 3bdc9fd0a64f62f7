#!/usr/bin/python3
"""The page on an emulated phone (360 CSS px wide, at twice the density) with
the NACA 2412 section calculated by a tap, saved as a palette PNG.

    /usr/bin/python3 scripts/phone_screenshot.py SITE_FOLDER OUT.png
"""

import base64
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'tests', 'web'))
from chromium_test import chromium  # noqa: E402
from served_site import Site, wait_for  # noqa: E402

site_folder, out = sys.argv[1], sys.argv[2]
site = Site(site_folder)
profile = tempfile.mkdtemp(prefix='sorvane-screenshot-')
driver = chromium(profile, phone=(360, 800, 2))
try:
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': 'delete window.showDirectoryPicker;'})
    driver.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'deny'})
    driver.get(site.url)
    wait_for(lambda: driver.execute_script("return performance.getEntriesByName('sorvane-ready').length"))
    driver.execute_script("Text_Code.value = '2412'; Text_N1.value = '31'; Command1.click(); Command1.blur()")
    driver.execute_async_script('requestAnimationFrame(() => requestAnimationFrame(arguments[0]))')
    shot = driver.execute_cdp_cmd('Page.captureScreenshot', {'format': 'png'})
    with open(out + '.full', 'wb') as full:
        full.write(base64.b64decode(shot['data']))
    subprocess.run(['pngquant', '--force', '--strip', '--output', out, '256', out + '.full'], check=True)
    os.remove(out + '.full')
finally:
    driver.quit()
    site.stop()
    shutil.rmtree(profile, ignore_errors=True)
