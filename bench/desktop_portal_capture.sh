#!/usr/bin/env bash
# Capture to saved PNG on headless GNOME Shell or KDE Plasma, where the pixels come from the
# desktop portal, against the bare portal call in the same run:
#   bench/desktop_portal_capture.sh path/to/TIVrevudu gnome|kde [rounds]
# Ours is timed from the command (a --capture full handed to the running copy, whose maximised
# window leaves the screen for the capture) to the file being there (it appears complete, under its
# name only once written). The bare call is timed in the same screen change: from hiding a
# maximised window of its own to the portal's answer, its picture written. What is on the screen
# weighs: in software rendering the desktop paints its wallpaper, which an opaque maximised window
# hides, for each picture, and took 3-5 times as long for it as for the window alone.
desktop=$2
source "$(dirname "$0")/../tests/$desktop/lib.sh"
rounds=${3:-8}
now() { date +%s%N; }
[ "$desktop" != gnome ] || allow_screenshots
start_program
sleep 3
ours=() theirs=()
for i in $(seq "$rounds"); do
  t=$(now); "$prog" --capture full
  for _ in $(seq 4000); do [ -s "$pictures/$i.png" ] && break; sleep 0.005; done
  ours+=($(( ($(now) - t) / 1000000 )))
  sleep 0.5
  theirs+=($(GSK_RENDERER=cairo python3 "$(dirname "$0")/bare_portal_screenshot.py" 1 --hiding 2>/dev/null))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "$desktop: capture to PNG, 1024x768, median of $rounds: ours $(median "${ours[@]}") ms, bare portal call $(median "${theirs[@]}") ms (load $(cut -d' ' -f1-3 /proc/loadavg))"
echo "ours: ${ours[*]}"
echo "bare portal: ${theirs[*]}"
cp "$home/program.log" /tmp/gk2-out/bench-program.log
