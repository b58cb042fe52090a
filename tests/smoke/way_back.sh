#!/usr/bin/env bash
# The hotkey that leaves capture mode is held by another program, continuous capture is on, and
# custom capture starts capture mode (the window stays, as the registration was refused). A region
# capture by hotkey then saves its picture; the window must come back afterwards, since neither a
# toolbar nor a hotkey could bring it back later.
holder=$2
source "$(dirname "$0")/lib.sh"
{ printf '[default]\nContinueCut=1\n'; ctrl_shift_hotkeys; } > "$work/bin/defualt.ini"
"$holder" q > "$work/holder.out" & pids+=($!)
for _ in $(seq 50); do grep -q holding "$work/holder.out" 2>/dev/null && break; sleep 0.1; done
start_program

# Custom capture is the fourth item of the more-functions menu.
click $OTHER_BUTTON 0.6
for _ in 1 2 3 4; do xdotool key Down; sleep 0.1; done
xdotool key Return
sleep 1
[ -n "$(main_window)" ] || { echo "custom capture hid the window although hotkey 5 was refused"; exit 1; }

xdotool key ctrl+shift+a
sleep 1.5
win=$(main_window)
geometry "$win"
xdotool mousemove $((X + 300)) $((Y + 200)) mousedown 1
xdotool mousemove $((X + 350)) $((Y + 240)); sleep 0.1
xdotool mousemove $((X + 400)) $((Y + 260)); sleep 0.1
xdotool mouseup 1
wait_for_file "$work/TIVSoft/ZevazoRUV/IMG/1.jpg"
sleep 1
win=$(main_window)
[ -n "$win" ] || { echo "the window stayed hidden with no way back"; exit 1; }
geometry "$win"
echo "window back at ${WIDTH}x${HEIGHT}+$X+$Y"
[ "$WIDTH" = 786 ] && [ "$HEIGHT" = 643 ]
exit_program
