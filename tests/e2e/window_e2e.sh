#!/usr/bin/env bash
# Starts the real tarvel binary under Xvfb and a window manager (openbox),
# drives it with key strokes (xdotool), reads fields back through the
# clipboard (xclip) and the window's properties with xprop.
# Usage: window_e2e.sh PATH/TO/tarvel PATH/TO/x11_window
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec "$(dirname "$0")/in_xvfb.sh" "$0" --inside "$@"
fi
tarvel=$2
x11_window=$3
export XDG_RUNTIME_DIR=$(mktemp -d)
scratch=$(mktemp -d)
openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR" "$scratch"' EXIT
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break
  sleep 0.1
done
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts tarvel (with any arguments) and waits for its window.
start() {
  xdotool mousemove 0 0 # no button under the pointer, nothing hovered
  "$tarvel" "$@" &
  pid=$!
  wid=$(timeout 10 xdotool search --sync --onlyvisible --class '^Tarvel$' | head -n 1) || true
  if [ -z "$wid" ]; then
    kill "$pid" 2>/dev/null || true
    echo "FAIL: no visible Tarvel window after starting with '$*'"
    exit 1
  fi
  timeout 10 xdotool windowfocus --sync "$wid"
}

keys() { xdotool key --clearmodifiers --delay 20 "$@"; }
typed() { xdotool type --delay 10 "$1"; }
prop() { xprop -id "$wid" "$1"; }

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

# The window's pixels with the focus on "32 bit float", where no caret blinks.
looks() {
  keys Tab Tab
  sleep 0.3
  "$x11_window" pixels "$wid"
}

# With no display at all: one line that says so, status 1, no abort.
status=0
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tarvel" 2>&1) || status=$?
expect "status with no display" "$status" 1
expect "lines with no display" "$(printf '%s\n' "$said" | wc -l)" 1

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

# An ordinary application window: its own, in the task bar, fixed in size,
# centred, with its icon and class; Alt+F4 (the window manager's) closes it.
start
expect "transient for" "$(prop WM_TRANSIENT_FOR)" "WM_TRANSIENT_FOR:  not found."
expect "window type" "$(prop _NET_WM_WINDOW_TYPE)" \
  "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_NORMAL"
expect "class" "$(prop WM_CLASS)" 'WM_CLASS(STRING) = "tarvel", "Tarvel"'
xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$wid")" ||
  fail "not in the window manager's client list"
prop _NET_WM_STATE | grep -q SKIP_TASKBAR && fail "kept out of the task bar"
prop _NET_WM_ICON | grep -q 'not found' && fail "no icon"
prop _NET_WM_ALLOWED_ACTIONS | grep -qE 'RESIZE|MAXIMIZE' && fail "the frame offers resizing"
read -r functions < <(prop _MOTIF_WM_HINTS | tr -d , | awk '{print $4}')
[ $((functions & 0x12)) -eq 0 ] || fail "the Motif hints offer resizing or maximising: $functions"
read -r x y w h < <(xwininfo -id "$wid" |
  awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
       /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
read -r left right top bottom < <(prop _NET_FRAME_EXTENTS | tr -d , | awk '{print $3, $4, $5, $6}')
# The frame's centre lies on the screen's, to within the frame's own size,
# which is not known until the window manager has framed the window.
dx=$(((x - left + x + w + right) / 2 - 512))
dy=$(((y - top + y + h + bottom) / 2 - 384))
[ "${dx#-}" -le $((left + right)) ] && [ "${dy#-}" -le $((top + bottom)) ] ||
  fail "not centred: frame centre off by $dx, $dy"
xdotool windowsize "$wid" $((w + 100)) $((h + 100))
sleep 0.3
expect "size after a resize request" "$(xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')" "${w}x${h}"
baseline=$(looks)
keys alt+F4
ended || fail "Alt+F4 did not end the program"

# Arguments change nothing: the same window, looking the same, working the same.
printf '* { background: red; color: yellow; }\n' >"$scratch/red.qss"
for args in "--anything at all" "-platform offscreen" "-display :199" "-name other" \
            "-reverse" "-style windows" "-stylesheet $scratch/red.qss"; do
  # shellcheck disable=SC2086 # each set is split into its words on purpose
  start $args
  expect "class with $args" "$(prop WM_CLASS)" 'WM_CLASS(STRING) = "tarvel", "Tarvel"'
  expect "pixels with $args" "$(looks)" "$baseline"
  keys shift+Tab shift+Tab
  typed 3F800000
  keys Return
  ended || fail "Enter did not end the program started with $args"
done

# The close request of the window manager (the close box) ends it too.
start
"$x11_window" close "$wid"
ended || fail "closing the window did not end the program"

if [ "$failures" -eq 0 ]; then
  echo "window end-to-end: all checks passed"
fi
exit "$failures"
