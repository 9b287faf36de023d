#!/usr/bin/env bash
# Makes a starter site without frames, with frames and in the modern style, builds each, and
# opens every page in chromium; the modern site's pages are also measured with axe-core and
# photographed at desktop and phone size into BINARY_DIR/e2e/.
# Usage: run_browser_check.sh BINARY_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" VELMORA_CONFIG="$work/velmora.conf" VELMORA_DRIVE_C="$work" SOURCE_DATE_EPOCH=1700000000
status=0
for variant in plain frames modern; do
  new=()
  check=()
  case "$variant" in
    frames) new=(--frames) ;;
    modern) new=(--style modern); check=(--accessibility --shots "$bin/e2e/modern") ;;
  esac
  "$bin/velmora" --yes --quiet new "C:\\$variant\\script.txt" "${new[@]}"
  "$bin/velmora" --yes --quiet build "C:\\$variant\\script.txt" || { echo "build of $variant failed"; status=1; }
  echo "== $variant"
  node "$here/browser_check.mjs" "$work/$variant" "$bin/e2e/$variant-home.png" "${check[@]}" || status=1
done
exit $status
