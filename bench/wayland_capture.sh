#!/usr/bin/env bash
# Capture to saved PNG on headless sway, against grim writing the same PNG, same desktop:
#   bench/wayland_capture.sh path/to/TIVrevudu [rounds] [starts]
# Ours is timed from the command (a --capture full handed to the running copy) to the file being
# complete; grim's is its whole process. Two ways: our window shown (it hides for the capture and
# shows the picture after), and continuous capture with our window on another workspace and a
# terminal in front, as when the command is bound to a key. The start-up to a shown window is
# timed `starts` times first, from exec to sway's "new" event for the window.
source "$(dirname "$0")/../tests/wayland/lib.sh"
rounds=${2:-10} starts=${3:-5}
now() { date +%s%N; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
mapped_at() {
  python3 -c '
import json, subprocess, time
events = subprocess.Popen(["swaymsg", "-t", "subscribe", "-m", "[\"window\"]"], stdout=subprocess.PIPE, text=True)
for line in events.stdout:
    event = json.loads(line)
    if event["change"] == "new" and event["container"].get("app_id") == "TIVrevudu":
        print(time.time_ns())
        break
events.kill()'
}
startups=()
for _ in $(seq "$starts"); do
  mapped_at > "$home/mapped" & watcher=$!
  sleep 0.3  # the subscription is in place
  t=$(now)
  start_program
  wait "$watcher"
  startups+=($(( ($(cat "$home/mapped") - t) / 1000000 )))
  sleep 0.5
  kill "$app"; wait "$app" 2>/dev/null || true
done
n=0
# Times `rounds` captures against grim, into $ours and $theirs.
time_captures() {
  ours=() theirs=()
  for _ in $(seq "$rounds"); do
    n=$((n + 1))
    t=$(now); grim "$home/grim-$n.png"; theirs+=($(( ($(now) - t) / 1000000 )))
    t=$(now); "$prog" --capture full
    # The picture is written under another name and renamed when complete, so its name appearing
    # is the moment it is there whole. Reading it back here (identify takes 60-140 ms to start)
    # would count that against ours; it is checked after the timing.
    for _ in $(seq 2000); do [ -s "$pictures/$n.png" ] && break; sleep 0.005; done
    ours+=($(( ($(now) - t) / 1000000 )))
    sleep 0.5
  done
  for i in $(seq $((n - rounds + 1)) "$n"); do
    identify "$pictures/$i.png" >/dev/null || fail "picture $i.png is not a whole PNG"
  done
}
start_program
wait_for_window TIVrevudu
sleep 1
time_captures
echo "capture to PNG, 1024x768, our window shown, median of $rounds: ours $(median "${ours[@]}") ms, grim $(median "${theirs[@]}") ms"
echo "  ours: ${ours[*]}"
echo "  grim: ${theirs[*]}"
kill "$app"; wait "$app" 2>/dev/null || true
echo ContinueCut=1 >> "$home/bin/defualt.ini"
start_program
wait_for_window TIVrevudu
swaymsg '[app_id="TIVrevudu"] move to workspace 2' >/dev/null
foot sh -c 'sleep 1000' & pids+=($!)
wait_for_window foot
sleep 1
time_captures
echo "capture to PNG, 1024x768, continuous capture, a terminal in front, median of $rounds: ours $(median "${ours[@]}") ms, grim $(median "${theirs[@]}") ms"
echo "  ours: ${ours[*]}"
echo "  grim: ${theirs[*]}"
echo "start-up to a shown window, median of $starts: $(median "${startups[@]}") ms (${startups[*]})"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
