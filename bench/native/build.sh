#!/usr/bin/env bash
# Builds the native benchmark with the flags of the Windows build's RelWithDebInfo; with
# ANIMORA_WUFFS naming a Wuffs release C file (wuffs-v0.3.c), Wuffs is compiled in beside it.
# Usage: build.sh SOURCE_DIR OUTPUT_PROGRAM
set -euo pipefail

src=$1
out=$2
flags=(-O2 -g -Wall -Wextra)
sources=("$src"/bench/native/*.cpp "$src"/image/GifDekoder.cpp "$src"/image/GifLzw.cpp "$src"/image/GifStruktura.cpp)
headers=("$src"/bench/native/*.h "$src"/image/GifDekoder.h "$src"/image/GifLzw.h "$src"/image/GifStruktura.h)

# Rebuilds only when a source, this script or the Wuffs file named is newer than the program.
if [ -x "$out" ] && [ -z "$(find "${sources[@]}" "${headers[@]}" "$0" ${ANIMORA_WUFFS:+"$ANIMORA_WUFFS"} \
  -newer "$out" 2>/dev/null)" ] && [ "$(cat "$out.wuffs" 2>/dev/null)" = "${ANIMORA_WUFFS:-}" ]; then
  exit 0
fi
objects=()
if [ -n "${ANIMORA_WUFFS:-}" ]; then
  # Only the GIF decoder and what it needs; its own warnings are not ours to fix.
  modules=(-DWUFFS_CONFIG__MODULES -DWUFFS_CONFIG__MODULE__BASE -DWUFFS_CONFIG__MODULE__GIF -DWUFFS_CONFIG__MODULE__LZW)
  gcc -O2 -g -c -x c "${modules[@]}" -DWUFFS_IMPLEMENTATION "$ANIMORA_WUFFS" -o "$out.wuffs.o"
  objects+=("$out.wuffs.o")
  flags+=("${modules[@]}" "-DANIMORA_WUFFS_FILE=\"$ANIMORA_WUFFS\"")
fi
g++ -std=c++17 "${flags[@]}" -I"$src" "${sources[@]}" "${objects[@]}" -lgif -o "$out"
echo "${ANIMORA_WUFFS:-}" > "$out.wuffs" # which Wuffs, if any, the program holds
