#!/usr/bin/env bash
# Serves the browser build (scripts/web.sh) on 127.0.0.1 and prints its
# address; Ctrl+C stops it. Any static file server does the same job.
# Usage: scripts/serve_web.sh [PORT]   (default 8022; 0 picks a free one)
set -euo pipefail
cd "$(dirname "$0")/.."
site=build-web/site
[ -f "$site/index.html" ] || { echo "serve_web: no site in $site: run scripts/web.sh first" >&2; exit 1; }
exec python3 -u - "${1:-8022}" "$site" <<'PY'
import functools, http.server, sys
port, site = int(sys.argv[1]), sys.argv[2]
class Site(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".data": "application/octet-stream"}
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Site, directory=site))
print(f"Graze is served at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
PY
