#!/usr/bin/env bash
# Generates the framework's pictures in resources/img/ from the open-licence
# Lucide icon set (npm package lucide-static, ISC licence), so that every
# picture shares one stroke style. Reproducible: pinned package version, fixed
# sizes and colours. Needs node/npm and rsvg-convert (Debian librsvg2-bin) at
# generation time only; the PNGs are committed, the build needs neither.
#   cd tools/icons && npm ci && ./generate.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
icons="$here/node_modules/lucide-static/icons"
out="$here/../../resources/img"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

dark="#1f2329"    # pictures for light backgrounds (img/black/)
light="#ffffff"   # pictures for dark backgrounds (img/white/)
muted="#60656f"
accent="#2f7cf6"
warn="#f5a623"
danger="#e5484d"

# icon NAME SIZE COLOUR OUTPUT [STROKE]: one Lucide icon in one colour.
icon() {
  local name=$1 size=$2 colour=$3 dest=$4 stroke=${5:-2}
  mkdir -p "$(dirname "$out/$dest")"
  sed -e "s/currentColor/$colour/g" -e "s/stroke-width=\"2\"/stroke-width=\"$stroke\"/" \
    "$icons/$name.svg" >"$work/icon.svg"
  rsvg-convert -w "$size" -h "$size" "$work/icon.svg" -o "$out/$dest"
}

# svg SIZE_W SIZE_H OUTPUT MARKUP: a small picture drawn here in the same style.
svg() {
  local w=$1 h=$2 dest=$3 body=$4
  mkdir -p "$(dirname "$out/$dest")"
  printf '<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" viewBox="0 0 %s %s">%s</svg>' \
    "$w" "$h" "$w" "$h" "$body" >"$work/pic.svg"
  rsvg-convert -w "$w" -h "$h" "$work/pic.svg" -o "$out/$dest"
}

# Window buttons and tool buttons, in both theme colours.
for variant in black white; do
  colour=$dark
  [ "$variant" = white ] && colour=$light
  icon x 16 "$colour" "$variant/btn_close.png"
  icon minus 16 "$colour" "$variant/btn_mini.png"
  icon plus 16 "$colour" "$variant/btn_add.png"
  icon settings 16 "$colour" "$variant/btn_setting.png"
  icon chevron-left 16 "$colour" "$variant/btn_prev.png"
  icon chevron-right 16 "$colour" "$variant/btn_next.png"
  icon pin 16 "$colour" "$variant/btn_lock.png"
  icon menu 16 "$colour" "$variant/btn_menu.png"
done

# The close button of dialogs: normal and hover (white on red).
icon x 16 "$muted" btn/close.png
icon x 16 "$light" btn/close_hover.png
svg 16 16 btn/close_bg_hover.png "<rect x='0' y='0' width='16' height='16' rx='3' fill='$danger'/>"

# Message box symbols.
icon triangle-alert 32 "$warn" msgbox/war.png 1.75
icon info 32 "$accent" msgbox/info.png 1.75
icon circle-help 32 "$accent" msgbox/quest.png 1.75
icon circle-x 32 "$danger" msgbox/err.png 1.75

# Check and radio boxes: off, on, and off under the pointer.
icon square 16 "$muted" check/off.png 1.75
icon square 16 "$accent" check/off_hover.png 1.75
icon square-check 16 "$accent" check/on.png 1.75
icon circle 16 "$muted" radio/off.png 1.75
icon circle 16 "$accent" radio/off_hover.png 1.75
icon circle-dot 16 "$accent" radio/on.png 1.75

# Combo box arrows.
icon chevron-down 12 "$muted" combo/arrow_down.png
icon chevron-up 12 "$muted" combo/arrow_up.png

# Stretchable backgrounds: a 30 x 30 rounded panel for nine-grid drawing and
# a 30 x 28 button face for three-slice drawing.
svg 30 30 btn/panel.png "<rect x='0.5' y='0.5' width='29' height='29' rx='6' fill='#f6fafd' stroke='#b4c2ce'/>"
svg 30 28 btn/face.png "<rect x='0.5' y='0.5' width='29' height='27' rx='6' fill='$accent'/>"
svg 30 28 btn/face_hover.png "<rect x='0.5' y='0.5' width='29' height='27' rx='6' fill='#4a90ff'/>"
echo "pictures written to $out"
