#!/usr/bin/env bash
# A capture copied to the clipboard survives the program's exit: a running clipboard manager is
# handed the picture when the program ends.
manager=$2
source "$(dirname "$0")/lib.sh"
"$manager" "$work/kept.png" > "$work/manager.out" & pids+=($!)
for _ in $(seq 50); do grep -q ready "$work/manager.out" 2>/dev/null && break; sleep 0.1; done
start_program
xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
wait_for_file "$work/TIVSoft/ZevazoRUV/IMG/1.jpg"
exit_program
for _ in $(seq 50); do grep -q -E "saved" "$work/manager.out" && break; sleep 0.1; done
cat "$work/manager.out"
grep -q "^saved" "$work/manager.out"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
[ "$(identify -format '%m %wx%h' "$work/kept.png")" = "PNG $screen" ]
echo "the clipboard manager kept the capture"
