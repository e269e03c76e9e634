#!/usr/bin/env bash
# Runs CMD with DISPLAY set to an Xvfb of its own, stopped when CMD ends. Xvfb
# picks a free display itself (-displayfd), so tests run side by side never
# take the same one, as two `xvfb-run -a` started together can; and it never
# resets when its last client leaves (-noreset), which would refuse a program
# connecting just then (a helper that looks at the display and goes).
# Usage: in_xvfb.sh CMD [ARG...]
set -euo pipefail
exec {ready}< <(exec Xvfb -displayfd 1 -nolisten tcp -noreset -screen 0 1024x768x24 2>/dev/null)
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
status=0
read -r -t 20 display <&"$ready" || status=$?
if [ -z "${display:-}" ]; then
  if [ "$status" -gt 128 ]; then
    echo "FAIL: step 'start Xvfb': no display number from Xvfb after 20 s" >&2
  else
    echo "FAIL: step 'start Xvfb': Xvfb ended before it took a display" >&2
  fi
  exit 1
fi
export DISPLAY=:$display
"$@"
