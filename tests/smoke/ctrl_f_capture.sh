#!/usr/bin/env bash
# Starts the real program on the current X display, presses Ctrl+F in it and checks that the
# canvas then shows the captured screen: a magenta block shown at the screen's top-left corner
# must appear once more, inside the program's canvas (the maximised window of a window manager
# hides the block itself).
source "$(dirname "$0")/lib.sh"

convert -size 200x200 xc:magenta "$work/block.xwd"
xwud -in "$work/block.xwd" -geometry +0+0 -noclick & pids+=($!)
start_program
magenta_count() { import -window root "$work/shot.png"; convert "$work/shot.png" -fill black +opaque magenta -fill white -opaque magenta -format '%[fx:int(mean*w*h)]' info:; }
before=$(magenta_count)
xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
sleep 1.5
after=$(magenta_count)
echo "magenta pixels before: $before, after: $after"
# The block covers 40,000 pixels; the canvas shows it (partly, behind the window's chrome).
[ "$after" -gt $((before + 10000)) ]
