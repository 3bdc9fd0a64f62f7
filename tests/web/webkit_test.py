#!/usr/bin/python3
"""The page in WebKitGTK (Safari's engine), driven through WebKitWebDriver in
an X server of its own: no folder to keep, so one calculation downloads
airfoil.txt, into the home folder that the test gives the browser.

    xvfb-run -a webkit_test.py SITE_FOLDER EXPECTED_2412_31
"""

import os
import shutil
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.webkitgtk.options import Options

sys.path.insert(0, os.path.dirname(__file__))
from served_site import Site, check_download, wait_for  # noqa: E402

SITE, EXPECTED = sys.argv[1], sys.argv[2]


class DownloadPath(unittest.TestCase):
    def test_one_calculation_downloads_the_file_on_a_phone_sized_screen(self):
        site = Site(SITE)
        home = tempfile.mkdtemp(prefix='sorvane-webkit-')
        os.environ['HOME'] = home
        options = Options()
        options.binary_location = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
        options.add_argument('--automation')
        driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
        try:
            # As wide as a phone held upright (390 x 844, an iPhone's): the window in one column.
            driver.set_window_size(390, 844)
            driver.get(site.url)
            self.assertTrue(wait_for(lambda: driver.execute_script(
                "return performance.getEntriesByName('sorvane-settled').length"), timeout=20))
            self.assertEqual(driver.execute_script(
                "const root = document.documentElement;"
                "return [Form_Sorvane.dataset.arrangement, root.scrollWidth <= root.clientWidth,"
                " Picture_Airfoil.getBoundingClientRect().right <= root.clientWidth]"), ['column', True, True])
            check_download(self, lambda expression: driver.execute_script('return ' + expression), home, EXPECTED)
        finally:
            driver.quit()
            site.stop()
            shutil.rmtree(home, ignore_errors=True)


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
