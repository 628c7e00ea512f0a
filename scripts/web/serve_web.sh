#!/usr/bin/env bash
# Serves the browser build (scripts/web/web.sh) on 127.0.0.1 and prints its
# address; Ctrl+C stops it. A file with a precompressed copy beside it
# (FILE.br, FILE.gz) is served compressed to a browser that accepts it, as
# any static host set up for precompressed files does.
# Usage: scripts/web/serve_web.sh [PORT]   (default 8022; 0 picks a free one)
set -euo pipefail
cd "$(dirname "$0")/../.."
site=build-web/site
[ -f "$site/index.html" ] || { echo "serve_web: no site in $site: run scripts/web/web.sh first" >&2; exit 1; }
exec python3 -u - "${1:-8022}" "$site" <<'PY'
import functools, http.server, os, sys
port, site = int(sys.argv[1]), sys.argv[2]
class Site(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".data": "application/octet-stream",
                      ".md": "text/plain; charset=utf-8"}
    def send_head(self):
        path = self.translate_path(self.path)
        accepted = [e.split(";")[0].strip() for e in self.headers.get("Accept-Encoding", "").split(",")]
        if os.path.isfile(path):
            for encoding, suffix in (("br", ".br"), ("gzip", ".gz")):
                if encoding in accepted and os.path.isfile(path + suffix):
                    body = open(path + suffix, "rb")
                    self.send_response(200)
                    self.send_header("Content-Type", self.guess_type(path))
                    self.send_header("Content-Encoding", encoding)
                    self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
                    self.send_header("Vary", "Accept-Encoding")
                    self.send_header("Cache-Control", "no-cache")
                    self.end_headers()
                    return body
        return super().send_head()
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Site, directory=site))
print(f"Graze is served at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
PY
