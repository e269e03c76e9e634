#!/usr/bin/env bash
# Starts the real tarvel binary under Xvfb, drives it with key strokes
# (xdotool) and reads fields back through the clipboard (xclip).
# Usage: window_e2e.sh PATH/TO/tarvel PATH/TO/x11_close_request
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
fi
tarvel=$2
close_request=$3
export XDG_RUNTIME_DIR=$(mktemp -d)
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts tarvel (with any arguments) and waits for its window.
start() {
  "$tarvel" "$@" &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel$' | head -n 1)
  xdotool windowfocus --sync "$wid"
}

keys() { xdotool key --clearmodifiers --delay 20 "$@"; }
typed() { xdotool type --delay 10 "$1"; }

# Copies the focused field's whole text and prints it.
copied() {
  printf '' | xclip -selection clipboard
  keys ctrl+a ctrl+c
  sleep 0.2
  xclip -o -selection clipboard
}

# Waits for tarvel to end; fails when it outlives a few seconds.
ended() {
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
    sleep 0.1
  done
  kill "$pid"
  return 99
}

expect() { [ "$2" = "$3" ] || fail "$1: got '$2', want '$3'"; }

# A float, then the decoded value straight to psi, then carry-over; Escape ends.
start
typed 3F800000
keys Tab Tab space shift+Tab
expect "float 3F800000" "$(copied)" "1.000000"
keys Tab Tab Tab Tab space shift+Tab
expect "psi of 1.000000" "$(copied)" "0.145038"
keys shift+Tab shift+Tab shift+Tab shift+Tab
typed 40
keys Tab Tab space shift+Tab
expect "float 40 after 3F800000" "$(copied)" "4.000000"
keys Escape
ended || fail "Escape did not end the program"

# The largest double goes into the value field whole.
start
typed 7FEFFFFFFFFFFFFF
keys Tab Tab Tab space shift+Tab shift+Tab
expect "largest double length" "$(copied | wc -c | tr -d ' ')" "316"
keys Escape
ended || fail "Escape did not end the program"

# Enter in an edit field ends the program; arguments change nothing.
start --anything at all
typed 3F800000
keys Return
ended || fail "Enter did not end the program"

# The close request of the window manager (the close box) ends it too.
start
"$close_request" "$wid"
ended || fail "closing the window did not end the program"

if [ "$failures" -eq 0 ]; then
  echo "window end-to-end: all checks passed"
fi
exit "$failures"
