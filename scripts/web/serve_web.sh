#!/usr/bin/env bash
# Serves the browser build (scripts/web/web.sh) on 127.0.0.1 and prints its
# address; Ctrl+C stops it. A file with a precompressed copy beside it
# (FILE.br, FILE.gz) is served compressed to a browser that accepts it, as
# any static host set up for precompressed files does. Every answer carries
# Last-Modified and an ETag (one for each encoding), with Cache-Control:
# no-cache, and a conditional request for an unchanged file is answered 304
# with no body: a second visit asks, and reuses what it has.
# Usage: scripts/web/serve_web.sh [PORT]   (default 8022; 0 picks a free one)
set -euo pipefail
cd "$(dirname "$0")/../.."
site=build-web/site
[ -f "$site/index.html" ] || { echo "serve_web: no site in $site: run scripts/web/web.sh first" >&2; exit 1; }
exec python3 -u - "${1:-8022}" "$site" <<'PY'
import email.utils, functools, http.server, os, sys
port, site = int(sys.argv[1]), sys.argv[2]
class Site(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".data": "application/octet-stream",
                      ".js": "text/javascript", ".css": "text/css",
                      ".md": "text/plain; charset=utf-8"}
    def unchanged(self, etag, modified):
        tags = self.headers.get("If-None-Match")
        if tags is not None:
            return tags.strip() == "*" or etag in [t.strip().removeprefix("W/") for t in tags.split(",")]
        since = self.headers.get("If-Modified-Since")
        try:
            return since is not None and email.utils.parsedate_to_datetime(since).timestamp() >= int(modified)
        except (TypeError, ValueError):
            return False
    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.split("?")[0].endswith("/"):
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            return super().send_head()
        accepted = [e.split(";")[0].strip() for e in self.headers.get("Accept-Encoding", "").split(",")]
        served, encoding = path, None
        for name, suffix in (("br", ".br"), ("gzip", ".gz")):
            if name in accepted and os.path.isfile(path + suffix):
                served, encoding = path + suffix, name
                break
        body = open(served, "rb")
        stat = os.fstat(body.fileno())
        etag = f'"{stat.st_mtime_ns:x}-{stat.st_size:x}{"-" + encoding if encoding else ""}"'
        unchanged = self.unchanged(etag, stat.st_mtime)
        self.send_response(304 if unchanged else 200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("ETag", etag)
        self.send_header("Last-Modified", email.utils.formatdate(stat.st_mtime, usegmt=True))
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        if unchanged:
            body.close()
            self.end_headers()
            return None
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Content-Length", str(stat.st_size))
        self.end_headers()
        return body
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Site, directory=site))
print(f"Graze is served at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
PY
