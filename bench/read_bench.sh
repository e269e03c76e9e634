#!/usr/bin/env bash
# Modbus TCP reads by tarvel-cli beside Debian's mbpoll, against one local
# test server (tests/device/modbus_server.py on 127.0.0.1), in one run:
#   - 1,000 reads of holding register 100, one process per read, interleaved
#     in blocks so that machine noise falls on both;
#   - 1,000 reads by one process polling at its fastest rate (10 ms for each),
#     the two at once;
#   - a 100 Hz watch of a float for 10 s: lines, largest gap, gaps over two
#     intervals and lateness against its schedule.
# Gives time per read (wall and CPU) and mbpoll's over tarvel-cli's. Installs
# mbpoll when missing. Fails if a read fails or reads a wrong value; a missed
# timing goal is reported, not failed on. About a minute.
# Usage: bench/read_bench.sh TARVEL_CLI
set -euo pipefail
if [[ $# -ne 1 ]]; then
  echo "usage: bench/read_bench.sh TARVEL_CLI" >&2
  exit 2
fi
cli=$(realpath "$1")
cd "$(dirname "$0")/.."
if [[ ! -x $cli ]]; then
  echo "read_bench: $1 is not an executable tarvel-cli" >&2
  exit 2
fi

# The server needs Debian's pymodbus, which a pyenv python3 first on PATH lacks.
python=/usr/bin/python3
if ! "$python" -c 'import pymodbus' 2>/dev/null; then
  echo "read_bench: $python has no pymodbus; scripts/install-deps.sh test installs python3-pymodbus" >&2
  exit 1
fi

if ! command -v mbpoll >/dev/null; then
  if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null; then
    echo "read_bench: the reference reader mbpoll is missing; as root, run: apt-get install mbpoll" >&2
    exit 1
  fi
  as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
  echo "read_bench: installing mbpoll, the reference reader"
  log=$(mktemp)
  export DEBIAN_FRONTEND=noninteractive
  if ! { as_root apt-get update && as_root apt-get install -y --no-install-recommends mbpoll; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "read_bench: failed: apt-get install mbpoll" >&2
    exit 1
  fi
  rm -f "$log"
fi

work=$(mktemp -d)
server=
bench=
# The measuring runs in the background so that a signal ends the script at
# once; it ends the readers it started when told to, then the server goes.
# shellcheck disable=SC2317 # run by the EXIT trap
cleanup() {
  local pid
  for pid in $bench $server; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Made before the server starts, so that reading it never races its opening.
: >"$work/port"
"$python" tests/device/modbus_server.py --tcp 0 >>"$work/port" 2>"$work/server.log" &
server=$!
# It prints its port once it serves; give it 10 s.
port=
for ((i = 0; i < 100; ++i)); do
  port=$(head -n 1 "$work/port")
  [[ -n $port ]] && break
  if ! kill -0 "$server" 2>/dev/null; then
    cat "$work/server.log" >&2
    echo "read_bench: the Modbus test server ended before serving" >&2
    exit 1
  fi
  sleep 0.1
done
if ! [[ $port =~ ^[0-9]+$ ]]; then
  echo "read_bench: the Modbus test server gave no port within 10 s" >&2
  exit 1
fi

echo "Modbus TCP reads from tests/device/modbus_server.py on 127.0.0.1:$port," \
  "mbpoll $(dpkg-query -W -f='${Version}' mbpoll 2>/dev/null || echo '(not from a package)')"
"$python" bench/read_bench.py "$cli" "$port" &
bench=$!
status=0
wait "$bench" || status=$?
bench=
exit "$status"
