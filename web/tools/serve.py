#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Serves the site on 127.0.0.1 for `make web`, the page's test and its benchmark: every file
with its proper type (.wasm as application/wasm, .mjs as JavaScript), gzipped where the
browser accepts it, as most hosts do, and revalidated on every load (304 when unchanged).

    serve.py SITE [PORT]      (PORT 8080 by default; Ctrl+C stops it)
"""
import email.utils
import functools
import gzip
import http.server
import os
import sys

TYPES = {
    ".wasm": "application/wasm",
    ".mjs": "text/javascript",
    ".js": "text/javascript",
    ".webmanifest": "application/manifest+json",
    ".woff2": "font/woff2",
    ".txt": "text/plain; charset=utf-8",
}
COMPRESSED = (".woff2", ".png", ".gz")  # already compressed: sent as they are


@functools.lru_cache(maxsize=256)
def compressed(path, modified):
    """The file gzipped, once for each time it was modified."""
    with open(path, "rb") as file:
        return gzip.compress(file.read(), 9)


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    protocol_version = "HTTP/1.1"  # connections kept open for the page's many files
    quiet = False

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if (self.command != "GET" or "gzip" not in self.headers.get("Accept-Encoding", "")
                or not os.path.isfile(path) or path.endswith(COMPRESSED)):
            return super().send_head()
        modified = int(os.path.getmtime(path))
        since = self.headers.get("If-Modified-Since")
        if since and email.utils.parsedate_to_datetime(since).timestamp() >= modified:
            self.send_response(304)
            self.end_headers()
            return None
        body = compressed(path, modified)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Last-Modified", self.date_time_string(modified))
        self.end_headers()
        self.wfile.write(body)
        return None

    def log_message(self, *args):
        if not self.quiet:
            super().log_message(*args)


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A browser that stops a load (a reload, a page left) closes its connections.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def make_server(site, port=0, handler=None):
    """A server of the folder on 127.0.0.1 (port 0: any free one), not yet serving; quiet
    unless a handler class is given."""
    handler = handler or type("QuietHandler", (Handler,), {"quiet": True})
    return Server(("127.0.0.1", port), functools.partial(handler, directory=site))


if __name__ == "__main__":
    server = make_server(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 8080, Handler)
    print(f"度量衡変換: http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops the server)",
          flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
