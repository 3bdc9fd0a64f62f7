"""What the page's browser tests share: the site served on 127.0.0.1, waiting
for the page, and the download path of the browsers that keep no folder."""

import functools
import glob
import http.server
import os
import threading
import time


class Site:
    """The static site, served on a free port of 127.0.0.1 until stopped."""

    def __init__(self, folder, headers=None, precompressed=False):
        handler = functools.partial(_QuietHandler, directory=folder, headers=headers or {},
                                    precompressed=precompressed)
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json'}

    def __init__(self, *args, headers, precompressed, **kwargs):
        self.extra_headers = headers  # before the base class handles the request
        self.precompressed = precompressed
        super().__init__(*args, **kwargs)

    def send_head(self):
        # As hosts that send a file's brotli copy where the browser takes it.
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, 'index.html')
        if (self.precompressed and 'br' in self.headers.get('Accept-Encoding', '')
                and os.path.isfile(path + '.br')):
            data = open(path + '.br', 'rb')
            self.send_response(200)
            self.send_header('Content-Type', self.guess_type(path))
            self.send_header('Content-Encoding', 'br')
            self.send_header('Content-Length', str(os.fstat(data.fileno()).st_size))
            self.end_headers()
            return data
        return super().send_head()

    def end_headers(self):
        for name, value in self.extra_headers.items():
            self.send_header(name, value)
        super().end_headers()

    def log_message(self, *args):
        pass


def wait_for(what, timeout=10, step=0.05):
    """Waits until what() gives something true, and gives it."""
    end = time.monotonic() + timeout
    while True:
        got = what()
        if got or time.monotonic() > end:
            return got
        time.sleep(step)


def check_download(test, evaluate, folder, expected, picker=False, click=None):
    """One calculation in a browser that offers airfoil.txt as a download into
    folder, with or without a folder picker; evaluate(expression) gives an
    expression's value in the page. click: how the button is pressed, once the
    fields hold 2412 and 31 (a tap, say); by default a script's click."""
    test.assertTrue(wait_for(lambda: evaluate("performance.getEntriesByName('sorvane-ready').length > 0"),
                             timeout=20))
    test.assertEqual(evaluate("typeof showDirectoryPicker === 'function'"), picker)
    evaluate("(document.getElementById('Text_Code').value = '2412',"
             " document.getElementById('Text_N1').value = '31')")
    (click or (lambda: evaluate("document.getElementById('Command1').click()")))()
    test.assertTrue(wait_for(lambda: evaluate("document.getElementById('Text_CCR').value") == '0.02'))
    test.assertEqual(evaluate("document.getElementById('Text_FCR').value"), '0.4')
    saved = wait_for(lambda: [name for name in glob.glob(os.path.join(folder, '**', 'airfoil.txt'), recursive=True)
                              if os.path.getsize(name) > 0], timeout=20)
    test.assertTrue(saved, 'no airfoil.txt under ' + folder)
    with open(saved[0], 'rb') as got, open(expected, 'rb') as wanted:
        test.assertEqual(got.read(), wanted.read())
    test.assertFalse(evaluate("document.getElementById('Message').open"))
