#!/usr/bin/env bash
# Starts the real program on the current X display, clicks the region-capture button, drags a
# rectangle on the frozen desktop and checks the picture saved for it: exactly the dragged size,
# showing the part of a grey noise desktop that was under the drag. A second drag pushed past the
# bottom-right corner takes the desktop's last column and row. With QT_SCALE_FACTOR set, the drag
# starts on an odd device pixel, which Qt rounds away in whole logical pixels.
source "$(dirname "$0")/lib.sh"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
ratio=${QT_SCALE_FACTOR:-1}

# Grey noise: any shift of the crop shows up at once, and JPEG keeps grey pixels nearly exact.
convert -seed 11 -size "$screen" xc: +noise Random -colorspace Gray -depth 8 "$work/desk.xwd"
xwud -in "$work/desk.xwd" -geometry +0+0 -noclick & pids+=($!)
sleep 0.5
# A window manager frames the picture and moves it down; the screen shows where it went.
import -window root "$work/screen.png"
start_program

# Clicks at a place of the main window given in its logical pixels.
click_scaled() { click $(($1 * ratio)) $(($2 * ratio)) "$3"; }
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 4)) $(($2 + ($4 - $2) * step / 4)); sleep 0.1
  done
  xdotool mouseup 1
  sleep 1.5
}
error() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed "s/.*(\(.*\))/\1/" || true; }
# The picture saved as $1 shows the screen's area $2 (WxH+X+Y), not the one a pixel to its left.
shows_area() {
  [ -f "$1" ] || { echo "no picture $1"; ls -R "$HOME/TIVSoft" || true; exit 1; }
  local size=${2%%+*} x y
  IFS=+ read -r _ x y <<< "$2"
  echo "saved $1, $(identify -format '%wx%h' "$1"), dragged $2"
  [ "$(identify -format '%wx%h' "$1")" = "$size" ]
  convert "$work/screen.png" -crop "$2" +repage "$work/expected.png"
  convert "$work/screen.png" -crop "$size+$((x - 1))+$y" +repage "$work/shifted.png"
  local exact shifted
  exact=$(error "$1" "$work/expected.png") shifted=$(error "$1" "$work/shifted.png")
  echo "error against the dragged area: $exact, one pixel to the left: $shifted"
  awk -v e="$exact" -v s="$shifted" 'BEGIN { exit !(e < 0.02 && s > 0.2) }'
}

click_scaled $REGION_BUTTON 2
win=$(main_window)
geometry "$win"
# The frozen desktop is shown one to one from the window's top-left corner.
x0=301 y0=201 x1=501 y1=351
drag $((X + x0)) $((Y + y0)) $((X + x1)) $((Y + y1))
pictures="$HOME/TIVSoft/ZevazoRUV/IMG"
shows_area "$pictures/1.jpg" "$((x1 - x0))x$((y1 - y0))+$x0+$y0"

click_scaled $REGION_BUTTON 2
IFS=x read -r width height <<< "$screen"
drag $((width - 100)) $((height - 80)) $((width + 50)) $((height + 50))
shows_area "$pictures/2.jpg" "100x80+$((width - 100))+$((height - 80))"
