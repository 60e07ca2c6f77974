#!/usr/bin/python3
"""Serves build-web/ on 127.0.0.1 for playing or testing the browser build.
Files are sent gzip-compressed to browsers that accept it: the NAME.gz that
make web leaves beside a file when it is not older than the file, otherwise
compressed once here and kept in memory. The wasm goes with the MIME type
browsers want.

usage: serve.py [FOLDER] [--port N]   (port 0 picks a free one; the line
       "serving http://127.0.0.1:PORT/" tells which)
"""
import argparse
import functools
import gzip
import http.server
import os
import sys
import threading


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript", ".data": "application/octet-stream"})
    cache = {}
    lock = threading.Lock()

    def log_message(self, fmt, *args):
        pass

    def compressed(self, path):
        stat = os.stat(path)
        packed = path + ".gz"
        if os.path.isfile(packed) and os.stat(packed).st_mtime_ns >= stat.st_mtime_ns:
            with open(packed, "rb") as f:
                return f.read()
        key = (path, stat.st_mtime_ns, stat.st_size)
        with self.lock:
            body = self.cache.get(key)
            if body is None:
                with open(path, "rb") as f:
                    body = gzip.compress(f.read(), compresslevel=6)
                self.cache[key] = body
        return body

    def send_head(self):
        path = self.translate_path(self.path)
        accepts = "gzip" in self.headers.get("Accept-Encoding", "")
        if not accepts or not os.path.isfile(path):
            return super().send_head()
        body = self.compressed(path)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        import io
        return io.BytesIO(body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder", nargs="?", default="build-web")
    parser.add_argument("--port", type=int, default=8080)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.folder, "index.html")):
        raise SystemExit("serve: no index.html in %s (run make web)" % args.folder)
    handler = functools.partial(Handler, directory=args.folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    print("serving http://127.0.0.1:%d/" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
