#!/usr/bin/env bash
# Start to a shown main window (from exec until the window is mapped), ours against ksnip's, side by
# side in one run on a private 1920x1080 Xvfb display, both with no settings of their own: once with
# no session bus, once with a private session bus (dbus-daemon). The two programs take turns run by
# run, so a busy machine weighs on each alike. Prints medians and the ratio ours / ksnip's.
# Installs ksnip (Debian package) when it is missing.
# usage: bench/startup-vs-ksnip.sh [-n RUNS] PROGRAM
set -euo pipefail
runs=15
if [[ ${1:-} == -n ]]; then runs=$2; shift 2; fi
(($# == 1)) || { echo "usage: $0 [-n RUNS] PROGRAM" >&2; exit 2; }
program=$(realpath "$1")
if ! command -v ksnip >/dev/null; then
  apt-get install -y --no-install-recommends ksnip >/dev/null
fi
work=$(mktemp -d)
display=:$((200 + RANDOM % 80))
bus_pid=""
cleanup() {
  [[ -n ${watcher:-} ]] && pkill -P "$watcher" 2>/dev/null
  [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null
  [[ -n $bus_pid ]] && kill "$bus_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
mkdir -p "$work/bin"
cp "$program" "$work/bin/TIVrevudu"
# The modules live beside the program in a build.
for module in tivprogram tivweb tivocr; do
  [[ -f $(dirname "$program")/$module.so ]] && cp "$(dirname "$program")/$module.so" "$work/bin/"
done

source "$(dirname "$0")/watch-maps.sh"

# Milliseconds from exec until the program's first window is mapped; nothing when it never is.
time_start() {
  local home=$1; shift
  local name=${1##*/}
  rm -rf "$home"; mkdir -p "$home"
  local before t0 app shown=""
  before=$(wc -l < "$work/maps")
  t0=${EPOCHREALTIME/./}
  HOME=$home XDG_CONFIG_HOME=$home/.config "$@" >/dev/null 2>"$home.log" & app=$!
  for _ in $(seq 2000); do
    if (($(wc -l < "$work/maps") > before)); then shown=1; break; fi
    kill -0 "$app" 2>/dev/null || break
    sleep 0.005
  done
  local t1
  t1=$(sed -n "$((before + 1))p" "$work/maps")
  kill "$app" 2>/dev/null || true
  local status=0
  wait "$app" 2>/dev/null || status=$?
  # Let any window it left go away before the next start is watched.
  sleep 0.2
  if [[ -z $shown ]]; then
    echo "$name never showed a window (status $status): $(tail -2 "$home.log" | tr '\n' ' ')" >&2
    return 0
  fi
  # Ended by the kill (143) or by itself after showing: the time counts either way.
  ((status == 0 || status == 143)) || echo "$name ended with status $status after showing: $(tail -1 "$home.log")" >&2
  echo $(((t1 - t0) / 1000))
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "none"}'; }

measure() {
  local label=$1 ours=$work/ours-$1 peer=$work/ksnip-$1
  : > "$ours"; : > "$peer"
  for _ in $(seq "$runs"); do
    time_start "$work/home-ours" "$work/bin/TIVrevudu" >> "$ours" || true
    time_start "$work/home-ksnip" ksnip >> "$peer" || true
  done
  local a b
  a=$(median < "$ours"); b=$(median < "$peer")
  printf '%-18s ours %4s ms   ksnip %4s ms   ratio %s   (medians of %d and %d runs)\n' "$label" "$a" "$b" \
    "$(awk -v a="$a" -v b="$b" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}')" \
    "$(wc -l < "$ours")" "$(wc -l < "$peer")"
}

: > "$work/maps"
watch_maps "$work/maps" 2>/dev/null & watcher=$!
disown "$watcher"
sleep 0.5
unset DBUS_SESSION_BUS_ADDRESS
measure "no session bus"
read -r bus_address bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
export DBUS_SESSION_BUS_ADDRESS=$bus_address
measure "session bus"
