#!/usr/bin/env bash
# A second plain start passes the activation token its launcher gave it to the running copy,
# whose window then takes the focus; a start without one leaves the focus where it is. The copy
# here cannot reach sway's IPC, so only the token moves the focus.
source "$(dirname "$0")/lib.sh"
env -u SWAYSOCK "$prog" 2>>"$home/program.log" & pids+=($!)
wait_for_window TIVrevudu
foot sh -c 'sleep 100' & pids+=($!)
wait_for_window foot
sleep 1
"$prog"
sleep 1
[ "$(ours_place)" = "1 False" ] || fail "a start without a token left our window at $(ours_place)"
XDG_ACTIVATION_TOKEN=$(python3 "$(dirname "$0")/activation_token.py") "$prog"
for _ in $(seq 30); do [ "$(ours_place)" = "1 True" ] && break; sleep 0.1; done
[ "$(ours_place)" = "1 True" ] || fail "a start with a token left our window at $(ours_place)"
