#!/usr/bin/env bash
# Serves the browser build to this machine only, for a browser to open at
# http://localhost:PORT/quorl.html; Ctrl-C stops it.
#
#   serve-web.sh [PORT] [DIRECTORY]   (default 8000 and build-web/; port 0 picks a free one)
#
# Its first line on standard output is the page's address.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8000}
directory=${2:-$root/build-web}
if [ ! -f "$directory/quorl.html" ]; then
  echo "serve-web: no quorl.html in $directory: run scripts/build-web.sh first" >&2
  exit 1
fi

exec /usr/bin/python3 - "$directory" "$port" <<'PY'
import functools
import http.server
import sys

class Handler(http.server.SimpleHTTPRequestHandler):
    # A browser compiles the .wasm while it downloads only when it comes as application/wasm.
    extensions_map = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
                      ".png": "image/png", ".jpg": "image/jpeg"}

directory, port = sys.argv[1], int(sys.argv[2])
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=directory))
print(f"serve-web: http://localhost:{server.server_port}/quorl.html (Ctrl-C stops)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
PY
