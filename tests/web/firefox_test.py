#!/usr/bin/python3
"""The page in headless Firefox ESR, which lets no page keep a folder: one
calculation, and airfoil.txt arrives as a download. Driven through Firefox's
own WebDriver BiDi, against the site served on 127.0.0.1.

    firefox_test.py SITE_FOLDER EXPECTED_2412_31
"""

import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import unittest
import warnings

import websocket

sys.path.insert(0, os.path.dirname(__file__))
from served_site import Site, check_download, wait_for  # noqa: E402

SITE, EXPECTED = sys.argv[1], sys.argv[2]

# A quiet profile that saves downloads into one folder without asking.
PREFERENCES = {
    'browser.download.folderList': 2,
    'browser.download.useDownloadDir': True,
    'browser.download.always_ask_before_handling_new_types': False,
    'browser.download.start_downloads_in_tmp_dir': False,
    'browser.helperApps.neverAsk.saveToDisk': 'text/plain',
    'browser.safebrowsing.downloads.enabled': False,
    'browser.shell.checkDefaultBrowser': False,
    'datareporting.policy.dataSubmissionEnabled': False,
    'network.captive-portal-service.enabled': False,
    'network.connectivity-service.enabled': False,
    'app.update.disabledForTesting': True,
}


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


class Bidi:
    """A WebDriver BiDi session over Firefox's own socket."""

    def __init__(self, port):
        self.socket = wait_for(lambda: self._connect(port), timeout=30, step=0.2)
        if not self.socket:
            raise RuntimeError('Firefox opened no WebDriver BiDi socket')
        self.next_id = 0
        self.call('session.new', capabilities={})

    @staticmethod
    def _connect(port):
        try:
            # Firefox refuses a handshake that names a web page's origin.
            return websocket.create_connection('ws://127.0.0.1:%d/session' % port, timeout=30,
                                               suppress_origin=True)
        except (OSError, websocket.WebSocketException):
            return None

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({'id': self.next_id, 'method': method, 'params': params}))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get('id') == self.next_id:
                if answer.get('type') == 'error':
                    raise RuntimeError('%s: %s' % (method, answer.get('message') or answer.get('error')))
                return answer['result']

    def evaluate(self, context, expression):
        result = self.call('script.evaluate', expression=expression, target={'context': context},
                           awaitPromise=True)
        if result.get('type') == 'exception':
            raise RuntimeError(result['exceptionDetails']['text'])
        return result['result'].get('value')


class DownloadPath(unittest.TestCase):
    def test_one_calculation_downloads_the_file(self):
        site = Site(SITE)
        work = tempfile.mkdtemp(prefix='sorvane-firefox-')
        downloads, profile = os.path.join(work, 'downloads'), os.path.join(work, 'profile')
        os.makedirs(downloads)
        os.makedirs(profile)
        with open(os.path.join(profile, 'user.js'), 'w') as prefs:
            for name, value in dict(PREFERENCES, **{'browser.download.dir': downloads}).items():
                prefs.write('user_pref(%s, %s);\n' % (json.dumps(name), json.dumps(value)))
        port = free_port()
        firefox = subprocess.Popen(
            ['firefox-esr', '--headless', '--no-remote', '--profile', profile, '--remote-debugging-port', str(port)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=dict(os.environ, HOME=work))
        try:
            bidi = Bidi(port)
            context = bidi.call('browsingContext.getTree')['contexts'][0]['context']
            bidi.call('browsingContext.navigate', context=context, url=site.url, wait='complete')
            check_download(self, lambda expression: bidi.evaluate(context, expression), downloads, EXPECTED)
        finally:
            firefox.terminate()
            try:
                firefox.wait(timeout=10)
            except subprocess.TimeoutExpired:
                firefox.kill()
            site.stop()
            shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    # The socket library leaves the attempts made before Firefox listens to the collector.
    warnings.simplefilter('ignore', ResourceWarning)
    unittest.main(argv=sys.argv[:1], verbosity=2)
