#!/usr/bin/env bash
# Capture to saved PNG on headless sway, against grim writing the same PNG, same desktop:
#   bench/wayland_capture.sh path/to/TIVrevudu [rounds]
# Ours is timed from the key press (a --capture full handed to the running copy) to the file
# being complete; grim's is its whole process. The program's start-up to a shown window is timed
# once, first.
source "$(dirname "$0")/../tests/wayland/lib.sh"
rounds=${2:-10}
now() { date +%s%N; }
# Start-up: from the start to sway mapping the window (its "new" event comes at the first map).
python3 -c '
import json, subprocess, time
events = subprocess.Popen(["swaymsg", "-t", "subscribe", "-m", "[\"window\"]"], stdout=subprocess.PIPE, text=True)
for line in events.stdout:
    event = json.loads(line)
    if event["change"] == "new" and event["container"].get("app_id") == "TIVrevudu":
        print(time.time_ns())
        break
events.kill()' > "$home/mapped" & watcher=$!
sleep 0.3  # the subscription is in place
t=$(now)
start_program
wait "$watcher"
startup=$(( ($(cat "$home/mapped") - t) / 1000000 ))
wait_for_window TIVrevudu
sleep 1
ours=() theirs=()
for i in $(seq "$rounds"); do
  t=$(now); grim "$home/grim-$i.png"; theirs+=($(( ($(now) - t) / 1000000 )))
  t=$(now); "$prog" --capture full
  for _ in $(seq 2000); do [ -s "$pictures/$i.png" ] && identify "$pictures/$i.png" >/dev/null 2>&1 && break; sleep 0.005; done
  ours+=($(( ($(now) - t) / 1000000 )))
  sleep 0.5
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "capture to PNG, 1024x768, median of $rounds: ours $(median "${ours[@]}") ms, grim $(median "${theirs[@]}") ms; start-up to a shown window $startup ms"
echo "ours: ${ours[*]}"
echo "grim: ${theirs[*]}"
