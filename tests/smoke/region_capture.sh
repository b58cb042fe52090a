#!/usr/bin/env bash
# Starts the real program on the current X display, clicks the region-capture button, drags a
# rectangle on the frozen desktop and checks the picture saved for it: exactly the dragged size,
# showing the part of a grey noise desktop that was under the drag. The drag starts on an odd
# device pixel, which Qt rounds away under QT_SCALE_FACTOR=2; a second drag pushed past the
# bottom-right corner takes in the desktop's last column and row.
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

error() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed "s/.*(\(.*\))/\1/" || true; }
# Picture $1 shows the screen's area W H X Y ($2 to $5), not the one a pixel to its left.
shows_area() {
  wait_for_file "$1"
  [ "$(identify -format '%wx%h' "$1")" = "$2x$3" ] || { echo "saved $(identify -format '%wx%h' "$1"), dragged $2x$3"; exit 1; }
  convert "$work/screen.png" -crop "$2x$3+$4+$5" +repage "$work/expected.png"
  convert "$work/screen.png" -crop "$2x$3+$(($4 - 1))+$5" +repage "$work/shifted.png"
  exact=$(error "$1" "$work/expected.png") shifted=$(error "$1" "$work/shifted.png")
  echo "error against the dragged area: $exact, one pixel to the left: $shifted"
  awk -v e="$exact" -v s="$shifted" 'BEGIN { exit !(e < 0.02 && s > 0.2) }'
}

read -r bx by <<< "$REGION_BUTTON"
click $((bx * ratio)) $((by * ratio)) 2
geometry "$(main_window)"
# The frozen desktop is shown one to one from the window's top-left corner.
drag $((X + 301)) $((Y + 201)) $((X + 501)) $((Y + 351))
shows_area "$HOME/TIVSoft/ZevazoRUV/IMG/1.jpg" 200 150 301 201

click $((bx * ratio)) $((by * ratio)) 2
IFS=x read -r width height <<< "$screen"
drag $((width - 100)) $((height - 80)) $((width + 50)) $((height + 50))
shows_area "$HOME/TIVSoft/ZevazoRUV/IMG/2.jpg" 100 80 $((width - 100)) $((height - 80))
