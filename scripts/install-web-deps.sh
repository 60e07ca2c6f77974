#!/usr/bin/env bash
# Installs what the browser build needs, from Debian's archive only:
#   emscripten, node-acorn (its last JavaScript step), python3-fonttools (the
#   font subset), chromium (make web-test), and the source packages of SDL2,
#   FreeType, libpng and zlib, unpacked into $1 (default build-web/deps/src).
# A deb-src entry for the suite the machine already uses is added when missing.
# Nothing is fetched from anywhere else; anything missing stops the build here.
set -euo pipefail

SRC_DIR=${1:-build-web/deps/src}
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
fail() { echo "install-web-deps: $*" >&2; exit 1; }

packages=(emscripten node-acorn python3-fonttools chromium dpkg-dev
          fonts-wqy-zenhei cmake make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# deb-src for the same archive and suites as the machine's deb lines.
src_list=/etc/apt/sources.list.d/kestrelmoor-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  base=/etc/apt/sources.list.d/debian.sources
  [ -f "$base" ] || fail "no $base to copy a deb-src entry from; add one for your suite by hand"
  sed 's/^Types: deb$/Types: deb-src/' "$base" | $sudo tee "$src_list" >/dev/null
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  $sudo apt-get update -qq || fail "apt-get update failed"
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    || fail "could not install ${missing[*]} from Debian"
fi

# Source packages: libsdl2, freetype, libpng1.6, zlib. apt-get source unpacks
# them into SRC_DIR, each once.
mkdir -p "$SRC_DIR"
cd "$SRC_DIR"
# The newest version may be a security update whose source the mirror lacks;
# the suite's own version is as good for building.
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
for pkg in libsdl2 freetype libpng1.6 zlib; do
  ls -d "$pkg"-*/ >/dev/null 2>&1 && continue
  echo "Fetching the Debian source of $pkg"
  apt-get source -qq "$pkg" >/dev/null 2>&1 \
    || { [ -n "$suite" ] && apt-get source -qq "$pkg/$suite" >/dev/null 2>&1; } \
    || fail "apt-get source $pkg failed (is there a deb-src entry for your suite?)"
done
for pkg in libsdl2 freetype libpng1.6 zlib; do
  ls -d "$pkg"-*/ >/dev/null 2>&1 || fail "the source of $pkg did not unpack into $SRC_DIR"
done
