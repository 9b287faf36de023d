#!/bin/sh
# Makes the Debian package of the built programs, unpacks it into a scratch root as dpkg
# would install it, and runs the installed velmora. Exit 77 (skipped) without the Debian tools.
# Usage: package_install.sh BINARY_DIR
set -eu
out="$1"
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

if ! cpack --config "$out/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  fail "cpack"
fi
deb="$(ls "$scratch"/package/*.deb)"
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root"

# The dependencies are the packages of the linked libraries.
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
case "$depends" in *libcurl*) ;; *) fail "no libcurl in Depends" ;; esac
case "$depends" in *libstdc++*) ;; *) fail "no libstdc++ in Depends" ;; esac
if [ -e "$root/usr/bin/velmora-gui" ]; then
  case "$depends" in *libqt6*) ;; *) fail "no Qt 6 in Depends" ;; esac
  for file in usr/share/applications/velmora.desktop \
    usr/share/icons/hicolor/48x48/apps/velmora.png \
    usr/share/icons/hicolor/scalable/apps/velmora.svg; do
    [ -f "$root/$file" ] || fail "missing $file"
  done
fi
for file in usr/share/man/man1/velmora.1.gz usr/share/bash-completion/completions/velmora; do
  [ -f "$root/$file" ] || fail "missing $file"
done
ls "$root"/usr/share/zsh/*/_velmora >/dev/null || fail "missing the zsh completion"

version="$("$root/usr/bin/velmora" --version)"
[ "$version" = "velmora 2.0" ] || fail "installed velmora --version said: $version"
"$root/usr/bin/velmora" help build | grep -q "^Usage: velmora \[OPTIONS\] build SCRIPT" ||
  fail "installed velmora help build"
echo "installed $(basename "$deb"): $version"
