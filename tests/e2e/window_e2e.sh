#!/usr/bin/env bash
# Starts the real tarvel binary under Xvfb and a window manager (openbox),
# drives it with key strokes (xdotool), reads fields back through the
# clipboard (xclip) and the window's properties with xprop.
# Every wait has a bound of its own: when one runs out, the test says which
# step waited for what, and ends.
# Usage: window_e2e.sh PATH/TO/tarvel PATH/TO/x11_window
# shellcheck disable=SC2317 # the waits' conditions run through within
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec "$(dirname "$0")/in_xvfb.sh" "$0" --inside "$@"
fi
tarvel=$2
x11_window=$3
export XDG_RUNTIME_DIR=$(mktemp -d)
scratch=$(mktemp -d)
step="set up"
wm="" pid="" owner=""
told=false # whether a failure has been said
finish() {
  local status=$?
  for p in $pid $owner $wm; do kill "$p" 2>/dev/null || true; done
  rm -rf "$XDG_RUNTIME_DIR" "$scratch"
  if [ "$status" -ne 0 ] && ! $told; then
    echo "FAIL: step '$step': ended with status $status"
  fi
}
trap finish EXIT
# A bound that runs out inside $(...) ends the whole test, not only that subshell.
trap 'told=true; exit 1' TERM

failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); told=true; }

# Ends the test at once, naming the step.
stop() {
  echo "FAIL: step '$step': $*" >&2
  told=true
  [ "$BASHPID" = "$$" ] || kill -TERM "$$"
  exit 1
}

# Runs CMD for at most SECONDS; when they run out, ends the test with WHAT it waited for.
bounded() { # SECONDS WHAT CMD...
  local seconds=$1 what=$2 status=0
  shift 2
  timeout -k 2 "$seconds" "$@" || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    stop "$what after $seconds s"
  fi
  return "$status"
}

# Tries CMD (which bounds its own calls) every tenth of a second until it
# succeeds; after SECONDS, ends the test with WHAT it waited for.
within() { # SECONDS WHAT CMD...
  local seconds=$1 what=$2
  shift 2
  local deadline=$((${EPOCHREALTIME/./} + seconds * 1000000))
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -lt "$deadline" ] || stop "$what after $seconds s"
    sleep 0.1
  done
}

# openbox is ready once it has run its startup command. It claims the root
# window (_NET_SUPPORTING_WM_CHECK) well before, all the more when it builds
# caches on a first start or the machine is busy, and a window mapped in
# between may never be shown.
wm_started() {
  kill -0 "$wm" 2>/dev/null || stop "openbox ended: $(tail -n 3 "$scratch/openbox.log")"
  [ -e "$scratch/openbox.ready" ]
}
wm_claims_root() {
  bounded 5 "no answer from xprop" xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}
step="start openbox"
openbox --sm-disable --startup "touch '$scratch/openbox.ready'" >"$scratch/openbox.log" 2>&1 &
wm=$!
within 20 "openbox never ran its startup command" wm_started
within 5 "no _NET_SUPPORTING_WM_CHECK on the root window" wm_claims_root

# Shown: a visible Tarvel window, while tarvel still runs.
shown() {
  if ! kill -0 "$pid" 2>/dev/null; then
    local status=0
    wait "$pid" || status=$?
    pid=""
    stop "tarvel ended (status $status) before its window showed"
  fi
  wid=$(bounded 5 "no answer from xdotool search" \
    xdotool search --onlyvisible --class '^Tarvel$' | head -n 1) || true
  [ -n "$wid" ]
}

# Starts tarvel (with any arguments) and waits for its window and the focus.
# The first start on a fresh system may fill caches that later ones find
# full, hence its longer bound.
first_start=true
start() {
  local block=$step seconds=10
  step="start tarvel${*:+ $*}"
  if $first_start; then
    seconds=30 first_start=false
  fi
  bounded 5 "xdotool did not move the pointer" xdotool mousemove 0 0 # nothing hovered
  "$tarvel" "$@" &
  pid=$!
  within "$seconds" "no visible Tarvel window" shown
  bounded 10 "the window never took the focus" xdotool windowfocus --sync "$wid" ||
    stop "xdotool could not focus the window"
  step=$block
}

keys() { bounded 10 "xdotool did not send the keys $*" xdotool key --clearmodifiers --delay 20 "$@"; }
typed() { bounded 10 "xdotool did not type $1" xdotool type --delay 10 "$1"; }
prop() { bounded 5 "no answer from xprop for $1" xprop -id "$wid" "$1"; }
geometry() { bounded 5 "no answer from xwininfo" xwininfo -id "$wid"; }

# Copies the focused field's whole text into $clip. An xclip of ours owns the
# clipboard first, with a text of its own, until the dialog takes it over; it
# runs in the foreground (-quiet), so it holds no output of ours open.
clipboard_is() { # TEXT
  clip=$(bounded 5 "no answer from the clipboard's owner" xclip -o -selection clipboard 2>/dev/null) &&
    [ "$clip" = "$1" ]
}
copy() {
  printf 'not copied' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
  owner=$!
  within 5 "xclip never owned the clipboard" clipboard_is "not copied"
  keys ctrl+a ctrl+c
  within 5 "the dialog never took the clipboard (ctrl+a ctrl+c)" eval '! clipboard_is "not copied"'
  kill "$owner" 2>/dev/null || true
  wait "$owner" 2>/dev/null || true
  owner=""
}

# Waits for tarvel to end; fails when it outlives a few seconds.
ended() {
  local status=0
  for _ in $(seq 50); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || status=$?
      pid=""
      return "$status"
    fi
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
  bounded 10 "x11_window did not read the window's pixels" "$x11_window" pixels "$wid"
}

# With no display at all: one line that says so, status 1, no abort.
step="start with no display"
status=0
said=$(bounded 10 "tarvel did not end" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tarvel" 2>&1) ||
  status=$?
expect "status with no display" "$status" 1
expect "lines with no display" "$(printf '%s\n' "$said" | wc -l)" 1

# A float, then the decoded value straight to psi, then carry-over; Escape ends.
step="a float, then psi, then carry-over"
start
typed 3F800000
keys Tab Tab space shift+Tab
copy
expect "float 3F800000" "$clip" "1.000000"
keys Tab Tab Tab Tab space shift+Tab
copy
expect "psi of 1.000000" "$clip" "0.145038"
keys shift+Tab shift+Tab shift+Tab shift+Tab
typed 40
keys Tab Tab space shift+Tab
copy
expect "float 40 after 3F800000" "$clip" "4.000000"
keys Escape
ended || fail "Escape did not end the program"

# The largest double goes into the value field whole.
step="the largest double"
start
typed 7FEFFFFFFFFFFFFF
keys Tab Tab Tab space shift+Tab shift+Tab
copy
expect "largest double length" "${#clip}" "316"
keys Escape
ended || fail "Escape did not end the program"

# An ordinary application window: its own, in the task bar, fixed in size,
# centred, with its icon and class; Alt+F4 (the window manager's) closes it.
step="an ordinary application window"
start
expect "transient for" "$(prop WM_TRANSIENT_FOR)" "WM_TRANSIENT_FOR:  not found."
expect "window type" "$(prop _NET_WM_WINDOW_TYPE)" \
  "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_NORMAL"
expect "class" "$(prop WM_CLASS)" 'WM_CLASS(STRING) = "tarvel", "Tarvel"'
bounded 5 "no answer from xprop for the client list" xprop -root _NET_CLIENT_LIST |
  grep -qi "$(printf '0x%x' "$wid")" || fail "not in the window manager's client list"
prop _NET_WM_STATE | grep -q SKIP_TASKBAR && fail "kept out of the task bar"
prop _NET_WM_ICON | grep -q 'not found' && fail "no icon"
prop _NET_WM_ALLOWED_ACTIONS | grep -qE 'RESIZE|MAXIMIZE' && fail "the frame offers resizing"
read -r functions < <(prop _MOTIF_WM_HINTS | tr -d , | awk '{print $4}')
[ $((functions & 0x12)) -eq 0 ] || fail "the Motif hints offer resizing or maximising: $functions"
read -r x y w h < <(geometry |
  awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
       /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
read -r left right top bottom < <(prop _NET_FRAME_EXTENTS | tr -d , | awk '{print $3, $4, $5, $6}')
# The frame's centre lies on the screen's, to within the frame's own size,
# which is not known until the window manager has framed the window.
dx=$(((x - left + x + w + right) / 2 - 512))
dy=$(((y - top + y + h + bottom) / 2 - 384))
[ "${dx#-}" -le $((left + right)) ] && [ "${dy#-}" -le $((top + bottom)) ] ||
  fail "not centred: frame centre off by $dx, $dy"
bounded 5 "xdotool did not ask for a new size" xdotool windowsize "$wid" $((w + 100)) $((h + 100))
sleep 0.3
expect "size after a resize request" "$(geometry | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')" "${w}x${h}"
baseline=$(looks)
keys alt+F4
ended || fail "Alt+F4 did not end the program"

# Arguments change nothing: the same window, looking the same, working the same.
printf '* { background: red; color: yellow; }\n' >"$scratch/red.qss"
for args in "--anything at all" "-platform offscreen" "-display :199" "-name other" \
            "-reverse" "-style windows" "-stylesheet $scratch/red.qss"; do
  step="arguments $args"
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
step="the close request"
start
bounded 5 "x11_window did not send the close request" "$x11_window" close "$wid"
ended || fail "closing the window did not end the program"

if [ "$failures" -eq 0 ]; then
  echo "window end-to-end: all checks passed"
fi
exit "$failures"
