"""What the page's browser tests share: the site served on 127.0.0.1, and
waiting for the page."""

import functools
import http.server
import threading
import time


class Site:
    """The static site, served on a free port of 127.0.0.1 until stopped."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
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
