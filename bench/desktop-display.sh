# Sourced by the benchmark scripts: a private 1920x1080 Xvfb display showing the desktop-like picture
# of shared/bench/make-desktop.sh, with HOME in a fresh temporary folder ($work). Kills whatever the
# caller listed in $pids at exit.
work=$(mktemp -d)
# A display number no other server holds: several benchmarks and test runs may share the machine.
for number in $(shuf -i 90-189); do [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] || break; done
display=:$number
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
"$shared/bench/make-desktop.sh" "$work/desk.png" 1920x1080 >/dev/null
convert "$work/desk.png" "$work/desk.xwd"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display HOME=$work
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xwud -in "$work/desk.xwd" -noclick >/dev/null 2>&1 & pids=($! "${pids[@]}")
sleep 1
