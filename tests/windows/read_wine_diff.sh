#!/usr/bin/env bash
# tarvel-cli.exe read under Wine against the Linux tarvel-cli read, from the
# same Modbus servers: pymodbus over TCP, and over a pty pair (RTU), whose far
# end Wine sees as COM5. Each read must give the same standard output, the
# same standard error (times and the serial device's name aside) and the same
# status, and so must poll of a set across both devices; then what only
# Windows says: a port that does not exist, a port another program holds,
# Ctrl+C.
# Usage: read_wine_diff.sh LINUX_TARVEL_CLI WINDOWS_TARVEL_CLI_EXE [WINE]
set -uo pipefail
linux=$(realpath "$1")
exe=$(realpath "$2")
wine=${3:-/usr/lib/wine/wine64}
here=$(dirname "$(realpath "$0")")
server=$here/../device/modbus_server.py
scratch=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$scratch/prefix"
pids=()
trap '"${wine%/*}/wineserver" -k 2>/dev/null; kill "${pids[@]}" 2>/dev/null; rm -rf "$scratch"' EXIT
mkdir "$WINEPREFIX" && "${wine%/*}/wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1

# serve NAME ARG...: a server in the background; its first line (the TCP
# port or the serial path) in $served.
serve() {
  local name=$1
  shift
  /usr/bin/python3 "$server" "$@" >"$scratch/$name" 2>"$scratch/$name.err" &
  pids+=($!)
  for _ in $(seq 100); do
    served=$(head -n 1 "$scratch/$name")
    [ -n "$served" ] && return 0
    sleep 0.1
  done
  echo "FAIL: the $name server did not start: $(cat "$scratch/$name.err")"
  exit 1
}
serve tcp --tcp 0 --exception 140:2 --silent 150
tcp=tcp://127.0.0.1:$served
socat pty,raw,echo=0,link="$scratch/server-end" pty,raw,echo=0,link="$scratch/tty" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$scratch/tty" ] && break; sleep 0.1; done
serve rtu --rtu "$scratch/server-end" --silent 150
ln -s "$scratch/tty" "$WINEPREFIX/dosdevices/com5"

cases=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Times differ from run to run, and the port is COM5 to one and a path to
# the other.
masked() { sed -E -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:.]+Z/TIME/g' \
  -e "s#$scratch/tty#COM5#g" -e 's/\r$//' "$1"; }

# same NAME STATUS DEVICE ARG...: `read DEVICE ARG...` by both, DEVICE COM5
# being the pty's far end.
same() {
  local name=$1 want=$2 device=$3
  shift 3
  local path=$device
  [ "$device" = COM5 ] && path=$scratch/tty
  l_args=(read "$path" "$@")
  w_args=(read "$device" "$@")
  run_pair "$name" "$want"
}

# poll_both NAME STATUS ARG...: `poll ARG... POINTS` by both, POINTS a set on
# the TCP server and on COM5 (the pty's far end on Linux), one point
# answered with an exception.
poll_both() {
  local name=$1 want=$2 side port
  shift 2
  for side in l w; do
    port=$scratch/tty
    [ $side = w ] && port=COM5
    printf '%s\n' "pi $tcp 100 float" "pi2 $tcp 102 float --order CDAB" \
      "ctd $tcp 130 record 'a=int16,b=uint16'" "e $tcp 100 float --input" \
      "refused $tcp 140 float" "rtu_pi $port 100 float --parity N" \
      "rtu_i $port 130 int16" >"$scratch/$side.points"
  done
  l_args=(poll "$@" "$scratch/l.points")
  w_args=(poll "$@" "Z:${scratch//\//\\}\\w.points")
  run_pair "$name" "$want"
}

# run_pair NAME WANT: tarvel-cli with l_args and tarvel-cli.exe with w_args
# must end with the same status (WANT) and write the same streams, times
# and the port masked.
run_pair() {
  local name=$1 want=$2 l w
  cases=$((cases + 1))
  # A pty refuses a change of parity alone, which Wine would report as a
  # failed set-up: each run starts from sane settings.
  stty -F "$scratch/tty" sane
  "$linux" "${l_args[@]}" >"$scratch/l.out" 2>"$scratch/l.err"
  l=$?
  stty -F "$scratch/tty" sane
  "$wine" "$exe" "${w_args[@]}" >"$scratch/w.out" 2>"$scratch/w.err"
  w=$?
  [ "$l" = "$want" ] || fail "$name: Linux status $l, want $want: $(cat "$scratch/l.err")"
  [ "$w" = "$l" ] || fail "$name: Windows status $w, Linux $l: $(cat "$scratch/w.err")"
  cmp -s <(masked "$scratch/l.out") <(masked "$scratch/w.out") ||
    fail "$name: standard output differs: $(diff <(masked "$scratch/l.out") <(masked "$scratch/w.out") | head -n 4)"
  cmp -s <(masked "$scratch/l.err") <(masked "$scratch/w.err") ||
    fail "$name: standard error differs: $(diff <(masked "$scratch/l.err") <(masked "$scratch/w.err") | head -n 4)"
}

# --- Every type and order on the server's layout, over TCP. ---
for pair in 100:ABCD 102:CDAB 104:BADC 106:DCBA; do
  same "float ${pair#*:}" 0 "$tcp" "${pair%:*}" float --order "${pair#*:}"
  same "float ${pair#*:}, input registers" 0 "$tcp" "${pair%:*}" float --order "${pair#*:}" --input
done
for pair in 110:ABCDEFGH 114:GHEFCDAB 118:BADCFEHG 122:HGFEDCBA; do
  same "double ${pair#*:}" 0 "$tcp" "${pair%:*}" double --order "${pair#*:}"
done
same "int16" 0 "$tcp" 130 int16
same "uint16, input registers" 0 "$tcp" 131 uint16 --input
same "half and bfloat16" 0 "$tcp" 100 record 'h=half,b=bfloat16'
same "int32 pair" 0 "$tcp" 130 int32
same "uint8 count" 0 "$tcp" 130 uint8 --count 3
same "raw hex" 0 "$tcp" 100 float --raw --format hex --count 2
same "record" 0 "$tcp" 100 record --header 'pi=float,pi2=float:CDAB'
same "units" 0 "$tcp" 100 float --unit 1,3-4 --header
same "a short watch" 0 "$tcp" 100 float --watch 0.2 --samples 3 --header
same "trace" 0 "$tcp" 130 int16 --trace
# --- Faults, named alike. ---
same "exception by name" 1 "$tcp" 140 float
same "coils: illegal function" 1 "$tcp" 1 --coils --count 8
same "timeout" 1 "$tcp" 150 float --timeout 300
same "timeout, retried" 1 "$tcp" 150 float --timeout 200 --retries 1
same "refused" 1 tcp://127.0.0.1:1 100 float
same "unknown host" 1 tcp://nohost.invalid 100 float
# --- RTU through a Windows COM port. ---
same "RTU float" 0 COM5 100 float --parity N
same "RTU double, trace" 0 COM5 114 double --order GHEFCDAB --parity N --trace
same "RTU watch" 0 COM5 130 int16 --parity N --watch 0.1 --samples 3
same "RTU timeout" 1 COM5 150 float --parity N --timeout 300
# --- poll: a set on both devices, read side by side. ---
poll_both "poll plan" 0 --plan
poll_both "poll, one sample" 1
poll_both "poll, a JSON watch" 1 --json --watch 0.2 --samples 2

# --- What only Windows says. ---
# windows NAME STATUS WANT ARG...: tarvel-cli.exe ARG... ends with STATUS and
# standard error WANT (a pattern).
windows() {
  local name=$1 want=$2 pattern=$3 w
  shift 3
  cases=$((cases + 1))
  "$wine" "$exe" "$@" >"$scratch/w.out" 2>"$scratch/w.err"
  w=$?
  [ "$w" = "$want" ] || fail "$name: status $w, want $want"
  # shellcheck disable=SC2053
  [[ "$(masked "$scratch/w.err")" == $pattern ]] || fail "$name: said '$(cat "$scratch/w.err")'"
}
windows "a missing port names those there are" 1 \
  "tarvel-cli: COM9 unit 1 address 100: cannot open: no such port (the ports here: COM*)" \
  read COM9 100 float
stty -F "$scratch/tty" sane
windows "--rs485 on a port without it" 1 \
  "tarvel-cli: COM5 unit 1 address 100: --rs485: the port or its driver has no RS-485 mode (*)" \
  read COM5 100 float --parity N --rs485
windows "not a serial port" 1 "tarvel-cli: NUL unit 1 address 100: cannot open: not a serial port" \
  read NUL 100 float
# Windows refuses a port another program holds as access denied; so does
# Wine, for a file the user may not open (root may open any: it runs without
# that power here).
touch "$scratch/held" && chmod 000 "$scratch/held"
ln -s "$scratch/held" "$WINEPREFIX/dosdevices/com6"
"${wine%/*}/wineserver" -k
as_user=()
[ "$(id -u)" = 0 ] && as_user=(setpriv --bounding-set -dac_override,-dac_read_search
  --inh-caps -dac_override,-dac_read_search)
cases=$((cases + 1))
"${as_user[@]}" "$wine" "$exe" read COM6 100 float >/dev/null 2>"$scratch/w.err"
w=$?
[ "$w.$(masked "$scratch/w.err")" = "1.tarvel-cli: COM6 unit 1 address 100: cannot open: the port is in use by another program (close it, or its connection to the port, and try again)" ] ||
  fail "a held port: status $w, $(cat "$scratch/w.err")"
"${wine%/*}/wineserver" -k
"${wine%/*}/wineserver" -p

# Ctrl+C (SIGINT, which Wine passes on as a console event): a watch ends
# with status 0 and whole rows; a one-shot read with Windows' Ctrl+C status
# (0xC000013A, 58 to a Linux shell) and nothing on standard output.
interrupted() { # NAME WANT ARG...
  local name=$1 want=$2 w
  shift 2
  cases=$((cases + 1))
  "$wine" "$exe" "$@" >"$scratch/w.out" 2>"$scratch/w.err" &
  local pid=$!
  sleep 3
  kill -INT "$pid"
  wait "$pid"
  w=$?
  [ "$w" = "$want" ] || fail "$name: status $w, want $want ($(cat "$scratch/w.err"))"
}
interrupted "Ctrl+C ends a watch" 0 read "$tcp" 100 float --watch 0.2
grep -qvE '^[0-9T:.Z-]+,3\.141593$' "$scratch/w.out" && fail "Ctrl+C: a row is not whole"
[ -s "$scratch/w.out" ] || fail "Ctrl+C: a watch of 3 s wrote no row"
interrupted "Ctrl+C ends a read" 58 read "$tcp" 150 float --timeout 20000
[ -s "$scratch/w.out" ] && fail "Ctrl+C: an interrupted read wrote '$(cat "$scratch/w.out")'"

echo "tarvel-cli.exe read under Wine: $cases cases, $failures failed"
[ "$failures" -eq 0 ]
