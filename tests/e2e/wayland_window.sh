#!/usr/bin/env bash
# Runs the real tarvel on Qt's Wayland plug-in under weston, nested in Xvfb
# through weston's X11 back end (which gives the compositor a seat), and reads
# what the window asked of the compositor from the client's protocol log
# (WAYLAND_DEBUG): its app id, and a minimum size equal to its maximum.
# Every wait has a bound of its own: when one runs out, the test says which
# step waited for what, and ends.
# Usage: wayland_window.sh PATH/TO/tarvel
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec "$(dirname "$0")/in_xvfb.sh" "$0" --inside "$@"
fi
tarvel=$2
# Private to this run: weston's socket, and both programs' logs.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
socket="tarvel-test"
log=$XDG_RUNTIME_DIR
compositor="" client=""
step="set up"
finish() {
  for pid in $client $compositor; do
    { kill "$pid" && wait "$pid"; } 2>/dev/null || true
  done
  rm -rf "$XDG_RUNTIME_DIR"
}
trap finish EXIT

fail() {
  echo "FAIL: step '$step': $*"
  echo "--- weston's log"; cat "$log/weston.log" || true
  echo "--- tarvel's protocol log, its window's requests"; grep -a xdg_ "$log/client.log" || true
  exit 1
}

# Polls CMD every tenth of a second while PID runs; fails naming WHAT it
# waited for once SECONDS have passed, or at once when PID has ended.
# The bounds allow for a first start on a fresh system, which may fill caches.
within() { # SECONDS PID NAME WHAT CMD...
  local seconds=$1 pid=$2 name=$3 what=$4
  shift 4
  local deadline=$((${EPOCHREALTIME/./} + seconds * 1000000))
  until "$@"; do
    kill -0 "$pid" 2>/dev/null || fail "no $what: $name ended first"
    [ "${EPOCHREALTIME/./}" -lt "$deadline" ] || fail "no $what after $seconds s"
    sleep 0.1
  done
}

step="start weston"
weston --backend=x11-backend.so --use-pixman --socket="$socket" --idle-time=0 \
  --log="$log/weston.log" &
compositor=$!
within 20 "$compositor" weston "socket $socket from weston" test -S "$XDG_RUNTIME_DIR/$socket"

step="start tarvel on Wayland"
WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$tarvel" 2>"$log/client.log" &
client=$!
# Shown: the compositor's first configure of the window acknowledged.
within 20 "$client" tarvel "acknowledged configure of the window" \
  grep -qa 'xdg_surface@[0-9]*\.ack_configure' "$log/client.log"
# Still up once the compositor has had a while to send it input and frames.
sleep 2
kill -0 "$client" 2>/dev/null || fail "tarvel ended on its own"
step="read the window's requests"

requested() { # the arguments of the window's last request $1
  grep -ao "xdg_toplevel@[0-9]*\.$1(.*)" "$log/client.log" | tail -n 1 | sed 's/^[^(]*//'
}
app_id=$(requested set_app_id)
min=$(requested set_min_size)
max=$(requested set_max_size)
[ "$app_id" = '("tarvel")' ] || fail "app id $app_id, want (\"tarvel\")"
[[ $min =~ ^\([1-9][0-9]*,\ [1-9][0-9]*\)$ ]] || fail "minimum size $min"
[ "$min" = "$max" ] || fail "minimum size $min, maximum size $max: not fixed"
echo "wayland window: app id tarvel, fixed size $min, still up"
