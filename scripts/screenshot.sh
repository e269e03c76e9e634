#!/usr/bin/env bash
# Takes the README's screenshot of the dialog under Xvfb: a float decoded and
# converted to metres of head. Needs xvfb, xdotool and imagemagick (import).
# Usage: scripts/screenshot.sh [PATH/TO/tarvel] [OUTPUT.png]
set -euo pipefail
tarvel=${1:-build/dev/src/tarvel}
out=${2:-docs/tarvel.png}

if [ "${INSIDE_XVFB:-}" != 1 ]; then
  INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$tarvel" "$out"
fi
export XDG_RUNTIME_DIR=$(mktemp -d)
"$tarvel" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel$' | head -n 1)
xdotool windowfocus --sync "$wid"
xdotool type --delay 10 '43 48 00 00'
xdotool key --delay 20 Tab Tab space Tab Tab Tab Tab space
sleep 0.3
import -window "$wid" "$out"
echo "wrote $out"
