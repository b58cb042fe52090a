#!/usr/bin/env bash
# Region capture's frozen desktop on headless sway: the time from a --capture region handed to the
# running copy to every screen being covered (sway maps a window once it has a picture to show,
# then reports it full-screen), beside grim taking the same desktop:
#   bench/wayland_region.sh path/to/TIVrevudu [rounds] [screens]
# screens 2 adds a second 1024x768 screen right of the first.
source "$(dirname "$0")/../tests/wayland/lib.sh"
rounds=${2:-10} screens=${3:-1}
if [ "$screens" = 2 ]; then
  swaymsg create_output >/dev/null
  swaymsg output HEADLESS-2 resolution 1024x768 position 1024 0 bg "$home/desktop.png" fill >/dev/null
  sleep 1
fi
now() { date +%s%N; }
start_program
wait_for_window TIVrevudu
sleep 1
# Prints the clock (as `now`) once `screens` windows of ours are full-screen, then ends.
watch_cover() {
  python3 -c '
import json, subprocess, sys, time
events = subprocess.Popen(["swaymsg", "-t", "subscribe", "-m", "[\"window\"]"], stdout=subprocess.PIPE, text=True)
covering = set()
for line in events.stdout:
    event = json.loads(line)
    c = event["container"]
    if event["change"] in ("new", "fullscreen_mode") and c.get("app_id") == "TIVrevudu" and c.get("fullscreen_mode") == 1:
        covering.add(c["id"])
    if len(covering) == int(sys.argv[1]):
        print(time.time_ns())
        break
events.kill()' "$screens"
}
ours=() theirs=()
for i in $(seq "$rounds"); do
  t=$(now); grim "$home/grim-$i.png"; theirs+=($(( ($(now) - t) / 1000000 )))
  watch_cover > "$home/covered" & watcher=$!
  sleep 0.3  # the subscription is in place
  t=$(now); "$prog" --capture region
  wait "$watcher"
  ours+=($(( ($(cat "$home/covered") - t) / 1000000 )))
  sleep 0.5
  wtype -s 200 -k Escape  # a new virtual keyboard loses keys sent at once
  for _ in $(seq 100); do [ "$(covering_windows)" = 0 ] && break; sleep 0.05; done
  [ "$(covering_windows)" = 0 ] || fail "Esc left the frozen desktop up"
  sleep 0.5
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "frozen desktop shown, $screens screen(s), median of $rounds: ours $(median "${ours[@]}") ms, grim alone $(median "${theirs[@]}") ms"
echo "ours: ${ours[*]}"
echo "grim: ${theirs[*]}"
