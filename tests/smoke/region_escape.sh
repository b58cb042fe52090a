#!/usr/bin/env bash
# The frozen desktop of a region capture covers the whole screen every time, also after Esc has
# ended capture mode and the window went back to its normal size; and after Esc a drag on the
# canvas crops and saves nothing.
source "$(dirname "$0")/lib.sh"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
start_program
covers_screen() {
  win=$(main_window)
  geometry "$win"
  echo "window at $X,$Y size ${WIDTH}x$HEIGHT, screen $screen"
  [ "$X,$Y" = "0,0" ] && [ "${WIDTH}x$HEIGHT" = "$screen" ]
}

click $REGION_BUTTON 2
covers_screen || { echo "the first selection does not cover the screen"; exit 1; }

# Esc is hotkey 5: its release goes to the desktop's grab, not to the window.
xdotool key Escape
sleep 1
win=$(main_window)
geometry "$win"
[ "${WIDTH}x$HEIGHT" = "786x643" ] || { echo "Esc did not restore the normal bounds"; exit 1; }
xdotool mousemove $((X + 420)) $((Y + 260)) mousedown 1
for step in 1 2 3 4; do xdotool mousemove $((X + 420 + 30 * step)) $((Y + 260 + 20 * step)); sleep 0.1; done
xdotool mouseup 1
sleep 1
saved=$(find "$HOME/TIVSoft" -type f 2>/dev/null | wc -l)
[ "$saved" -eq 0 ] || { echo "a drag after Esc saved a picture"; find "$HOME/TIVSoft" -type f; exit 1; }

click $REGION_BUTTON 2
covers_screen || { echo "the second selection does not cover the screen"; exit 1; }
xdotool key Escape
sleep 1
exit_program
echo "both selections covered the screen; the drag after Esc saved nothing"
