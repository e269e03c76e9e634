#!/usr/bin/env bash
# tarvel-cli's streams as a shell uses them: a slow feed, signals, a full
# disk, a closed pipe, unreadable and endless input, hostile bytes.
# Usage: cli_streams.sh PATH/TO/tarvel-cli
set -uo pipefail
cli=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: got '$2', want '$3'"; }

# A slow feed: the first result shows while the input is still open.
exec 3< <({ echo 3F800000; sleep 3; echo 40; } | "$cli" float)
first=""
read -t 2 -r first <&3
expect "first result of a slow feed, within 2 s" "$first" "1.000000"
exec 3<&-

# Interrupted: pending results are written, and the signal ends the run.
for signal in INT TERM; do
  set -m # a job of its own, where SIGINT is not ignored
  { echo 3F800000; echo 40; sleep 2; } | "$cli" float >"$scratch/out" &
  pid=$!
  set +m
  sleep 1
  kill -s "$signal" "$pid"
  wait "$pid"
  status=$?
  expect "status after SIG$signal" "$status" $((128 + $(kill -l "$signal")))
  expect "results before SIG$signal" "$(cat "$scratch/out")" $'1.000000\n4.000000'
done

# A quoted field of a million lines is read in one pass; an unclosed quote
# ends the run naming the line it began on, after the results before it.
{ echo 'a,x,3F800000'; printf 'b,"'; yes x | head -n 1000000; echo '",3F800000'; } \
  >"$scratch/field.csv"
got=$(timeout 60 "$cli" float --field 3 <"$scratch/field.csv" | tail -n 1)
expect "a field of 10^6 lines" "$got" '",3F800000,1.000000'
printf 'a,3F800000\nb,"3F800000\nc\n' | "$cli" float --field 2 >"$scratch/out" 2>"$scratch/err"
expect "status for an unclosed quote" "$?" 2
expect "an unclosed quote" "$(cat "$scratch/out") $(cat "$scratch/err")" \
  'a,3F800000,1.000000 tarvel-cli: line 2: a quoted field is not closed'

# A long run, a column or a log, stops on SIGTERM with every line it wrote
# whole.
for shape in column field; do
  set -m
  if [ $shape = column ]; then
    yes 3F800000 | "$cli" float >"$scratch/out" &
  else
    yes $'a,"3F80\n0000",b' | "$cli" float --field 2 >"$scratch/out" &
  fi
  pid=$!
  set +m
  sleep 1
  kill -s TERM "$pid"
  wait "$pid"
  expect "status of a long $shape after SIGTERM" "$?" 143
  [ -s "$scratch/out" ] && [ "$(tail -c 1 "$scratch/out" | od -An -c | tr -d ' ')" = '\n' ] ||
    fail "a long $shape: output empty or its last line cut"
  grep -qv -e '^1\.000000$' -e '^a,"3F80$' -e '^0000",b,1\.000000$' "$scratch/out" &&
    fail "a long $shape: a line that is not whole: $(grep -v -e '^1\.000000$' -e '^a,"3F80$' -e '^0000",b,1\.000000$' "$scratch/out" | head -n 1)"
done

# A full disk stops an endless run at once, with a message.
timeout 10 bash -c "yes 3F800000 2>/dev/null | '$cli' float >/dev/full" 2>"$scratch/err"
expect "status on /dev/full" "$?" 1
grep -q 'cannot write standard output: No space left on device' "$scratch/err" ||
  fail "no message for /dev/full: $(cat "$scratch/err")"

# With SIGPIPE ignored, a closed pipe is a failed write like any other.
(trap '' PIPE; yes 3F800000 2>/dev/null | timeout 10 "$cli" float 2>"$scratch/err" | head -n 1 >/dev/null
 exit "${PIPESTATUS[1]}")
expect "status on a closed pipe" "$?" 1
grep -q 'Broken pipe' "$scratch/err" || fail "no message for a closed pipe: $(cat "$scratch/err")"

# Unreadable input is an error, not an end.
"$cli" float </ >/dev/null 2>"$scratch/err"
expect "status on unreadable input" "$?" 1
grep -q 'cannot read standard input' "$scratch/err" || fail "no message for a read error"

# Endless input without a line end: reported past the limit, in bounded memory.
timeout 60 /usr/bin/time -o "$scratch/peak" -f %M "$cli" float </dev/zero 2>"$scratch/err" >/dev/null
expect "status on /dev/zero" "$?" 1
peak=$(tail -n 1 "$scratch/peak")
# Bounded: the 64 MiB line limit, plus what a sanitizer's shadow memory adds;
# a reader without a bound grows past gigabytes.
[ "${peak:-9999999}" -lt 400000 ] || fail "peak memory on /dev/zero: ${peak} KiB"
grep -q 'line 1: longer than 64 MiB' "$scratch/err" || fail "no message for /dev/zero"

# The limit admits a line of exactly 64 MiB, with "\n" or "\r\n", and no more.
for ending in '\n' '\r\n' 'x\n'; do
  { printf '3F800000\n'; head -c $((64 << 20)) /dev/zero | tr '\0' 1; printf "$ending"; } |
    "$cli" float >"$scratch/out" 2>"$scratch/err"
  status=$?
  if [ "$ending" = 'x\n' ]; then
    expect "status past 64 MiB" "$status" 1
    grep -q 'line 2: longer than 64 MiB' "$scratch/err" || fail "no message past 64 MiB"
  else
    expect "status at 64 MiB ($ending)" "$status" 0
    expect "lines at 64 MiB ($ending)" "$(wc -l <"$scratch/out")" 2
  fi
done

# A bad command's bytes are shown escaped, never sent to the terminal raw.
printf 'float 3F800000\nfl\033[2Joat\n' | "$cli" >"$scratch/out" 2>"$scratch/err"
expect "status of a bad session line" "$?" 2
expect "results before the bad line" "$(cat "$scratch/out")" "1.000000"
expect "message" "$(cat "$scratch/err")" "tarvel-cli: line 2: unknown command 'fl\\x1b[2Joat'"

[ "$failures" -eq 0 ] && echo "tarvel-cli streams: all checks passed"
exit "$failures"
