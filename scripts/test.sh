#!/usr/bin/env bash
# Sets up the machine, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs the
# whole test suite on a private Xvfb server.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
"$here/build.sh" --sanitize
cd "$here/../build-sanitize"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$here/../tests/lsan.supp:print_suppressions=0
export QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox
# Without -noreset the server resets whenever its last client leaves; a program that connects
# during that reset (one started by gtk-launch, which exits at once) is turned away.
# A failed test runs once more: the headless GNOME desktop's portal backend now and then hangs at
# its start (D-Bus activation times out) before anything of ours runs.
xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp -noreset" ctest --output-on-failure -j 2 --repeat until-pass:2 "$@"
