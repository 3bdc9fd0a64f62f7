#!/usr/bin/python3
"""The page in headless Chromium, driven through chromedriver, against the
site served on 127.0.0.1.

    chromium_test.py SITE_FOLDER EXPECTED_2412_31 [unittest arguments]

In place of the folder picker the page is handed a folder of the browser's
own private storage; everything after the picker is the page's real path.
"""

import base64
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(__file__))
from served_site import Site, wait_for  # noqa: E402

SITE = EXPECTED = None  # from the command line
CAMBER_MESSAGE = 'Max Camber point must be between the leading and trailing edges ( 0 <xF< 1 ) !'
CODE_MESSAGE = 'Airfoil Code must be between 0001 and 9999 !'
COUNT_MESSAGE = 'Number of points must be less then 201 !'

# The picker's stand-in: a folder of the private storage, whose permission the test may withdraw.
HAND_FOLDER = """
const name = arguments[0];
window.sorvaneTest = {picks: 0, permission: 'granted'};
window.showDirectoryPicker = async () => {
  sorvaneTest.picks++;
  const root = await navigator.storage.getDirectory();
  const real = await root.getDirectoryHandle(name, {create: true});
  return new Proxy(real, {get(target, key) {
    if (key === 'queryPermission' || key === 'requestPermission') return async () => sorvaneTest.permission;
    const value = target[key];
    return typeof value === 'function' ? value.bind(target) : value;
  }});
};
"""

READ_FILE = """
const done = arguments[arguments.length - 1];
navigator.storage.getDirectory()
  .then((root) => root.getDirectoryHandle(arguments[0]))
  .then((folder) => folder.getFileHandle('airfoil.txt'))
  .then((file) => file.getFile()).then((file) => file.arrayBuffer())
  .then((bytes) => done(btoa(String.fromCharCode(...new Uint8Array(bytes)))))
  .catch(() => done(null));
"""

# Every caption's box holds its whole text, and where each control is.
LAYOUT = """
const boxes = {};
for (const element of document.querySelectorAll('#Form_Sorvane_Client [id]')) {
  const box = element.getBoundingClientRect();
  boxes[element.id] = [box.left, box.top, box.width, box.height];
}
const cut = [...document.querySelectorAll('#Form_Sorvane .label, #Command1')]
  .filter((e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight).map((e) => e.id);
return {boxes, cut, fontSize: parseFloat(getComputedStyle(document.getElementById('Command1')).fontSize)};
"""


def chromium(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--window-size=1000,800', '--user-data-dir=' + profile):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = Site(SITE)
        cls.profile = tempfile.mkdtemp(prefix='sorvane-chromium-')
        cls.driver = chromium(cls.profile)
        with open(EXPECTED, 'rb') as expected:
            cls.expected = expected.read()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.site.stop()
        shutil.rmtree(cls.profile, ignore_errors=True)

    def setUp(self):
        self.folder = self.id().rsplit('.', 1)[-1]
        self.load()

    def tearDown(self):
        # Nothing refused by the page's policy, no failed load, no script error.
        problems = [entry['message'] for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']
        self.assertEqual(problems, [])

    def load(self):
        self.driver.get(self.site.url)
        self.assertTrue(wait_for(lambda: self.driver.execute_script(
            "return performance.getEntriesByName('sorvane-ready').length")), 'the window never became ready')
        self.driver.execute_script(HAND_FOLDER, self.folder)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def value(self, name):
        return self.element(name).get_property('value')

    def calculate(self, code, count):
        for name, text in (('Text_Code', code), ('Text_N1', count)):
            field = self.element(name)
            field.clear()
            field.send_keys(text)
        self.element('Command1').click()

    def message(self):
        return self.driver.execute_script(
            "const box = document.getElementById('Message');"
            "return box.open ? document.getElementById('Message_Text').textContent : null")

    def saved(self):
        text = self.driver.execute_async_script(READ_FILE, self.folder)
        return None if text is None else base64.b64decode(text)

    def test_starts_as_designed(self):
        self.assertEqual(self.driver.title, 'NACA 4 digit airfoil Coordinate Generator')
        self.assertEqual([self.value(name) for name in ('Text_Code', 'Text_N1', 'Text_CCR', 'Text_FCR', 'Text_TCR')],
                         ['0012', '51', '', '', ''])
        self.assertEqual(self.driver.execute_script('return document.activeElement.id'), 'Command1')
        # A blank drawing box in its colour, with no section drawn.
        colours = self.driver.execute_script(
            "const c = document.getElementById('Picture_Airfoil');"
            "const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;"
            "return new Set(Array.from({length: d.length / 4}, (_, i) => d.slice(4 * i, 4 * i + 3).join())).size")
        self.assertEqual(colours, 1)
        self.assertEqual(self.element('Picture_Airfoil').value_of_css_property('background-color'),
                         'rgba(255, 224, 192, 1)')
        # Each field is named by its caption; the plot is an image.
        self.assertEqual(self.element('Text_N1').get_attribute('aria-labelledby'), 'Label5')
        self.assertEqual(self.element('Picture_Airfoil').get_attribute('role'), 'img')
        # Nothing was asked of another origin.
        origins = self.driver.execute_script(
            "return performance.getEntriesByType('resource').map((r) => new URL(r.name).origin)")
        self.assertEqual(set(origins) - {self.site.url.rstrip('/')}, set())

    def test_inputs(self):
        # code, count, the ratios (camber, position, thickness) or None, the message or None
        cases = [
            ('2412', '31', ('0.02', '0.4', '0.12'), None),
            ('2012', '51', None, CAMBER_MESSAGE),
            ('0', '51', None, CODE_MESSAGE),
            ('0012', '201', ('0', '0', '0.12'), COUNT_MESSAGE),
        ]
        for code, count, ratios, message in cases:
            with self.subTest(code=code, count=count):
                before = self.saved()
                self.calculate(code, count)
                if ratios:
                    self.assertEqual(tuple(self.value(n) for n in ('Text_CCR', 'Text_FCR', 'Text_TCR')), ratios)
                if message is None:
                    self.assertEqual(self.message(), None)
                    continue
                self.assertEqual(wait_for(self.message), message)
                dialog = self.element('Message')
                self.assertEqual(dialog.get_attribute('role'), 'alertdialog')
                self.assertEqual(self.element('Message_Caption').text, 'Sorvane')
                self.assertEqual(len(dialog.find_elements(By.TAG_NAME, 'button')), 1)
                self.driver.switch_to.active_element.send_keys(Keys.ENTER)
                self.assertTrue(wait_for(lambda: self.message() is None))
                self.assertEqual(self.driver.execute_script('return document.activeElement.id'), 'Command1')
                # A refused input writes nothing.
                self.assertEqual(self.saved(), before)

    def test_file_rewritten_without_asking_again(self):
        self.calculate('2412', '31')
        self.assertEqual(wait_for(self.saved), self.expected)
        self.calculate('0012', '51')
        self.assertTrue(wait_for(lambda: (self.saved() or b'').startswith(b'NACA 0012\n 51 \n')))
        self.assertEqual(self.driver.execute_script('return sorvaneTest.picks'), 1)
        self.assertEqual(self.element('Picture_Airfoil').get_attribute('aria-describedby'),
                         'Picture_Airfoil_Description')
        self.assertEqual(self.element('Picture_Airfoil_Description').get_attribute('textContent'),
                         'NACA 0012, 51 points')

    def test_withdrawn_permission_keeps_the_file(self):
        self.calculate('2412', '31')
        self.assertEqual(wait_for(self.saved), self.expected)
        self.driver.execute_script("sorvaneTest.permission = 'denied'")
        self.calculate('0012', '51')
        self.assertIn('the permission to write there was withdrawn', wait_for(self.message) or '')
        self.assertEqual(self.saved(), self.expected)

    def test_red_outline_on_screen(self):
        self.calculate('2412', '51')
        self.driver.execute_async_script('requestAnimationFrame(() => requestAnimationFrame(arguments[0]))')
        shot = self.element('Picture_Airfoil').screenshot_as_png
        # ImageMagick's count of each colour in the screenshot: "  123: (255,224,192) ...".
        histogram = subprocess.run(['convert', 'png:-', '-alpha', 'off', '-format', '%c', 'histogram:info:-'],
                                   input=shot, capture_output=True, check=True).stdout.decode()
        counts = [(int(count), tuple(int(float(c)) for c in colour.split(',')[:3]))
                  for count, colour in re.findall(r'(\d+): \(([^)]*)\)', histogram)]
        red = sum(count for count, (r, g, b) in counts if r > 200 and g < 90 and b < 90)
        width = self.element('Picture_Airfoil').size['width']
        # The outline runs round the chord twice: far more red pixels than the box is wide.
        self.assertGreater(red, width)
        self.assertEqual(max(counts)[1], (255, 224, 192))

    def test_about_is_one_window(self):
        for _ in range(2):
            self.element('Mn_About').click()
        self.assertEqual(len(self.driver.find_elements(By.ID, 'Form_About')), 1)
        self.assertEqual(self.element('Form_About_Label1').text, 'Sorvan')
        self.assertEqual(self.element('Form_About_Label1').value_of_css_property('font-weight'), '700')
        # The main window stays usable beside it.
        self.calculate('2412', '31')
        self.assertEqual(self.value('Text_TCR'), '0.12')
        self.element('Form_About_Close').click()
        self.element('Mn_About').click()
        self.assertEqual(len(self.driver.find_elements(By.ID, 'Form_About')), 1)
        self.assertTrue(self.element('Form_About').get_property('open'))

    def test_keyboard(self):
        # Tab walks the design's order; Enter in a field runs nothing; Space on the button runs it.
        order = []
        for _ in range(6):
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            order.append(self.driver.execute_script('return document.activeElement.id'))
        self.assertEqual(order, ['Picture_Airfoil', 'Text_CCR', 'Text_TCR', 'Text_FCR', 'Text_Code', 'Text_N1'])
        self.driver.switch_to.active_element.send_keys(Keys.ENTER)
        self.assertEqual(self.value('Text_CCR'), '')
        self.element('Command1').send_keys(Keys.SPACE)
        self.assertEqual(self.value('Text_TCR'), '0.12')
        # The About entry comes before the button.
        self.driver.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
        self.assertEqual(self.driver.execute_script('return document.activeElement.id'), 'Mn_About')

    def test_system_settings(self):
        cdp = self.driver.execute_cdp_cmd
        agent = self.driver.execute_script('return navigator.userAgent')
        # (what is set, what to undo it with, code, the first ratio, the file's line end)
        cases = [
            ('Emulation.setLocaleOverride', {'locale': 'de-DE'}, {}, '0,02', b'\n'),
            ('Emulation.setLocaleOverride', {'locale': 'ar-EG'}, {}, '0\u066b02', b'\n'),
            ('Emulation.setUserAgentOverride', {'userAgent': agent, 'platform': 'Win32'},
             {'userAgent': agent, 'platform': 'Linux x86_64'}, '0.02', b'\r\n'),
        ]
        for command, setting, undo, ratio, line_end in cases:
            with self.subTest(command=command, setting=setting):
                cdp(command, setting)
                try:
                    self.folder += 'x'
                    self.load()
                    self.calculate('2412', '31')
                    self.assertEqual(self.value('Text_CCR'), ratio)
                    self.assertEqual(wait_for(self.saved), self.expected.replace(b'\n', line_end))
                finally:
                    cdp(command, undo)

    def test_layout_grows_with_the_text(self):
        cdp = self.driver.execute_cdp_cmd
        plain = self.driver.execute_script(LAYOUT)
        self.assertEqual(plain['cut'], [])
        # A 24 px default font, then a screen of twice the density (as at 200 % zoom).
        cases = [('Page.setFontSizes', {'fontSizes': {'standard': 24}}, {'fontSizes': {'standard': 16}}),
                 ('Emulation.setDeviceMetricsOverride',
                  {'width': 1000, 'height': 800, 'deviceScaleFactor': 2, 'mobile': False}, None)]
        for command, setting, undo in cases:
            with self.subTest(command=command):
                cdp(command, setting)
                try:
                    self.load()
                    grown = self.driver.execute_script(LAYOUT)
                    self.assertEqual(grown['cut'], [])
                    self.assertGreaterEqual(grown['fontSize'], plain['fontSize'] * (1.5 if undo else 1))
                    factor = grown['boxes']['Picture_Airfoil'][2] / plain['boxes']['Picture_Airfoil'][2]
                    origin, plain_origin = grown['boxes']['Frame2'][:2], plain['boxes']['Frame2'][:2]
                    for name, box in plain['boxes'].items():
                        for i in range(4):
                            at = box[i] - (plain_origin[i] if i < 2 else 0)
                            got = grown['boxes'][name][i] - (origin[i] if i < 2 else 0)
                            self.assertAlmostEqual(got, at * factor, delta=2, msg=name)
                    if not undo:
                        backing = self.driver.execute_script(
                            "const c = document.getElementById('Picture_Airfoil');"
                            "return [c.width, c.clientWidth]")
                        self.assertEqual(backing[0], 2 * backing[1])
                finally:
                    if undo:
                        cdp(command, undo)
                    else:
                        cdp('Emulation.clearDeviceMetricsOverride', {})


class Offline(unittest.TestCase):
    def test_works_offline_and_installs(self):
        site = Site(SITE)
        profile = tempfile.mkdtemp(prefix='sorvane-chromium-')
        driver = chromium(profile)
        try:
            driver.get(site.url)
            self.assertTrue(wait_for(lambda: driver.execute_script('return !!navigator.serviceWorker.controller')))
            self.assertEqual(driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'], [])
            site.stop()
            driver.refresh()
            self.assertTrue(wait_for(lambda: driver.execute_script(
                "return performance.getEntriesByName('sorvane-ready').length")))
            driver.find_element(By.ID, 'Command1').click()
            self.assertEqual(driver.find_element(By.ID, 'Text_TCR').get_property('value'), '0.12')
        finally:
            driver.quit()
            shutil.rmtree(profile, ignore_errors=True)


if __name__ == '__main__':
    SITE, EXPECTED = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
