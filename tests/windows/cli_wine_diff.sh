#!/usr/bin/env bash
# tarvel-cli.exe under Wine against the Linux tarvel-cli: each invocation, with
# the same arguments and standard input, must give the same standard output
# byte for byte, the same standard error and the same exit status (the one
# the case names). Inputs come from cli_inputs.py; every command --help
# lists, and every option a command's help lists, must appear in some case.
# Usage: cli_wine_diff.sh LINUX_TARVEL_CLI WINDOWS_TARVEL_CLI_EXE [WINE]
set -uo pipefail
linux=$(realpath "$1")
exe=$(realpath "$2")
wine=${3:-/usr/lib/wine/wine64}
here=$(dirname "$(realpath "$0")")
scratch=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$scratch/prefix"
trap '"${wine%/*}/wineserver" -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
# A server that stays up between cases: one that quits when idle can be on
# its way out as the next case connects ("Connection reset by peer").
mkdir "$WINEPREFIX" && "${wine%/*}/wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
python3 "$here/cli_inputs.py" "$scratch/in" || exit 1
in=$scratch/in

cases=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# same NAME STATUS INPUT ARG...: both programs given ARG... and INPUT (a file
# in $in, or - for none) agree, and end with STATUS.
same() {
  local name=$1 want=$2 input=$3 l w
  shift 3
  [ "$input" = - ] && input=/dev/null || input=$in/$input
  printf '%s\n' "$@" >>"$scratch/covered"
  cases=$((cases + 1))
  "$linux" "$@" <"$input" >"$scratch/l.out" 2>"$scratch/l.err"
  l=$?
  "$wine" "$exe" "$@" <"$input" >"$scratch/w.out" 2>"$scratch/w.err"
  w=$?
  # tarvel-cli never fails without a word; a run that failed with no output
  # at all never ran (once in a few hundred under Wine): it gets one more try.
  if [ "$w" != "$l" ] && [ ! -s "$scratch/w.out" ] && [ ! -s "$scratch/w.err" ]; then
    echo "note: $name: Windows status $w with no output; run again"
    "$wine" "$exe" "$@" <"$input" >"$scratch/w.out" 2>"$scratch/w.err"
    w=$?
  fi
  [ "$l" = "$want" ] || fail "$name: Linux status $l, want $want"
  [ "$w" = "$l" ] || fail "$name: Windows status $w, Linux $l"
  cmp -s "$scratch/l.out" "$scratch/w.out" ||
    fail "$name: standard output differs: $(cmp "$scratch/l.out" "$scratch/w.out" 2>&1 | head -n 1)"
  cmp -s "$scratch/l.err" "$scratch/w.err" ||
    fail "$name: standard error differs: $(diff "$scratch/l.err" "$scratch/w.err" | head -n 6)"
}

# --- Each command once, as the examples in --help run it. ---
same "--help" 0 - --help
same "--version" 0 - --version
same "float" 0 - float 3F800000
same "double" 0 - double 40 09 21 FB 54 44 2D 18
same "half" 0 - half 3C00
same "bfloat16" 0 - bfloat16 3F80
same "psi" 0 - psi 100
same "metres" 0 - metres "  50kPa"
same "encode" 0 - encode float 3.14159265
same "pressure" 0 - pressure 1 atm psi
same "depth" 0 - depth --fluid freshwater 200
same "pressure-at" 0 - pressure-at 100
same "-- then a command" 0 - -- float 3F800000
same "-- ends options" 0 - float -- -5
same "quotes and backslashes in arguments" 0 - float '3F "80" 00\' '\\"00' "" 'a b'

# --- Every option, with each of its argument's names. ---
for order in ABCD DCBA CDAB BADC big little word-swap byte-swap 1234 4321 3412 2143; do
  same "float --order $order" 0 - float --order "$order" 0F DB 40 49
done
for order in ABCDEFGH HGFEDCBA GHEFCDAB BADCFEHG; do
  same "double --order $order" 0 - double --order "$order" 182D4454FB210940
done
same "half --order BA" 0 - half --order BA 003C
same "bfloat16 --order AB" 0 - bfloat16 --order AB 4049
same "encode --registers" 0 - encode --registers --order CDAB float 3.14159265
same "encode double" 0 - encode --order DCBA double 0.1
same "encode half" 0 - encode half 65504
same "encode bfloat16" 0 - encode bfloat16 -1e-3
same "inspect --near" 0 - inspect --near 3.14 0F DB 40 49
same "inspect --json" 0 - inspect --json 400921FB54442D18
same "depth --model unesco" 0 - depth --model unesco --latitude 30 --surface 0 100000
same "depth --density --gravity" 0 - depth --density 1025 --gravity 9.81 --format exact 5000
same "pressure-at --model physical" 0 - pressure-at --model physical --latitude 60 --digits 3 12
same "pressure-at --model dialog" 0 - pressure-at --model dialog --format hex 12

# --- Column mode: thousands of random and hostile lines, "\r\n" among them. ---
same "float column" 0 hex.txt float
same "double column" 0 hex.txt double --order GHEFCDAB --format shortest
same "half column" 0 hex.txt half --format exact
same "bfloat16 column" 0 hex.txt bfloat16 --order BA --format hex
same "float column, digits" 0 hex.txt float --order DCBA --digits 60
same "psi column" 0 numbers.txt psi --format shortest
same "metres column" 0 numbers.txt metres
same "inspect column" 2 inspect.txt inspect
same "inspect --json --near column" 2 inspect.txt inspect --json --near -1.5
same "pressure column" 2 numbers.txt pressure bar inHg
same "depth column" 2 numbers.txt depth --fluid seawater --surface 101.325
same "pressure-at column" 0 depths.txt pressure-at --model unesco --latitude -45
# --- The shapes bytes arrive in. ---
same "registers" 0 - float --registers --order CDAB 4059 16457
same "inspect registers" 0 - inspect --registers 16457,4059
same "each" 0 - half --each --delimiter ';' 3C00 4000 C000
same "strict column" 2 hex.txt float --strict
same "record" 0 - record --header 'p=float:CDAB,t=int16*0.01,s=uint16' 0FDB4049 0929 0001
same "record --json column" 0 records.txt record --json 'p=float,t=int16*0.01,s=uint16'
same "log field" 0 log.csv double --field 2 --header --replace --format shortest
same "binary" 0 capture.bin float --binary --skip 2
same "binary record" 0 capture.bin record --binary --skip 2 'a=half,b=bfloat16:BA'
same "binary record ignores no rest" 2 capture.bin record --binary 'a=half,...'
same "read: usage" 2 - read --input --unit 1 --baud 9600 --parity none --stop-bits 1 \
  --timeout 100 --retries 0 --count 1 --raw --watch 1 --samples 1 tcp://127.0.0.1:9 1 float32
same "read: reference" 2 - read --reference tcp://127.0.0.1:9 50001 float
same "read: two tables" 2 - read --coils --discrete tcp://127.0.0.1:9 1
same "read: serial mode over TCP" 2 - read --trace --rs485 tcp://127.0.0.1:9 1 float
same "poll: no points file" 2 - poll --plan --max-gap 3
same "poll: bad --max-gap" 2 - poll --max-gap 125 station.points

# --- Session scripts. ---
cat "$in/session.txt" >>"$scratch/covered"
same "session" 0 session.txt
same "session after --" 0 session.txt --
printf 'float 3F800000\r\nfloat\nencode float 1\npsi 1\n' >"$in/not-session.txt"
same "session: not a session command" 2 not-session.txt
printf 'psi 100\r\nfrobnicate 1\npsi 1\n' >"$in/unknown.txt"
same "session: unknown command" 2 unknown.txt
printf 'float --order XY 1\n' >"$in/bad-option.txt"
same "session: bad option" 2 bad-option.txt
same "session: nothing" 0 -

# --- Usage errors (2) and failures (1). ---
same "unknown command" 2 - frobnicate 1
same "unknown option" 2 - --frobnicate
same "option not taken" 2 - float --json 1
same "option without argument" 2 - float --order
same "bad --format" 2 - psi --format roman 1
same "bad --digits" 2 - psi --digits 61 1
same "bad --fluid" 2 - depth --fluid oil 1
same "bad --model" 2 - depth --model flat 1
same "bad --density" 2 - depth --density 0 1
same "bad --latitude" 2 - depth --latitude 91 1
same "bad --surface" 2 - depth --surface "a b" 1
same "encode: bad type" 2 - encode quad 1
same "encode: not a number" 2 - encode float 1x
same "pressure: unknown unit" 2 - pressure 1 atm furlong
same "a line past 64 MiB" 1 long.txt float
cases=$((cases + 1))
"$linux" float <"$in/hex.txt" >/dev/full 2>"$scratch/l.err"
l=$?
"$wine" "$exe" float <"$in/hex.txt" >/dev/full 2>"$scratch/w.err"
w=$?
[ "$l.$(cat "$scratch/l.err")" = "$w.$(cat "$scratch/w.err")" ] ||
  fail "a full disk: Linux $l $(cat "$scratch/l.err"), Windows $w $(cat "$scratch/w.err")"

# Every command that --help names, and every option a command's help
# names, is in some case.
help=$("$linux" --help)
commands=$(sed -n '/^Commands:/,/^$/p' <<<"$help" | sed -n 's/^  \([a-z][a-z0-9-]*\) .*/\1/p')
names="$commands $(sed -n 's/^  \(--[a-z0-9-]*\).*/\1/p' <<<"$help")"
for command in $commands; do
  names+=" $("$linux" "$command" --help | sed -n 's/^  \(--[a-z0-9-]*\).*/\1/p')"
done
names=$(tr ' ' '\n' <<<"$names" | sort -u)
for name in $names; do
  grep -qE -- "(^| )$name( |"$'\r'"?\$)" "$scratch/covered" || fail "no case for '$name'"
done

echo "tarvel-cli under Wine: $cases cases, $failures failed"
[ "$failures" -eq 0 ]
