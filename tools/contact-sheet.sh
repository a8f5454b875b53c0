#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws every picture of resources/art/manifest.txt on one sheet per skin:
# build/contact-sheet-skin0.png, -skin1.png, -skin2.png, each led by a mock-up
# of the main screen (also saved as build/main-screen-skinN.png) with the
# captions in their colours. Renders the pictures first (in build/dev unless a
# build folder is given).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/dev}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target florelle_art --parallel 2 >/dev/null
resources=$build/resources
montage_bin=$(command -v montage-im6.q16 || command -v montage)
convert_bin=$(command -v convert-im6.q16 || command -v convert)

# Caption colours of the petals, the cloud text and the centre, per skin.
petal_ink=("rgba(137,17,69,0.8)" "rgba(56,61,65,0.8)" "rgba(50,79,133,0.8)")
cloud_ink=("rgb(93,182,221)" "rgb(133,186,77)" "rgb(93,182,221)")
centre_ink=("rgba(188,70,121,0.9)" "rgba(52,51,51,0.9)" "rgba(50,79,133,0.9)")

# The main screen at 2x: the flower view sits at (10, 80) on the 320 x 460 view.
main_screen() {
  local skin=$1 out=$2 r=$resources
  local petals=(charts:90:0:Charts:62:65 addnote:182:45:Add_Note:70:75
                calendar:181:158:Calendar:69:75 log:90:210:Summary:62:88
                forum:-1:158:Forum:52:75 settings:-4:45:Settings:52:70)
  local args=("$r/bg_${skin}@2x.jpg")
  local captions=()
  for p in "${petals[@]}"; do
    IFS=: read -r name x y caption cx cy <<<"$p"
    local picture="$r/petal_${name}_${skin}@2x.png"
    [ "$name" = calendar ] && picture="$r/petal_${name}_selected_${skin}@2x.png"
    args+=("$picture" -geometry "+$(( (10 + x) * 2 ))+$(( (80 + y) * 2 ))" -composite)
    local dx=$(( (10 + x + cx) * 2 - 320 )) dy=$(( (80 + y + cy) * 2 ))
    captions+=(-annotate "$(printf '%+d%+d' "$dx" "$dy")" "${caption//_/ }")
  done
  args+=("$r/center1_${skin}@2x.png" -geometry +180+350 -composite
         "$r/cloud_${skin}@2x.png" -geometry +100-40 -composite
         "$r/dock_${skin}@2x.png" -geometry +0+840 -composite)
  "$convert_bin" "${args[@]}" -font Helvetica-Bold -pointsize 24 \
    -fill "${petal_ink[$skin]}" \
    -gravity North "${captions[@]}" \
    -fill "${cloud_ink[$skin]}" -pointsize 30 -gravity North -annotate +45+52 "Your fertile window is open" \
    -fill "${centre_ink[$skin]}" -pointsize 96 -annotate +0+400 "12" \
    -pointsize 40 -annotate +0+510 "days left" "$out"
}

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
  mock=$root/build/main-screen-skin$skin.png
  main_screen "$skin" "$mock"
  files=("$mock" "${files[@]}")
  sheet=$root/build/contact-sheet-skin$skin.png
  "$montage_bin" -label '%t' -pointsize 11 -background '#B9B4B7' -fill '#222222' \
    -tile 10x -geometry '150x150>+6+6' "${files[@]}" "$sheet"
  echo "$sheet"
done
