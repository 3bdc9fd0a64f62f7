"""What the page's browser tests share: the site served on 127.0.0.1, a PNG's
pixels, and waiting for the page."""

import functools
import http.server
import struct
import threading
import time
import zlib


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


def png_pixels(data):
    """An 8-bit RGB or RGBA PNG as (width, height, rows of (r, g, b) tuples)."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    at, chunks, header = 8, b'', None
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            chunks += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, header
    size = 3 if colour == 2 else 4
    raw = zlib.decompress(chunks)
    stride = width * size
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - size] if i >= size else 0
            up = previous[i]
            corner = previous[i - size] if i >= size else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, size)])
        previous = line
    return width, height, rows
