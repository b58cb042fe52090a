#!/usr/bin/env bash
# Starts the real program on the current X display, clicks the region-capture button, drags a
# rectangle on the frozen desktop and checks the picture saved for it: exactly the dragged size,
# showing the part of a grey noise desktop that was under the drag.
source "$(dirname "$0")/lib.sh"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')

# Grey noise: any shift of the crop shows up at once, and JPEG keeps grey pixels nearly exact.
convert -seed 11 -size "$screen" xc: +noise Random -colorspace Gray -depth 8 "$work/desk.xwd"
xwud -in "$work/desk.xwd" -geometry +0+0 -noclick & pids+=($!)
sleep 0.5
# A window manager frames the picture and moves it down; the screen shows where it went.
import -window root "$work/screen.png"
start_program

click $REGION_BUTTON 2
win=$(main_window)
geometry "$win"
# The frozen desktop is shown one to one from the window's top-left corner.
x0=300 y0=200 x1=500 y1=350
xdotool mousemove $((X + x0)) $((Y + y0)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((X + x0 + (x1 - x0) * step / 4)) $((Y + y0 + (y1 - y0) * step / 4)); sleep 0.1
done
xdotool mouseup 1
sleep 1.5

saved="$HOME/TIVSoft/ZevazoRUV/IMG/1.jpg"
[ -f "$saved" ] || { echo "no picture saved"; ls -R "$HOME/TIVSoft" || true; exit 1; }
size=$(identify -format '%wx%h' "$saved")
echo "saved $saved, $size"
[ "$size" = "$((x1 - x0))x$((y1 - y0))" ]
convert "$work/screen.png" -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$work/expected.png"
error() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed "s/.*(\(.*\))/\1/" || true; }
exact=$(error "$saved" "$work/expected.png")
convert "$work/screen.png" -crop "$((x1 - x0))x$((y1 - y0))+$((x0 + 1))+$y0" +repage "$work/shifted.png"
shifted=$(error "$saved" "$work/shifted.png")
echo "error against the dragged area: $exact, one pixel to the right: $shifted"
awk -v e="$exact" -v s="$shifted" 'BEGIN { exit !(e < 0.02 && s > 0.2) }'
