#!/usr/bin/python3
"""The page in headless Chromium, driven through chromedriver, against the
site served on 127.0.0.1.

    chromium_test.py SITE_FOLDER EXPECTED_2412_31 [unittest arguments]

In place of the folder picker the page is handed a folder of the browser's
own private storage; everything after the picker is the page's real path.
"""

import base64
import hashlib
import json
import os
import re
import shlex
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
from served_site import Site, check_download, wait_for  # noqa: E402

SITE = EXPECTED = None  # from the command line
AXE = os.environ.get('SORVANE_AXE')  # axe-core's script, from npm ci in tests/web
CAMBER_MESSAGE = 'Max Camber point must be between the leading and trailing edges ( 0 <xF< 1 ) !'
CODE_MESSAGE = 'Airfoil Code must be between 0001 and 9999 !'
COUNT_MESSAGE = 'Number of points must be less then 201 !'
# The window design's accessible names, as the desktop windows give them.
NAMES = {'Text_Code': 'NACA code', 'Text_N1': 'Number of points', 'Text_CCR': 'Camber Ratio',
         'Text_FCR': 'Max Camber Loc', 'Text_TCR': 'Thickness Ratio', 'Picture_Airfoil': 'Airfoil plot'}

# The picker's stand-in: a folder of the private storage (a real handle, which
# the page may keep across visits), and the permissions the test sets.
# sorvaneTest.picker names the error the picker fails with, if any.
HAND_FOLDER = """
const name = arguments[0];
window.sorvaneTest = {picks: 0, permission: 'granted', answer: 'granted', asked: 0, picker: null};
FileSystemHandle.prototype.queryPermission = async () => sorvaneTest.permission;
FileSystemHandle.prototype.requestPermission = async () => {
  sorvaneTest.asked++;
  return (sorvaneTest.permission = sorvaneTest.answer);
};
window.showDirectoryPicker = async () => {
  sorvaneTest.picks++;
  if (sorvaneTest.picker) throw new DOMException('the test refuses', sorvaneTest.picker);
  const root = await navigator.storage.getDirectory();
  return root.getDirectoryHandle(name, {create: true});
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

# A day of use: one part (arguments[0]) done arguments[1] times, a frame between steps.
DAY = """
const [part, count, done] = arguments;
const step = {
  about: (i) => i % 2 ? (Mn_About.click(), Form_About_Close.click())
    : (Mn_About.click(), Form_About.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', bubbles: true}))),
  messages: () => (Text_Code.value = '2012', Command1.click(), Message_OK.click()),
  resizes: (i) => (document.documentElement.style.fontSize = i % 2 ? '' : '18px', dispatchEvent(new Event('resize'))),
  calculations: (i) => (Text_Code.value = i + 1 < count ? '0012' : '2412', Text_N1.value = '31', Command1.click()),
}[part];
(async () => {
  for (let i = 0; i < count; i++)
    if ((step(i), part != 'calculations' || i % 100 == 99)) await new Promise((go) => requestAnimationFrame(() => setTimeout(go)));
})().then(() => done(null), (error) => done(String(error)));
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


# A refit measures in a frame and shows in the task after it, and the plot paints in a frame after that.
FRAMES = ('requestAnimationFrame(() => setTimeout(() => requestAnimationFrame(() => setTimeout(() =>'
          ' requestAnimationFrame(() => requestAnimationFrame(arguments[0]))))))')
# The colours of the rows and of the columns of the plot that one colour besides its background fills more than
# half of, the ten colours it shows most (its background first), its height, and the page's own background.
PLOT = """
const c = Picture_Airfoil, d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
const all = {}, rows = [], columns = [], across = Array.from({length: c.width}, () => ({}));
const lines = (counts, length, into) => { for (const k in counts) counts[k] > length / 2 && k != d.slice(0, 3) && into.push(k); };
for (let y = 0, i = 0, row = {}; y < c.height; y++, lines(row, c.width, rows), row = {})
  for (let x = 0; x < c.width; x++, i += 4) for (const counts of [row, across[x], all]) counts[d.slice(i, i + 3)] = (counts[d.slice(i, i + 3)] || 0) + 1;
across.forEach((column) => lines(column, c.height, columns));
return [rows, columns, Object.keys(all).sort((a, b) => all[b] - all[a]).slice(0, 10), c.height,
        getComputedStyle(document.body).backgroundColor];
"""
# Where an element's text is on the page, as a screenshot's clip.
TEXT_BOX = """const r = document.createRange(); r.selectNodeContents(document.getElementById(arguments[0]));
const b = r.getBoundingClientRect(); return {x: b.x, y: b.y, width: b.width, height: b.height, scale: 1};"""
# A phone's browser: Android's Chrome, which has a touch screen and no folder picker.
PHONE_AGENT = ('Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) '
               'Chrome/156.0.0.0 Mobile Safari/537.36')

# Each named element's box, and the page's scroll width; the backing store's width against the plot's at the density.
BOXES = """
const boxes = {};
for (const name of arguments[0]) {
  const b = document.getElementById(name).getBoundingClientRect();
  boxes[name] = [b.left, b.top, b.width, b.height, parseFloat(getComputedStyle(document.getElementById(name)).fontSize)];
}
return [boxes, document.documentElement.scrollWidth, Picture_Airfoil.width - Math.round(Picture_Airfoil.clientWidth * devicePixelRatio)];
"""
PHONE_CONTROLS = ['Mn_About', 'Command1'] + list(NAMES)
PHONE_TEXTS = ['Form_Sorvane_Title', 'Label1', 'Label2', 'Label3', 'Label4', 'Label5']


# A click queued as the window is wired (its ready mark), with the code and count of the expected file.
EARLY_CLICK = """
delete window.showDirectoryPicker;
const mark = performance.mark.bind(performance);
performance.mark = (name) => {
  if (name === 'sorvane-ready') queueMicrotask(() => {
    window.earlyClick = !performance.getEntriesByName('sorvane-settled').length;
    Text_Code.value = '2412'; Text_N1.value = '31'; Command1.click();
  });
  return mark(name);
};
"""


def colours(png):
    """Each colour of a screenshot with its count, commonest first, by ImageMagick's "  123: (255,224,192) ..."."""
    histogram = subprocess.run(['convert', 'png:-', '-alpha', 'off', '-format', '%c', 'histogram:info:-'],
                               input=png, capture_output=True, check=True).stdout.decode()
    return sorted(((int(count), tuple(int(float(c)) for c in colour.split(',')[:3]))
                   for count, colour in re.findall(r'(\d+): \(([^)]*)\)', histogram)), reverse=True)


def red_pixels(png):
    """The red pixels in a screenshot, and its commonest colour."""
    counts = colours(png)
    return sum(count for count, (r, g, b) in counts if r > 200 and g < 90 and b < 90), counts[0][1]


def contrast(a, b):
    """WCAG's contrast of two colours."""
    light = sorted(sum(w * (c / 3294.6 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4)
                       for w, c in zip((0.2126, 0.7152, 0.0722), colour)) for colour in (a, b))
    return (light[1] + 0.05) / (light[0] + 0.05)


def chromium(profile, policy=None, phone=None):
    """Chromium with a new profile, under the test's own managed policy alone (none, or policy):
    it sees an /etc/chromium of its own, whatever an administrator has set. phone: (width,
    height, pixel ratio) of an emulated phone, touch and its browser's user agent."""
    options = webdriver.ChromeOptions()
    if phone:
        width, height, ratio = phone
        options.add_experimental_option('mobileEmulation', {
            'deviceMetrics': {'width': width, 'height': height, 'pixelRatio': ratio, 'touch': True, 'mobile': True},
            'userAgent': PHONE_AGENT})
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--window-size=1000,800', '--user-data-dir=' + profile):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    etc = os.path.join(profile, 'etc')
    os.makedirs(os.path.join(etc, 'policies', 'managed'))
    if policy is not None:
        with open(os.path.join(etc, 'policies', 'managed', 'sorvane-test.json'), 'w') as out:
            json.dump(policy, out)
    # chromedriver and its browser in a mount namespace of their own, with that folder over /etc/chromium.
    driver = os.path.join(profile, 'chromedriver')
    with open(driver, 'w') as out:
        out.write('#!/bin/sh\nexec unshare %s sh -c \'mount --bind "$0" /etc/chromium && '
                  'exec /usr/bin/chromedriver "$@"\' %s "$@"\n' % ('-m' if os.getuid() == 0 else '-rm', shlex.quote(etc)))
    os.chmod(driver, 0o755)
    return webdriver.Chrome(service=Service(driver), options=options)


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

    def load(self, keep_folder=False):
        # Each test's folder is its own, unless it is the kept one of a visit before.
        if not keep_folder:
            self.driver.execute_cdp_cmd('Storage.clearDataForOrigin',
                                        {'origin': self.site.url.rstrip('/'), 'storageTypes': 'indexeddb'})
        self.driver.get(self.site.url)
        self.assertTrue(wait_for(lambda: self.driver.execute_script(
            "return performance.getEntriesByName('sorvane-settled').length")), 'the window never settled')
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

    def settle(self):
        """Lets the page finish what the last event started: its saves run on promises alone."""
        self.driver.execute_async_script('setTimeout(arguments[0], 0)')

    def dismiss(self):
        self.element('Message_OK').click()
        self.assertTrue(wait_for(lambda: self.message() is None))

    def focused_accessibility(self):
        """The role and name of the node with the focus in the browser's accessibility tree, and of its dialog."""
        tree = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})
        nodes = {node['nodeId']: node for node in tree['nodes']}
        node = next((node for node in nodes.values() if node['role']['value'] != 'RootWebArea' and
                     {'name': 'focused', 'value': {'type': 'booleanOrUndefined', 'value': True}}
                     in node.get('properties', [])), None)
        chain = []
        while node:
            chain.append((node['role']['value'], node.get('name', {}).get('value')))
            node = nodes.get(node.get('parentId'))
        return chain[:1] + [role for role in chain if role[0] == 'alertdialog'][:1]

    def assert_scaled(self, grown, plain):
        """Every control of one layout is where the other has it, grown by one factor."""
        factor = grown['boxes']['Picture_Airfoil'][2] / plain['boxes']['Picture_Airfoil'][2]
        origin, plain_origin = grown['boxes']['Frame2'][:2], plain['boxes']['Frame2'][:2]
        self.assertEqual(grown['boxes'].keys(), plain['boxes'].keys())
        for name, box in plain['boxes'].items():
            for i in range(4):
                at = box[i] - (plain_origin[i] if i < 2 else 0)
                got = grown['boxes'][name][i] - (origin[i] if i < 2 else 0)
                self.assertAlmostEqual(got, at * factor, delta=2, msg=name)

    def test_window_is_in_the_page_before_any_script(self):
        elements = "return [...document.querySelectorAll('#Form_Sorvane *')].map((e) => e.tagName + '#' + e.id)"
        self.driver.execute_cdp_cmd('Emulation.setScriptExecutionDisabled', {'value': True})
        try:
            self.driver.get(self.site.url)
            before = self.driver.execute_script(elements), self.driver.execute_script(LAYOUT)
            names = {name: self.element(name).accessible_name for name in NAMES}
            self.assertEqual(self.element('Label5').text, 'Number of points =')
        finally:
            self.driver.execute_cdp_cmd('Emulation.setScriptExecutionDisabled', {'value': False})
        self.assertEqual(names, NAMES)
        # Running, the page has the same elements, none added twice, and the fit only rescales the window.
        self.load()
        self.assertEqual(self.driver.execute_script(elements), before[0])
        self.assert_scaled(self.driver.execute_script(LAYOUT), before[1])

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
        # The names a screen reader announces are the desktop's; a click on a caption goes to its field.
        names = {name: self.element(name).accessible_name for name in NAMES}
        self.assertEqual(names, NAMES)
        self.assertEqual(self.element('Picture_Airfoil').aria_role, 'image')
        self.element('Label5').click()
        self.assertEqual(self.driver.execute_script('return document.activeElement.id'), 'Text_N1')
        self.assertEqual(len(self.driver.find_elements(By.TAG_NAME, 'h1')), 1)
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

    def test_folder_kept_across_visits(self):
        self.calculate('2412', '31')
        self.assertEqual(wait_for(self.saved), self.expected)
        # The next visit finds the folder kept; its permission, back to 'prompt', is asked for in the click.
        self.load(keep_folder=True)
        self.driver.execute_script("sorvaneTest.permission = 'prompt'")
        self.calculate('0012', '51')
        self.assertTrue(wait_for(lambda: (self.saved() or b'').startswith(b'NACA 0012\n')))
        self.assertEqual(self.driver.execute_script('return [sorvaneTest.picks, sorvaneTest.asked]'), [0, 1])
        self.assertEqual(self.message(), None)

    def test_failures(self):
        click_twice = "Command1.click(); Command1.click()"
        # (what the test breaks, what then runs, a part of the one message, whether the file is the first one)
        cases = [
            ("sorvaneTest.permission = 'denied'", click_twice,
             'in the folder "test_failures_0": the permission to write there was withdrawn', True),
            ("sorvaneTest.picker = 'AbortError'", click_twice,
             'no folder was chosen for it. The next calculation asks for one again.', False),
            ("Intl.NumberFormat = function () { throw new TypeError('a test failure'); }", 'Command1.click()',
             'Sorvane could not complete that step: a test failure', False),
            ("FileSystemFileHandle.prototype.createWritable ="
             " async () => { throw new DOMException('the disk is full', 'QuotaExceededError'); }", 'Command1.click()',
             'the disk is full. No airfoil.txt was left there.', False),
        ]
        for number, (breaking, run, message, first_saved) in enumerate(cases):
            with self.subTest(breaking=breaking):
                self.folder = 'test_failures_%d' % number
                self.load()
                if first_saved:
                    self.calculate('2412', '31')
                    self.assertEqual(wait_for(self.saved), self.expected)
                self.driver.execute_script(breaking)
                self.driver.execute_script(run)
                self.settle()
                self.assertIn(message, wait_for(self.message) or '')
                self.dismiss()
                self.settle()
                # One message for one failure, and nothing left but what was there.
                self.assertEqual(self.message(), None)
                self.assertEqual(self.saved(), self.expected if first_saved else None)

    def test_start_failures(self):
        # (what the browser lacks before the page's scripts run, a part of the page's own text)
        cases = [('delete window.WebAssembly', 'it needs WebAssembly'),
                 ("WebAssembly.instantiateStreaming = WebAssembly.instantiate ="
                  " () => Promise.reject(new Error('no module here'))",
                  'its module sorvane.wasm did not load or compile (RuntimeError: Aborted(Error: no module here)'),
                 # A failure of the page's own, once the module runs and before its button works, is named as it is.
                 ("window.matchMedia = () => { throw new TypeError('no media queries here'); }",
                  'Sorvane cannot start: TypeError: no media queries here.')]
        cdp = self.driver.execute_cdp_cmd
        for script, text in cases:
            with self.subTest(script=script):
                added = cdp('Page.addScriptToEvaluateOnNewDocument', {'source': script})['identifier']
                try:
                    self.driver.get(self.site.url)
                    failure = self.element('Start_Failure')
                    self.assertTrue(wait_for(failure.is_displayed))
                    self.assertIn(text, failure.text)
                    self.assertEqual(failure.aria_role, 'alert')
                finally:
                    cdp('Page.removeScriptToEvaluateOnNewDocument', {'identifier': added})
                self.driver.get_log('browser')  # the module's own report of what failed

    def test_message_after_the_picker_takes_the_focus(self):
        # The picker's window has the focus as it closes, or took it and gave it back before the
        # message came: the message waits for the window's own focus, and opens a frame after it.
        away = ["document.hasFocus = () => false", "window.dispatchEvent(new FocusEvent('blur'))"]
        for number, leave in enumerate(away):
            with self.subTest(leave=leave):
                self.folder = 'picker_%d' % number
                self.load()
                self.driver.execute_script("sorvaneTest.picker = 'AbortError'; " + leave)
                self.element('Command1').click()
                self.settle()
                self.assertEqual(self.message(), None)
                self.driver.execute_script("delete document.hasFocus; window.dispatchEvent(new FocusEvent('focus'))")
                self.assertIn('no folder was chosen', wait_for(self.message) or '')
                self.assertEqual(self.focused_accessibility(), [('button', 'OK'), ('alertdialog', 'Sorvane')])

    def test_about_closes_with_escape_and_gives_the_focus_back(self):
        for close in (lambda: self.driver.switch_to.active_element.send_keys(Keys.ESCAPE),
                      lambda: self.element('Form_About_Close').click()):
            self.element('Mn_About').click()
            self.assertTrue(self.element('Form_About').get_property('open'))
            close()
            self.assertFalse(self.element('Form_About').get_property('open'))
            self.assertEqual(self.driver.execute_script('return document.activeElement.id'), 'Mn_About')

    def test_accessibility_checks(self):
        with open(AXE or 'axe-core (npm ci in tests/web)') as source:
            axe = source.read()
        run = axe + """
const done = arguments[arguments.length - 1];
axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice']})
  .then((result) => done(result.violations.map((v) => v.id + ': ' + v.nodes.map((n) => n.target).join(' '))));
"""
        # The window as it starts, with About open beside it, and with a message open.
        for state in ('', "Mn_About.click()", "Text_Code.value = '0'; Command1.click()"):
            with self.subTest(state=state):
                self.load()
                self.driver.execute_script(state)
                self.assertEqual(self.driver.execute_async_script(run), [])

    def test_refits_without_a_resize(self):
        cdp = self.driver.execute_cdp_cmd
        # Chromium's emulated density changes without the query events a move to another monitor
        # fires: the page's own queries are kept, to fire them as the browser would.
        keep = cdp('Page.addScriptToEvaluateOnNewDocument', {'source': """
            const matchMedia = window.matchMedia.bind(window);
            window.sorvaneQueries = [];
            window.matchMedia = (query) => { const list = matchMedia(query); sorvaneQueries.push(list); return list; };
        """})['identifier']
        try:
            self.load()
        finally:
            cdp('Page.removeScriptToEvaluateOnNewDocument', {'identifier': keep})
        size = self.driver.execute_script('return [innerWidth, innerHeight]')
        before = self.driver.execute_script(LAYOUT)
        self.driver.execute_script("window.resizes = 0; addEventListener('resize', () => resizes++)")
        moved = ("sorvaneQueries.filter((q) => !q.matches).forEach((q) =>"
                 " q.dispatchEvent(new MediaQueryListEvent('change', {media: q.media, matches: false})))")
        # (what changes, what the browser then does, what undoes it, what the page then shows)
        cases = [(('Emulation.setDeviceMetricsOverride',
                   {'width': size[0], 'height': size[1], 'deviceScaleFactor': 2, 'mobile': False}), moved,
                  ('Emulation.clearDeviceMetricsOverride', {}),
                  "const c = document.getElementById('Picture_Airfoil');"
                  "return c.width === 2 * c.clientWidth && resizes === 0"),
                 (('Page.setFontSizes', {'fontSizes': {'standard': 24}}), '',
                  ('Page.setFontSizes', {'fontSizes': {'standard': 16}}),
                  "return parseFloat(getComputedStyle(Command1).fontSize) >= 1.5 * %f" % before['fontSize'])]
        for change, then, undo, shown in cases:
            with self.subTest(change=change[0]):
                cdp(*change)
                try:
                    self.driver.execute_script(then)
                    self.assertTrue(wait_for(lambda: self.driver.execute_script(shown)))
                    grown = self.driver.execute_script(LAYOUT)
                    self.assertEqual(grown['cut'], [])
                    self.assert_scaled(grown, before)
                finally:
                    cdp(*undo)

    def test_day_of_use_leaves_nothing_behind(self):
        # With the chosen folder, then with downloads; a tenth of each part first makes what is made
        # once (About, the message box, optimised code). After garbage collection nothing may grow.
        cdp = self.driver.execute_cdp_cmd
        self.driver.set_script_timeout(300)

        def counters():
            [cdp('HeapProfiler.collectGarbage', {}) for _ in range(3)]
            dom = cdp('Memory.getDOMCounters', {})
            return {'nodes': dom['nodes'], 'listeners': dom['jsEventListeners'],
                    'heap': cdp('Runtime.getHeapUsage', {})['usedSize']}

        growth = []
        cdp('Browser.setDownloadBehavior', {'behavior': 'deny'})
        try:
            for day in ([('about', 300), ('messages', 300), ('resizes', 300), ('calculations', 3000)],
                        [('calculations', 300)]):
                if growth:
                    self.load()
                    self.driver.execute_script('window.showDirectoryPicker = undefined')
                for part, count in day:
                    self.assertIsNone(self.driver.execute_async_script(DAY, part, count // 10))
                before = counters()
                for part, count in day:
                    self.assertIsNone(self.driver.execute_async_script(DAY, part, count))
                if not growth:
                    self.assertTrue(wait_for(lambda: self.saved() == self.expected, timeout=120))
                growth.append({key: value - before[key] for key, value in counters().items()})
        finally:
            cdp('Browser.setDownloadBehavior', {'behavior': 'default'})
        print('day of use, growth with a folder, then with downloads:', *growth, file=sys.stderr)
        for grown in growth:
            self.assertLessEqual(grown['nodes'], 8, growth)
            self.assertLessEqual(grown['listeners'], 4, growth)
        self.assertLessEqual(sum(grown['heap'] for grown in growth), 256 * 1024, growth)

    def test_contrast_themes_and_lines_on_the_pixels(self):
        cdp, rgb = self.driver.execute_cdp_cmd, lambda text: tuple(int(c) for c in re.findall(r'\d+', text)[:3])
        self.calculate('2412', '31')
        # (forced colours, scheme, pixel ratio, text size). The chord and the leading edge's line are a pen's rows
        # and columns of one colour at boxes of either parity; in a contrast theme every text is readable, and the
        # plot is in the theme's colours, its lines against its background.
        cases = [('active', 'dark', 1, 16), ('active', 'light', 1, 16), ('none', 'light', 1, 17),
                 ('none', 'light', 1.5, 18), ('none', 'light', 2, 17), ('none', 'light', 1, 16)]
        heights = set()
        try:
            for forced, scheme, ratio, text in cases:
                cdp('Emulation.setEmulatedMedia', {'features': [{'name': 'forced-colors', 'value': forced},
                                                               {'name': 'prefers-color-scheme', 'value': scheme}]})
                cdp('Emulation.setDeviceMetricsOverride',
                    {'width': 1000, 'height': 800, 'deviceScaleFactor': ratio, 'mobile': False})
                cdp('Page.setFontSizes', {'fontSizes': {'standard': text}})
                self.driver.execute_async_script(FRAMES)
                rows, columns, (background, *drawn), height, page = self.driver.execute_script(PLOT)
                self.assertEqual([len(rows), len(columns)], [round(ratio)] * 2, (forced, ratio, text))
                heights.add(height % 2)
                if forced == 'none':
                    self.assertEqual(rgb(rows[0]), (100, 100, 100))
                    continue
                # The theme's own background; the lines, and the outline, whose own colour stands out most.
                self.assertEqual(rgb(background), rgb(page))
                outline = max(contrast(rgb(colour), rgb(background)) for colour in drawn if colour != rows[0])
                self.assertGreaterEqual(min(contrast(rgb(rows[0]), rgb(background)), outline), 3)
                self.driver.execute_script('Mn_About.click()')
                for name in ('Form_Sorvane_Title', 'Label5', 'Command1', 'Form_About_Caption'):
                    clip = self.driver.execute_script(TEXT_BOX, name)
                    counts = colours(base64.b64decode(cdp('Page.captureScreenshot', {'format': 'png', 'clip': clip})['data']))
                    self.assertGreaterEqual(max(contrast(c, counts[0][1]) for n, c in counts if n > 1), 4.5, name)
                self.driver.execute_script('Form_About_Close.click()')
        finally:
            cdp('Emulation.setEmulatedMedia', {'features': []})
            cdp('Emulation.clearDeviceMetricsOverride', {})
        self.assertEqual(heights, {0, 1})

    def test_red_outline_on_screen(self):
        self.calculate('2412', '51')
        self.driver.execute_async_script('requestAnimationFrame(() => requestAnimationFrame(arguments[0]))')
        red, commonest = red_pixels(self.element('Picture_Airfoil').screenshot_as_png)
        width = self.element('Picture_Airfoil').size['width']
        # The outline runs round the chord twice: far more red pixels than the box is wide.
        self.assertGreater(red, width)
        self.assertEqual(commonest, (255, 224, 192))

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
        windows = re.sub(r'\(X11; [^)]*\)', '(Windows NT 10.0; Win64; x64)', agent)
        hints = dict(platform='Windows', platformVersion='15.0.0', architecture='x86', model='', mobile=False)
        # (what is set, what to undo it with, code, the first ratio, the file's line end)
        cases = [
            ('Emulation.setLocaleOverride', {'locale': 'de-DE'}, {}, '0,02', b'\n'),
            ('Emulation.setLocaleOverride', {'locale': 'ar-EG'}, {}, '0\u066b02', b'\n'),
            # Windows by the client hints, and by the user agent's words alone, as browsers without hints say it.
            ('Emulation.setUserAgentOverride', {'userAgent': agent, 'userAgentMetadata': hints},
             {'userAgent': agent}, '0.02', b'\r\n'),
            ('Emulation.setUserAgentOverride', {'userAgent': windows}, {'userAgent': agent}, '0.02', b'\r\n'),
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


class Update(unittest.TestCase):
    """A host that lets browsers keep files for ten minutes, and a new build
    put there between two visits."""

    def test_new_build_reaches_the_offline_copy(self):
        work = tempfile.mkdtemp(prefix='sorvane-update-')
        served, second = os.path.join(work, 'site'), os.path.join(work, 'second')
        shutil.copytree(SITE, served)
        # The same tree with one site file changed, and so a service worker of another name.
        shutil.copytree(SITE, second)
        with open(os.path.join(second, 'sorvane.css'), 'a') as css:
            css.write('\n.second-build {}\n')
        with open(os.path.join(second, 'sw.js')) as worker:
            script = worker.read()
        with open(os.path.join(second, 'sw.js'), 'w') as worker:
            worker.write(re.sub(r"([0-9a-f]{16})'", lambda m: m.group(1)[::-1] + "'", script, count=1))
        site = Site(served, headers={'Cache-Control': 'public, max-age=600'})
        driver = chromium(os.path.join(work, 'profile'))
        ready = "return performance.getEntriesByName('sorvane-ready').length"
        # Each of the site's files as the page gets it now, by its hash.
        hashes = """
const done = arguments[arguments.length - 1];
Promise.all(arguments[0].map((name) => fetch(name).then((r) => r.arrayBuffer())
  .then((bytes) => crypto.subtle.digest('SHA-256', bytes))
  .then((hash) => [name, Array.from(new Uint8Array(hash), (b) => b.toString(16).padStart(2, '0')).join('')])))
  .then((pairs) => done(Object.fromEntries(pairs)));
"""
        try:
            driver.get(site.url)
            self.assertTrue(wait_for(lambda: driver.execute_script('return !!navigator.serviceWorker.controller')))
            driver.execute_async_script("caches.open('another-app').then((c) => c.put('kept', new Response('x')))"
                                        ".then(arguments[0])")
            for name in os.listdir(second):
                shutil.copy(os.path.join(second, name), os.path.join(served, name))
            with open(os.path.join(second, 'sw.js')) as worker:
                caches = ['another-app', 'sorvane-' + re.search(r"([0-9a-f]{16})'", worker.read()).group(1)]
            # The next visit fetches the second build's worker, which takes over once it holds every file.
            driver.get(site.url)
            self.assertTrue(wait_for(lambda: driver.execute_script(ready)))
            self.assertTrue(wait_for(lambda: driver.execute_async_script(
                "caches.keys().then(arguments[0])") == caches, timeout=20))
            # And the visit after it gets the second build's files, every one.
            driver.get(site.url)
            self.assertTrue(wait_for(lambda: driver.execute_script(ready)))
            files = sorted(name for name in os.listdir(second) if name != 'sw.js')
            wanted = {}
            for name in files:
                with open(os.path.join(second, name), 'rb') as data:
                    wanted[name] = hashlib.sha256(data.read()).hexdigest()
            self.assertEqual(driver.execute_async_script(hashes, files), wanted)
            # Offline, the second build opens and calculates.
            site.stop()
            driver.refresh()
            self.assertTrue(wait_for(lambda: driver.execute_script(ready)))
            self.assertEqual(driver.execute_async_script(hashes, files), wanted)
            driver.find_element(By.ID, 'Command1').click()
            self.assertEqual(driver.find_element(By.ID, 'Text_TCR').get_property('value'), '0.12')
        finally:
            driver.quit()
            site.stop()
            shutil.rmtree(work, ignore_errors=True)


class Phone(unittest.TestCase):
    """The page on a phone's screen, held upright, larger, turned on its side and back, without a reload."""

    def test_fits_a_phone_turned_either_way(self):
        site = Site(SITE)
        profile = tempfile.mkdtemp(prefix='sorvane-phone-')
        driver = chromium(profile, phone=(360, 740, 3))
        cdp, run = driver.execute_cdp_cmd, driver.execute_script
        try:
            # Before any script the stylesheet shows the window where the program will put it: nothing jumps.
            cdp('Emulation.setScriptExecutionDisabled', {'value': True})
            driver.get(site.url)
            before = run(BOXES, PHONE_CONTROLS)[0]
            cdp('Emulation.setScriptExecutionDisabled', {'value': False})
            # Android's Chrome has no folder picker: the file comes as a download. The earliest click a
            # person can make, queued as the window is wired, before the fit and all after it, calculates.
            cdp('Page.addScriptToEvaluateOnNewDocument', {'source': EARLY_CLICK})
            folder = tempfile.mkdtemp(dir=profile)
            cdp('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': folder})
            driver.get(site.url)
            self.assertTrue(wait_for(lambda: run("return performance.getEntriesByName('sorvane-settled').length")))
            driver.execute_async_script(FRAMES)
            self.assertTrue(run('return window.earlyClick'))
            check_download(self, lambda expression: run('return ' + expression), folder, EXPECTED, click=lambda: None)
            # Drawn in the box as it was, then shown at the size the fit gave it.
            plot = driver.find_element(By.ID, 'Picture_Airfoil')
            self.assertGreater(red_pixels(plot.screenshot_as_png)[0], plot.size['width'])
            # The section was brought into view: the places compared from the page's top.
            for name, box in run('window.scrollTo(0, 0);' + BOXES, PHONE_CONTROLS)[0].items():
                self.assertLessEqual(max(abs(box[0] - before[name][0]), abs(box[1] - before[name][1])), 4, name)
            for width, height, ratio in ((360, 740, 3), (412, 915, 2.625), (740, 360, 3), (360, 740, 3)):
                with self.subTest(width=width, height=height):
                    cdp('Emulation.setDeviceMetricsOverride',
                        {'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': True})
                    driver.execute_async_script(FRAMES)
                    # Every control inside the width, a finger's target, in a phone's text; no sideways
                    # panning; the plot across the column at the screen's density.
                    boxes, scroll, backing = run(BOXES, PHONE_CONTROLS + PHONE_TEXTS + ['Form_Sorvane'])
                    self.assertEqual((scroll, backing), (width, 0))
                    for name in PHONE_CONTROLS + PHONE_TEXTS:
                        left, top, across, down, text = boxes[name]
                        self.assertTrue(text >= 16 and (name in PHONE_TEXTS or 0 <= left and left + across <= width
                                                        and min(across, down) >= 43.5), (name, boxes[name]))
                    self.assertGreaterEqual(boxes['Picture_Airfoil'][2], 0.9 * width if width < height else 0)
                    # About and a message inside the screen, and the page no wider.
                    for open_it, names in (('Mn_About.click()', ['Form_About', 'Form_About_Close']),
                                           ("Form_About_Close.click(); Text_Code.value = '2012'; Command1.click()",
                                            ['Message', 'Message_OK'])):
                        run('window.scrollTo(0, 0); ' + open_it)
                        boxes, scroll, _ = run(BOXES, names)
                        for left, top, across, down, _ in boxes.values():
                            self.assertTrue(0 <= left and left + across <= width and 0 <= top < height, boxes)
                        self.assertEqual(scroll, width)
                    run('Message_OK.click()')
                    # A tap on the button calculates and downloads the file.
                    folder = tempfile.mkdtemp(dir=profile)
                    cdp('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': folder})
                    def tap():
                        left, top, across, down, _ = run('Command1.scrollIntoView();' + BOXES, ['Command1'])[0]['Command1']
                        for kind, points in (('touchStart', [{'x': left + across / 2, 'y': top + down / 2}]),
                                             ('touchEnd', [])):
                            cdp('Input.dispatchTouchEvent', {'type': kind, 'touchPoints': points})
                    check_download(self, lambda expression: run('return ' + expression), folder, EXPECTED, click=tap)
                    # The new section in view.
                    _, top, _, down, _ = run(BOXES, ['Picture_Airfoil'])[0]['Picture_Airfoil']
                    self.assertTrue(0 <= top and top + down <= height, (top, down))
            self.assertEqual([e['message'] for e in driver.get_log('browser') if e['level'] == 'SEVERE'], [])
        finally:
            driver.quit()
            site.stop()
            shutil.rmtree(profile, ignore_errors=True)


class Policy(unittest.TestCase):
    def test_refused_picker_falls_back_to_the_download(self):
        # As an administrator blocks file writes: the picker is refused, not cancelled.
        site = Site(SITE)
        profile = tempfile.mkdtemp(prefix='sorvane-chromium-')
        driver = chromium(profile, policy={'DefaultFileSystemWriteGuardSetting': 2})
        try:
            driver.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': profile})
            driver.get(site.url)
            check_download(self, lambda expression: driver.execute_script('return ' + expression), profile, EXPECTED,
                           picker=True)
            self.assertEqual([e['message'] for e in driver.get_log('browser') if e['level'] == 'SEVERE'], [])
        finally:
            driver.quit()
            site.stop()
            shutil.rmtree(profile, ignore_errors=True)


if __name__ == '__main__':
    SITE, EXPECTED = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
