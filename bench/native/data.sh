#!/usr/bin/env bash
# Writes the native benchmark's animations into FOLDER once (a file already there is kept):
# photographic content (fractal plasma, slightly blurred) dithered to one full 256-colour
# palette, as GIFs made from video or photographs are.
#   pan-640x480.gif      40 full frames, the view panning over a picture (video-like)
#   pan-1280x720.gif     30 full frames, the same
#   sprite-1920x1080.gif 24 frames: a round sprite moving over a still picture, the frames
#                        after the first only the changed rectangles, with transparency
#   sprite-472x298.gif   380 frames of the same kind: a small, long animation
# Usage: data.sh FOLDER
set -euo pipefail

out=$1
mkdir -p "$out"
work=$out/.work
mkdir -p "$work"

# A picture larger than any frame, and the one palette every file uses.
picture() {
  [ -f "$work/picture.png" ] && return
  convert -seed 7 -size 2400x1500 plasma:fractal -blur 0x0.7 "$work/picture.png"
  convert "$work/picture.png" -dither None -colors 256 -unique-colors "$work/palette.gif"
}

# pan W H FRAMES: each frame a crop further along a diagonal, dithered frame by frame.
pan() {
  local w=$1 h=$2 n=$3 target=$out/pan-$1x$2.gif
  [ -f "$target" ] && return
  local crops=()
  for ((i = 0; i < n; ++i)); do
    crops+=('(' "$work/picture.png" -crop "${w}x${h}+$((i * 9))+$((i * 5))" +repage ')')
  done
  convert -delay 4 "${crops[@]}" -dither FloydSteinberg -remap "$work/palette.gif" -loop 0 "$target.tmp.gif"
  mv "$target.tmp.gif" "$target"
}

# sprite W H FRAMES SIZE: a still background and a round sprite of SIZE pixels moving over
# it, each dithered once, so that only the sprite's neighbourhood changes from frame to frame.
sprite() {
  local w=$1 h=$2 n=$3 size=$4 target=$out/sprite-$1x$2.gif
  [ -f "$target" ] && return
  local frames=$work/sprite-$w
  rm -rf "$frames"
  mkdir -p "$frames"
  # The whole picture scaled down: every colour of the palette is in use at any size.
  convert "$work/picture.png" -resize "${w}x${h}!" -dither FloydSteinberg \
    -remap "$work/palette.gif" "$frames/background.png"
  convert "$work/picture.png" -crop "${size}x${size}+1700+900" +repage -negate \
    -dither FloydSteinberg -remap "$work/palette.gif" \
    \( -size "${size}x${size}" xc:black -fill white -draw "circle $((size / 2)),$((size / 2)) $((size / 2)),1" \) \
    -alpha off -compose CopyOpacity -composite "$frames/sprite.png"
  local layers=()
  for ((i = 0; i < n; ++i)); do
    local x=$(((w - size) * i / n)) y=$(((h - size) / 2 + (h - size) * (i % 40 - 20) / 80))
    layers+=('(' "$frames/background.png" "$frames/sprite.png" -geometry "+$x+$y" -composite ')')
  done
  convert -delay 4 "${layers[@]}" -dither None -remap "$work/palette.gif" -layers Optimize -loop 0 \
    "$target.tmp.gif"
  mv "$target.tmp.gif" "$target"
  rm -rf "$frames"
}

picture
pan 640 480 40
pan 1280 720 30
sprite 1920 1080 24 240
sprite 472 298 380 64
