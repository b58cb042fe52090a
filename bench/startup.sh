#!/usr/bin/env bash
# Times the start-up to a shown main window (from exec until the window is mapped) of one or more
# builds of the program on a private 1920x1080 Xvfb display, with no settings file. The builds take
# turns run by run, so a busy machine weighs on each alike. Prints the median of each.
# usage: bench/startup.sh [-n RUNS] PROGRAM...
set -euo pipefail
runs=9
if [[ ${1:-} == -n ]]; then runs=$2; shift 2; fi
(($#)) || { echo "usage: $0 [-n RUNS] PROGRAM..." >&2; exit 2; }
work=$(mktemp -d)
display=:$((120 + RANDOM % 80))
cleanup() { [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=$display HOME=$work
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
for i in $(seq $#); do mkdir -p "$work/$i"; cp "${!i}" "$work/$i/TIVrevudu"; done

for _ in $(seq "$runs"); do
  for i in $(seq $#); do
    t0=$(date +%s%N)
    "$work/$i/TIVrevudu" >/dev/null 2>"$work/$i/log" & app=$!
    # A tight, bounded poll: xdotool's own --sync waits in half-second steps.
    for _ in $(seq 1000); do
      xdotool search --onlyvisible --pid "$app" --name TIVrevudu >/dev/null 2>&1 && break
      kill -0 "$app" 2>/dev/null || break
      sleep 0.01
    done
    t1=$(date +%s%N)
    # CPU time used so far (user + system, in clock ticks): steadier than wall time on a busy machine.
    ticks=$(awk '{print $14 + $15}' "/proc/$app/stat" 2>/dev/null || echo 0)
    kill "$app" 2>/dev/null || true
    status=0; wait "$app" 2>/dev/null || status=$?
    rm -f "$work/$i/defualt.ini"
    # A start that failed (say, the X server refused the connection) has no time to count.
    if ((status >= 128 && status != 143)); then
      echo "${!i} ended with status $status, run not counted: $(tail -1 "$work/$i/log")" >&2
      continue
    fi
    echo "$i $(((t1 - t0) / 1000000)) $((ticks * 1000 / $(getconf CLK_TCK)))" >> "$work/times"
  done
done
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)] + 0}'; }
for i in $(seq $#); do
  wall=$(awk -v i="$i" '$1 == i {print $2}' "$work/times" | median)
  fastest=$(awk -v i="$i" '$1 == i {print $2}' "$work/times" | sort -n | head -1)
  cpu=$(awk -v i="$i" '$1 == i {print $3}' "$work/times" | median)
  runs=$(awk -v i="$i" '$1 == i' "$work/times" | wc -l)
  echo "${!i}: wall median $wall ms, fastest $fastest ms; CPU median $cpu ms (of $runs runs)"
done
