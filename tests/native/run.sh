#!/usr/bin/env bash
# The GIF decoder built natively on Linux with clang and the address and undefined-behaviour
# sanitizers (its sources need no Windows headers), then either
#   Fuzz:     fuzzed with libFuzzer for a bounded time, seeded with the shared GIFs;
#   Coalesce: every shared GIF checked against ImageMagick's composition and the manifest.
# Usage: run.sh Fuzz|Coalesce SOURCE_DIR WORK_DIR SHARED_GIFS [FUZZ_SECONDS]
# Exits non-zero on a failed check, a crash, a leak, a hang or any sanitizer report.
set -euo pipefail

mode=$1
src=$2
work=$3
gifs=$4
seconds=${5:-75}

sources=("$src/image/GifDekoder.cpp" "$src/image/GifLzw.cpp" "$src/image/GifStruktura.cpp")
flags=(-std=c++17 -O1 -g -Wall -Wextra -Werror -fno-sanitize-recover=all -I"$src")
mkdir -p "$work"

# Rebuilds only when a source or this script is newer than the program.
build() {
  local program=$1 sanitizers=$2 main=$3
  local newer
  newer=$(find "${sources[@]}" "$src"/image/GifDekoder.h "$src"/image/GifLzw.h "$src"/image/GifStruktura.h \
    "$main" "$0" -newer "$program" 2>/dev/null || true)
  if [ ! -x "$program" ] || [ -n "$newer" ]; then
    clang++ "${flags[@]}" -fsanitize="$sanitizers" "$main" "${sources[@]}" -o "$program"
  fi
}

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
case "$mode" in
  Fuzz)
    program=$work/GifDekoderFuzz
    build "$program" address,undefined,fuzzer "$src/tests/native/GifDekoderFuzz.cpp"
    mkdir -p "$work/corpus"
    # The corpus below the build folder grows from run to run; the shared files only seed it.
    cp -n "$gifs"/* "$work/corpus/" 2>/dev/null || true
    rm -f "$work/corpus/MANIFEST.tsv" "$work/corpus/README.md"
    cd "$work"
    "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
      -artifact_prefix="$work/" -print_final_stats=1 corpus
    ;;
  Coalesce)
    command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 1; }
    program=$work/GifDekoderCoalesce
    build "$program" address,undefined "$src/tests/native/GifDekoderCoalesce.cpp"
    "$program" "$gifs"
    # Again with the smallest LZW window: strings then come from their prefix chains.
    "$program" "$gifs" 0
    ;;
  *)
    echo "usage: run.sh Fuzz|Coalesce SOURCE_DIR WORK_DIR SHARED_GIFS [FUZZ_SECONDS]" >&2
    exit 2
    ;;
esac
