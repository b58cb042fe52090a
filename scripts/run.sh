#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it on the user's X display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
"$here/build.sh" --program
if [[ -z ${DISPLAY:-} ]]; then
  echo "No X display: DISPLAY is not set. Run this from a desktop session (or: xvfb-run $0)." >&2
  exit 1
fi
exec "$here/../build/TIVrevudu"
