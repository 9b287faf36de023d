#!/usr/bin/env bash
# Makes a starter site with and without frames, builds each, and opens every page in chromium.
# Usage: run_browser_check.sh BINARY_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" VELMORA_CONFIG="$work/velmora.conf" VELMORA_DRIVE_C="$work" SOURCE_DATE_EPOCH=1700000000
status=0
for variant in plain frames; do
  flag=""
  [ "$variant" = frames ] && flag="--frames"
  "$bin/velmora" --yes --quiet new "C:\\$variant\\script.txt" $flag
  "$bin/velmora" --yes --quiet build "C:\\$variant\\script.txt" || { echo "build of $variant failed"; status=1; }
  echo "== $variant"
  node "$here/browser_check.mjs" "$work/$variant" "$bin/e2e/$variant-home.png" || status=1
done
exit $status
