#!/usr/bin/env bash
# Builds the starter site in the modern style (the demo's), on the built-in defaults and with
# frames, and the fixture site every-tag, and runs the Nu HTML checker over their pages
# (nu_report.mjs says which errors the test accepts).
# Usage: run_nu_check.sh BINARY_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
jar="$here/node_modules/vnu-jar/build/dist/vnu.jar"
if ! command -v java >/dev/null || ! java -version >/dev/null 2>&1; then
  echo "SKIPPED: no Java on this machine (scripts/setup installs default-jre-headless)"
  exit 77
fi
[ -f "$jar" ] || { echo "vnu.jar missing: run scripts/setup"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" VELMORA_CONFIG="$work/velmora.conf" SOURCE_DATE_EPOCH=1700000000
# The build's alerts (the defaults it wrote) go to standard error; a failed build stops the test.
velmora() { "$bin/velmora" --yes --quiet "$@" >/dev/null 2>&1; }
for variant in modern classic frames; do
  new=()
  case "$variant" in
    modern) new=(--style modern) ;;
    frames) new=(--frames) ;;
  esac
  VELMORA_DRIVE_C="$work" velmora new "C:\\$variant\\script.txt" "${new[@]}"
  VELMORA_DRIVE_C="$work" velmora build "C:\\$variant\\script.txt"
done
mkdir "$work/fixture"
cp -r "$here/../fixtures/every-tag/input/." "$work/fixture"
VELMORA_DRIVE_C="$work/fixture" velmora build 'C:\site.txt'
mv "$work/fixture/every" "$work/every-tag"

# The published pages: every HTML file but the templates, blocks and copies the build keeps.
pages=()
for site in modern classic frames every-tag; do
  while IFS= read -r -d '' file; do pages+=("$file"); done < <(
    find "$work/$site" \( -name templates -o -name blocks -o -name own -o -name gfx \
      -o -name imported \) -prune -o -name '*.html' -print0 | sort -z)
done
java -jar "$jar" --format json --stdout --exit-zero-always "${pages[@]}" >"$work/nu.json"
node "$here/nu_report.mjs" "$work/nu.json" "modern=$work/modern" "classic=$work/classic" \
  "frames=$work/frames" "every-tag=$work/every-tag"
