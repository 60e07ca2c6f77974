#!/usr/bin/env bash
# Builds the libraries the game links in the browser (zlib, libpng, FreeType,
# SDL2) from Debian's source packages with emscripten's CMake wrapper, as
# static libraries installed under DEPS/install. Each library is built once:
# a stamp beside it says it is done, so later builds reuse it.
#   usage: web/build-deps.sh DEPS_DIR   (the sources are in DEPS_DIR/src)
set -euo pipefail

deps=$(realpath -m "$1")
src=$deps/src
prefix=$deps/install
jobs=${JOBS:-2}
export NODE_PATH=/usr/share/nodejs
fail() { echo "build-deps: $*" >&2; exit 1; }
command -v emcmake >/dev/null || fail "emcmake not found (scripts/install-web-deps.sh installs emscripten)"

one_dir() {
  local d
  d=$(ls -d "$src/$1"-*/ 2>/dev/null | head -n1)
  [ -n "$d" ] || fail "no source of $1 in $src (scripts/install-web-deps.sh fetches it)"
  echo "${d%/}"
}

build() {
  local name=$1 dir=$2; shift 2
  local stamp=$deps/$name.stamp
  [ -f "$stamp" ] && return 0
  echo "== building $name for the browser"
  local b=$deps/build-$name
  rm -rf "$b"
  emcmake cmake -S "$dir" -B "$b" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$deps/$name.log" 2>&1 \
    || { tail -30 "$deps/$name.log"; fail "configuring $name failed (log: $deps/$name.log)"; }
  cmake --build "$b" -j "$jobs" >>"$deps/$name.log" 2>&1 \
    || { tail -30 "$deps/$name.log"; fail "building $name failed (log: $deps/$name.log)"; }
  cmake --install "$b" >>"$deps/$name.log" 2>&1 || fail "installing $name failed"
  touch "$stamp"
}

mkdir -p "$prefix"
# zlib's own CMake project wants Windows files Debian's source leaves out; it
# is a handful of C files, compiled here directly.
build_zlib() {
  local stamp=$deps/zlib.stamp dir
  [ -f "$stamp" ] && return 0
  dir=$(one_dir zlib)
  echo "== building zlib for the browser"
  [ -f "$dir/zconf.h" ] || cp "$dir/zconf.h.included" "$dir/zconf.h"  # an earlier CMake run moved it
  local b=$deps/build-zlib
  rm -rf "$b" && mkdir -p "$b" "$prefix/lib" "$prefix/include"
  local objs=()
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees uncompr zutil; do
    emcc -O2 -c "$dir/$f.c" -o "$b/$f.o" -DHAVE_UNISTD_H || fail "compiling zlib's $f.c failed"
    objs+=("$b/$f.o")
  done
  emar rcs "$prefix/lib/libz.a" "${objs[@]}" || fail "archiving zlib failed"
  cp "$dir/zlib.h" "$dir/zconf.h" "$prefix/include/"
  touch "$stamp"
}
build_zlib
build libpng "$(one_dir libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
# FreeType reads gzip-packed fonts with the zlib above: its own copy of zlib
# would clash with it at the link.
build freetype "$(one_dir freetype)" -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_PNG=ON -DFT_REQUIRE_ZLIB=ON \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" \
  -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON
build sdl2 "$(one_dir libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF
