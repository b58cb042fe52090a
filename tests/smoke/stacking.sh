#!/usr/bin/env bash
# The frozen desktop lies above every other window (run by desktop.sh, with and without a window
# manager): above a window mapped after the program started, above an open hotkey dialog, and
# below nothing but the capture toolbar, which stays usable over it.
source "$(dirname "$0")/lib.sh"
start_program
pictures=$work/TIVSoft/ZevazoRUV/IMG
# Both windows are titled alike; the toolbar is the one 332 pixels wide.
window_of_width() {
  for w in $(xdotool search --onlyvisible --pid "$app" --name TIVrevudu 2>/dev/null); do
    width=$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p')
    if [ "$1" = toolbar ]; then [ "$width" = 332 ]; else [ "$width" != 332 ]; fi && { echo "$w"; return; }
  done
  return 0
}
on_main() { xdotool mousemove --window "$(window_of_width main)" "$1" "$2" click 1; sleep "${3:-0.5}"; }
drag_saves() {
  xdotool mousemove 600 260 mousedown 1
  for step in 1 2 3 4; do xdotool mousemove $((600 + 40 * step)) $((260 + 30 * step)); sleep 0.1; done
  xdotool mouseup 1
  wait_for_file "$pictures/$1.jpg"
  size=$(identify -format '%wx%h' "$pictures/$1.jpg")
  [ "$size" = 160x120 ] || { echo "picture $1 is $size"; exit 1; }
}

# A window mapped after the start, right where the region is dragged.
convert -size 500x400 xc:blue "$work/later.xwd"
xwud -in "$work/later.xwd" -geometry +350+200 -noclick & pids+=($!)
sleep 1
on_main 82 200 2
drag_saves 1
echo "the frozen desktop lay above a window mapped later"

# The hotkey dialog is open when the region hotkey is pressed.
on_main 82 230 0.6
xdotool key Up Return
sleep 1
[ -n "$(xdotool search --onlyvisible --pid "$app" --name 热键设置 2>/dev/null)" ] || { echo "no hotkey dialog"; exit 1; }
xdotool key ctrl+shift+a
sleep 2
drag_saves 2
echo "an open dialog did not block the selection"

# Continuous capture: the toolbar comes with the region button and stays above the frozen
# desktop of the region hotkey; its way back works there.
on_main 82 170
on_main 82 200 2
drag_saves 3
xdotool key ctrl+shift+a
sleep 2
tb=$(window_of_width toolbar)
[ -n "$tb" ] || { echo "no toolbar"; xwininfo -root -tree | grep -i tivrevudu; tail -30 "$work/program.log"; exit 1; }
xdotool mousemove --window "$tb" 257 78 click 1
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$(window_of_width main)")"
echo "after the toolbar's way back the main window is ${WIDTH}x$HEIGHT"
[ "${WIDTH}x$HEIGHT" = 786x643 ] || { echo "the toolbar's button did not take the click"; exit 1; }
on_main 82 320 0
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
echo "the toolbar stayed usable above the frozen desktop"
