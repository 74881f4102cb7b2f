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

# --- Pictures of the basic controls ------------------------------------------
pressed="#1f5fcf"  # accent, darker: a control held down
disabled="#c4c8d0"
# The four looks of a state strip, in frame order: normal, hover, pressed, disabled.
looks=("$muted" "$accent" "$pressed" "$disabled")
fills=("$accent" "#4a90ff" "$pressed" "#a9c8fb")

# lucide_body NAME: the shapes of a Lucide icon without its svg element.
lucide_body() { sed -e '1,/^>/d' -e '/<\/svg>/d' -e '/<!--/d' "$icons/$1.svg" | tr -d '\n'; }

# icon_at NAME X Y SIZE COLOUR STROKE: a Lucide icon placed inside a picture.
icon_at() {
  printf "<svg x='%s' y='%s' width='%s' height='%s' viewBox='0 0 24 24' fill='none' stroke='%s' stroke-width='%s' stroke-linecap='round' stroke-linejoin='round'>%s</svg>" \
    "$2" "$3" "$4" "$4" "$5" "$6" "$(lucide_body "$1")"
}

# strip FRAME_W FRAME_H OUTPUT FRAME0 FRAME1 FRAME2 FRAME3: four frames side
# by side, the layout of a control's `btn`, `ckimg` and `thumb` images.
strip() {
  local fw=$1 fh=$2 dest=$3 body="" i=0
  shift 3
  for frame in "$@"; do
    body="$body<svg x='$((i * fw))' y='0' width='$fw' height='$fh' viewBox='0 0 $fw $fh'>$frame</svg>"
    i=$((i + 1))
  done
  svg $((fw * 4)) "$fh" "$dest" "$body"
}

# Check and radio boxes of the default look: 20 x 20 frames, unchecked (1)
# and checked (2).
ck1=() ck2=() rb1=() rb2=()
for i in 0 1 2 3; do
  c=${looks[$i]} f=${fills[$i]}
  ck1+=("<rect x='3.5' y='3.5' width='13' height='13' rx='3' fill='#ffffff' stroke='$c' stroke-width='1.5'/>")
  ck2+=("<rect x='2.75' y='2.75' width='14.5' height='14.5' rx='3' fill='$f'/><path d='m6.5 10.2 2.4 2.4 4.6-4.8' fill='none' stroke='#ffffff' stroke-width='1.8' stroke-linecap='round' stroke-linejoin='round'/>")
  rb1+=("<circle cx='10' cy='10' r='6.75' fill='#ffffff' stroke='$c' stroke-width='1.5'/>")
  rb2+=("<circle cx='10' cy='10' r='6.75' fill='#ffffff' stroke='$f' stroke-width='1.5'/><circle cx='10' cy='10' r='3.5' fill='$f'/>")
done
strip 20 20 btn/btn_checkbox1.png "${ck1[@]}"
strip 20 20 btn/btn_checkbox2.png "${ck2[@]}"
strip 20 20 btn/btn_radiobox1.png "${rb1[@]}"
strip 20 20 btn/btn_radiobox2.png "${rb2[@]}"

# Switch: 40 x 22 frames, off (grey track, knob left) and on (accent, knob right).
tracks_off=("#c4c8d0" "#b0b6c0" "#9aa1ad" "#e6e8eb")
sw_off=() sw_on=()
for i in 0 1 2 3; do
  sw_off+=("<rect x='1' y='2' width='38' height='18' rx='9' fill='${tracks_off[$i]}'/><circle cx='11' cy='11' r='7' fill='#ffffff'/>")
  sw_on+=("<rect x='1' y='2' width='38' height='18' rx='9' fill='${fills[$i]}'/><circle cx='29' cy='11' r='7' fill='#ffffff'/>")
done
strip 40 22 btn/switch_off.png "${sw_off[@]}"
strip 40 22 btn/switch_on.png "${sw_on[@]}"

# A tool button with four 24-pixel looks: plus on nothing, on a light and a
# darker rounded face, and greyed out.
faces=("" "<rect width='24' height='24' rx='5' fill='#e6eefc'/>" "<rect width='24' height='24' rx='5' fill='#cfdcf7'/>" "")
btn4=()
for i in 0 1 2 3; do
  colour=$dark
  [ "$i" = 3 ] && colour=$disabled
  btn4+=("${faces[$i]}$(icon_at plus 4 4 16 "$colour" 2)")
done
strip 24 24 btn/btn_add4.png "${btn4[@]}"

# Slider: thumb (four 16 x 16 looks), track and fill bands (stretched).
thumbs=()
for i in 0 1 2 3; do
  ring=${fills[$i]}
  [ "$i" = 3 ] && ring=$disabled
  inner="#ffffff"
  [ "$i" = 2 ] && inner=$pressed
  thumbs+=("<circle cx='8' cy='8' r='6.5' fill='$inner' stroke='$ring' stroke-width='2'/>")
done
strip 16 16 slider/thumb.png "${thumbs[@]}"
svg 12 4 slider/bg.png "<rect width='12' height='4' rx='2' fill='#dde2e8'/>"
svg 12 4 slider/fg.png "<rect width='12' height='4' rx='2' fill='$accent'/>"

# Progress bar: rounded track and fill for three-slice drawing (type 4).
svg 30 8 progress/bg.png "<rect width='30' height='8' rx='4' fill='#e6e8eb'/>"
svg 30 8 progress/fg.png "<rect width='30' height='8' rx='4' fill='#2ba245'/>"

# Frame animation: a spinner as eight 24-pixel PNG frames (gif/loading_N.png)
# and as one animated GIF on white (gif/loading.gif, 80 ms a frame).
frames=()
for i in 0 1 2 3 4 5 6 7; do
  svg 24 24 "gif/loading_$i.png" "<g transform='rotate($((i * 45)) 12 12)'>$(icon_at loader-circle 0 0 24 "$accent" 2.25)</g>"
  frames+=("$out/gif/loading_$i.png")
done
"${IMAGEMAGICK_CONVERT:-/usr/bin/convert}" -delay 8 -loop 0 -dispose previous -background white \
  "${frames[@]}" -alpha remove -alpha off "$out/gif/loading.gif"

# --- Pop-ups: combo box, drop-down list, menus and message box --------------
# Combo box body (four 160 x 28 looks, stretched) and arrow (four 12 x 12 looks).
cbody=() carrow=()
borders=("#b4c2ce" "$accent" "$pressed" "#dde2e8")
for i in 0 1 2 3; do
  bg="#ffffff"
  [ "$i" = 3 ] && bg="#f3f4f6"
  cbody+=("<rect x='0.5' y='0.5' width='159' height='27' rx='4' fill='$bg' stroke='${borders[$i]}'/>")
  colour=${looks[$i]}
  carrow+=("$(icon_at chevron-down 0 0 12 "$colour" 2)")
done
strip 160 28 combo/body.png "${cbody[@]}"
strip 12 12 combo/arrow.png "${carrow[@]}"
# Drop-down list and menu backgrounds (nine-grid) and the menu's check mark.
svg 30 30 cb_bg.png "<rect x='0.5' y='0.5' width='29' height='29' rx='3' fill='#ffffff' stroke='#b4c2ce'/>"
svg 30 30 menu/bg.png "<rect x='0.5' y='0.5' width='29' height='29' rx='6' fill='#ffffff' stroke='#c9d3dc'/><rect x='2' y='2' width='26' height='26' rx='5' fill='#ffffff'/>"
icon check 16 "$accent" menu/check.png
# Message box: panel, the two button faces (four 120 x 40 looks each) and the
# dialog close button (four 20 x 20 looks); the 24-pixel application icon.
svg 60 60 msgbox/bg.png "<rect x='0.5' y='0.5' width='59' height='59' rx='8' fill='#ffffff' stroke='#b4c2ce'/>"
bb=() bw=()
for i in 0 1 2 3; do
  bb+=("<rect x='0.5' y='0.5' width='119' height='39' rx='6' fill='${fills[$i]}'/>")
  bw+=("<rect x='0.5' y='0.5' width='119' height='39' rx='6' fill='#ffffff' stroke='${borders[$i]}'/>")
done
strip 120 40 msgbox/btnb.png "${bb[@]}"
strip 120 40 msgbox/btnw.png "${bw[@]}"
cl=()
clbg=("" "<rect width='20' height='20' rx='3' fill='$danger'/>" "<rect width='20' height='20' rx='3' fill='#c7373c'/>" "")
clfg=("$muted" "$light" "$light" "$disabled")
for i in 0 1 2 3; do
  cl+=("${clbg[$i]}$(icon_at x 3 3 14 "${clfg[$i]}" 2)")
done
strip 20 20 btn/btn_close.png "${cl[@]}"
svg 24 24 ico24.png "<rect width='24' height='24' rx='5' fill='$accent'/>$(icon_at calendar-days 4 4 16 "$light" 2)"

echo "pictures written to $out"
