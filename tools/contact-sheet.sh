#!/usr/bin/env bash
# Draws every picture of resources/art/manifest.txt on one sheet per skin:
# build/contact-sheet-skin0.png, -skin1.png, -skin2.png. Renders the pictures
# first (in build/dev unless a build folder is given).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/dev}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target florelle_art --parallel 2 >/dev/null
resources=$build/resources
montage_bin=$(command -v montage-im6.q16 || command -v montage)

names=$(grep -v '^\s*\(#\|$\)' "$root/resources/art/manifest.txt" | awk '{print $1}')
for skin in 0 1 2; do
  files=()
  for name in $names; do
    file=${name//%d/$skin}
    twice="${file%.*}@2x.${file##*.}"
    if [ -f "$resources/$twice" ]; then
      files+=("$resources/$twice")
    else
      files+=("$resources/$file")
    fi
  done
  sheet=$root/build/contact-sheet-skin$skin.png
  "$montage_bin" -label '%t' -pointsize 11 -background '#B9B4B7' -fill '#222222' \
    -tile 10x -geometry '150x150>+6+6' "${files[@]}" "$sheet"
  echo "$sheet"
done
