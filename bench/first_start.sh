#!/usr/bin/env bash
# A newcomer's first start, measured: in a fresh Debian 12 root, the README's
# prerequisite line, then `make run` until the dialog shows (on an X server of
# the host's), then `make test`. Prints the time, packages, download and disk
# of each step. Needs root, debootstrap, Xvfb and xdotool; downloads about
# 270 MB; the host is not changed.
# Usage: bench/first_start.sh   (the commit checked out here)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tests/package/fresh_root.sh"
fresh_root
start_x
archives=$root/var/cache/apt/archives

packages() { in_root dpkg-query -W -f='${Status}\n' | grep -c 'install ok installed'; }
downloaded() { du -sm "$archives" | cut -f1; }
disk() { du -sxm --exclude="$root/src" --exclude="$archives" "$root" | cut -f1; }
rows=()
step() { # NAME SECONDS: the change since the last call
  local p d k
  p=$(packages) d=$(downloaded) k=$(disk)
  rows+=("| $1 | $2 s | +$((p - last_p)) | $((d - last_d)) MB | +$((k - last_k)) MB |")
  last_p=$p last_d=$d last_k=$k
}
last_p=$(packages) last_d=$(downloaded) last_k=$(disk)
table() {
  echo "| step | time | packages | download | disk |"
  echo "|---|---|---|---|---|"
  printf '%s\n' "${rows[@]}"
}

SECONDS=0
quietly in_root sh -c 'apt-get update && apt-get install -y git make'
step "prerequisite line" $SECONDS

git clone -q "$here" "$root/src/tarvel"
SECONDS=0
in_root env DISPLAY="$DISPLAY" sh -c 'cd /src/tarvel && make run' >"$root/run.log" 2>&1 &
make_run=$!
if ! window=$(timeout 1800 xdotool search --sync --class tarvel | head -1) || [ -z "$window" ]; then
  cat "$root/run.log"
  table
  echo "first_start: make run opened no window" >&2
  exit 1
fi
shown=$SECONDS
xdotool key --window "$window" Escape 2>/dev/null || true
wait $make_run
step "make run, to the dialog" $shown
run_build=$(du -sm "$root/src/tarvel/build" | cut -f1)

SECONDS=0
if ! in_root sh -c 'cd /src/tarvel && make test' >"$root/test.log" 2>&1; then
  tail -40 "$root/test.log"
  step "make test, after make run (failed)" $SECONDS
  table
  echo "first_start: make test failed" >&2
  exit 1
fi
step "make test, after make run" $SECONDS
test_build=$(du -sm "$root/src/tarvel/build" | cut -f1)

table
echo "build folder: ${run_build} MB after make run, ${test_build} MB after make test"
grep -E '^(100%|[0-9]+% tests passed)' "$root/test.log" || true
if in_root sh -c 'command -v man' >/dev/null; then
  echo "man: installed after make test"
else
  echo "man: not installed by make run or make test"
fi
