#!/usr/bin/env bash
# Start-up to a shown main window, from exec until the window is mapped, on a private 1920x1080
# Xvfb display: median of RUNS runs (default 15) for each program given, with no settings file.
# Comparing two builds shows what a change costs at start.
# usage: bench/run-startup.sh PROGRAM [PROGRAM...]
set -euo pipefail
runs=${RUNS:-15}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() { kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=$display HOME=$work
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
for program in "$@"; do
  mkdir -p "$work/bin"
  rm -f "$work/bin/"*
  cp "$program" "$work/bin/TIVrevudu"
  for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    "$work/bin/TIVrevudu" >/dev/null 2>"$work/stderr" & app=$!
    # A tight, bounded poll: xdotool's own --sync waits in half-second steps.
    for _ in $(seq 500); do xdotool search --onlyvisible --pid "$app" --name TIVrevudu >/dev/null 2>&1 && break; sleep 0.01; done
    t1=$(date +%s%N)
    if ! kill "$app" 2>/dev/null; then echo "$program ended by itself:" >&2; cat "$work/stderr" >&2; fi
    wait "$app" 2>/dev/null || true
    echo $(((t1 - t0) / 1000000))
  done | sort -n | awk -v what="$program" '{a[NR]=$1} END {printf "%s: median %d ms, fastest %d ms (of %d runs)\n", what, a[int((NR+1)/2)], a[1], NR}'
done
