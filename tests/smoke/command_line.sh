#!/usr/bin/env bash
# The command line acts on the one running copy: a capture request from a second start is saved
# by the first copy, a plain second start only brings the first copy's window forward, and a
# request with no copy running starts one that acts on it.
source "$(dirname "$0")/lib.sh"
pictures=$work/TIVSoft/ZevazoRUV/IMG
prog=$work/bin/TIVrevudu

"$prog" --capture full 2>>"$work/program.log" & app=$!
pids+=("$app")
wait_for_file "$pictures/1.jpg"

timeout 10 "$prog" --capture window
timeout 10 "$prog" --capture full
wait_for_file "$pictures/2.jpg"
sleep 1
[ ! -f "$pictures/3.jpg" ] || { echo "the window capture of a desktop without windows saved a picture"; exit 1; }

xdotool search --onlyvisible --pid "$app" --name TIVrevudu windowminimize --sync
timeout 10 "$prog"
sleep 0.5
[ "$(xdotool search --onlyvisible --name TIVrevudu | wc -l)" -eq 1 ] || { echo "a second window appeared"; exit 1; }
kill -0 "$app"

set +e
"$prog" --capture elsewhere >/dev/null 2>"$work/usage.txt"; unknown=$?
set -e
[ "$unknown" -eq 2 ] && grep -q '^Usage: TIVrevudu' "$work/usage.txt"
"$prog" --version | grep -q '^TIVrevudu [0-9]'
