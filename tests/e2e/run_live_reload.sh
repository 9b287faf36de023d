#!/usr/bin/env bash
# Serves a small site with `velmora serve` on a free port and checks live reload and the error
# overlay in chromium; then stops the server with Ctrl-C and expects a clean exit.
# Usage: run_live_reload.sh BINARY_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work" VELMORA_CONFIG="$work/velmora.conf" VELMORA_DRIVE_C="$work"
mkdir -p "$work/live/blocks"
printf 'VERSION=2.0\r\nCATALOG=C:\\live\\\r\nSITENAME=Live\r\n1,Home,P,index.html\r\nBLOCKS:blocks\\home.html\r\n' \
  > "$work/live.txt"
printf '<p>Text before the save</p>\r\n' > "$work/live/blocks/home.html"
"$bin/velmora" --quiet serve "$work/live.txt" --port 0 > "$work/serve.out" 2> "$work/serve.err" &
server=$!
url=""
for _ in $(seq 100); do
  url=$(sed -n 's|^Serving .* at \(http://[^ ]*\) (Ctrl-C to stop)$|\1|p' "$work/serve.out")
  [ -n "$url" ] && break
  sleep 0.1
done
[ -n "$url" ] || { echo "velmora serve printed no Serving line"; cat "$work/serve.out" "$work/serve.err"; exit 1; }
status=0
node "$here/live_reload.mjs" "$url" "$work/live/blocks/home.html" "$work/live.txt" || status=1
kill -INT "$server"
served=0
wait "$server" || served=$?
server=""
[ $served = 0 ] || { echo "velmora serve ended with $served after Ctrl-C"; status=1; }
exit $status
