#!/usr/bin/env bash
# Starts the program under a virtual display and saves a screenshot.
# Usage: scripts/screenshot.sh OUT.png [seconds to wait] [program args...]
set -euo pipefail
out=$1; wait=${2:-3}; shift 2 || shift $#
cd "$(dirname "$0")/.."
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  build/bin/TQ305sys "$@" & pid=$!
  sleep '"$wait"'
  import -window root "'"$out"'"
  kill $pid' _ "$@"
