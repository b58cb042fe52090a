#!/usr/bin/env bash
# Start-up to a shown main window on X11, timed by the X server's own MapNotify (not by polling,
# whose latency and xdotool's start would be counted), from exec, with no settings file, on a
# private 1920x1080 Xvfb display without a window manager. The programs take turns run by run, so
# a busy machine weighs on each alike. This is the X11 figure the sway start-up is held against
# (`wayland_capture.sh` times sway's first "new" event for the window the same way).
# usage: bench/x11_startup_mapped.sh [-n RUNS] PROGRAM...
set -euo pipefail
runs=11
if [[ ${1:-} == -n ]]; then runs=$2; shift 2; fi
(($#)) || { echo "usage: $0 [-n RUNS] PROGRAM..." >&2; exit 2; }
work=$(mktemp -d)
display=:$((120 + RANDOM % 80))
# xev ends with the display.
cleanup() {
  [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
: > "$work/maps"
source "$(dirname "$0")/watch-maps.sh"
watch_maps "$work/maps" &
sleep 0.5
for i in $(seq $#); do mkdir -p "$work/$i"; cp "${!i}" "$work/$i/TIVrevudu"; : > "$work/times-$i"; done
for _ in $(seq "$runs"); do
  for i in $(seq $#); do
    rm -rf "$work/home"; mkdir -p "$work/home"
    before=$(wc -l < "$work/maps")
    t0=${EPOCHREALTIME/./}
    HOME=$work/home "$work/$i/TIVrevudu" >/dev/null 2>"$work/$i/log" & app=$!
    for _ in $(seq 2000); do
      (($(wc -l < "$work/maps") > before)) && break
      kill -0 "$app" 2>/dev/null || break
      sleep 0.005
    done
    t1=$(sed -n "$((before + 1))p" "$work/maps")
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    [[ -n $t1 ]] && echo $(((t1 - t0) / 1000)) >> "$work/times-$i"
    sleep 0.3
  done
done
for i in $(seq $#); do
  sort -n "$work/times-$i" | awk -v what="${!i}" '{a[NR]=$1} END {printf "%s: median %d ms, fastest %d ms (of %d runs)\n", what, a[int((NR+1)/2)], a[1], NR}'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
