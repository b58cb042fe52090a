#!/usr/bin/env bash
# Under a window manager (run by desktop.sh): region captures give the main window back exactly as
# it was (state, frame, place and size), from the maximised start and from the normal size, five
# times in a row. The leave hotkey is not Esc here, and Esc still leads out of the frozen desktop.
source "$(dirname "$0")/lib.sh"
ctrl_shift_hotkeys > "$work/bin/defualt.ini"
start_program
pictures=$work/TIVSoft/ZevazoRUV/IMG
main_window() { xdotool search --onlyvisible --pid "$app" --name TIVrevudu | head -1; }
# What the window manager and the server say of the window: its state, its frame and the
# client's place and size on the screen.
window_state() {
  local w
  w=$(main_window)
  xprop -id "$w" _NET_WM_STATE _NET_FRAME_EXTENTS | tr '\n' ' '
  xwininfo -id "$w" | awk '/Absolute upper-left|Width:|Height:/ {printf "%s ", $NF}'
}
frozen() {
  xdotool mousemove --window "$(main_window)" 82 200 click 1
  sleep 2
}
settled() {
  # Wait until the window manager has framed the window again and it stops moving.
  local last="" now
  for _ in $(seq 20); do
    sleep 0.3
    now=$(window_state 2>/dev/null) || continue
    [ "$now" = "$last" ] && { echo "$now"; return; }
    last=$now
  done
  echo "$last"
}
same_after() {
  local now
  now=$(settled)
  [ "$now" = "$2" ] || { printf 'after %s the window is\n  %s\ninstead of\n  %s\n' "$1" "$now" "$2"; exit 1; }
}
captures() {
  local before=$1
  for _ in 1 2 3 4 5; do
    saved=$((saved + 1))
    frozen
    xdotool mousemove 300 300 mousedown 1 mousemove 350 330 mousemove 400 360 mouseup 1
    wait_for_file "$pictures/$saved.jpg"
    same_after "capture $saved" "$before"
  done
}
saved=0

maximised=$(settled)
echo "maximised: $maximised"
[[ "$maximised" == *_NET_WM_STATE_MAXIMIZED_VERT* ]] || { echo "the window did not start maximised"; exit 1; }
captures "$maximised"

# Esc leaves the frozen desktop although it is not the leave hotkey, and nothing is saved.
frozen
xdotool key Escape
same_after "Esc" "$maximised"
xdotool mousemove 300 300 mousedown 1 mousemove 400 360 mouseup 1
sleep 1
[ ! -f "$pictures/$((saved + 1)).jpg" ] || { echo "a drag after Esc saved a picture"; exit 1; }

# The leave hotkey gives the window its normal size.
xdotool key ctrl+shift+q
normal=$(settled)
echo "normal: $normal"
[[ "$normal" != *MAXIMIZED* ]] || { echo "leaving capture mode kept the window maximised"; exit 1; }
captures "$normal"
# The exit button, found from the window's own corner.
xdotool mousemove --window "$(main_window)" 82 320 click 1
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
echo "ten captures gave the window back as it was"
