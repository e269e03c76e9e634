#!/usr/bin/env bash
# Throughput of tarvel-cli's column mode (one text per line of standard
# input) against two reference converters built from bench/cli_bench_refs.cpp:
# a plain C stdio loop and a single-threaded block reader. Release build.
# Each program runs ROUNDS times per input, interleaved so that machine noise
# falls on all alike, once writing to /dev/null and once into a pipe; the
# table gives median millions of lines per second and tarvel-cli's speed over
# the block reader's. Fails if the three outputs of any input differ.
# Usage: [ROUNDS=5] bench/cli_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${ROUNDS:-5}
if ! [[ $rounds =~ ^[1-9][0-9]*$ ]]; then
  echo "cli_bench: ROUNDS must be a positive whole number, not '$rounds'" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The build's output only matters when it fails.
if ! { cmake --preset release &&
       cmake --build --preset release --target tarvel-cli cli_bench_refs cli_bench_inputs
     } >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  echo "cli_bench: build failed" >&2
  exit 1
fi
b=build/release
cli=$b/src/tarvel-cli
refs=$b/bench/cli_bench_refs
gen=$b/bench/cli_bench_inputs

# name, tarvel-cli command, generator kind, lines, seed
inputs=(
  "float-bits    float  float  4000000 1"
  "double-bits   double double 2000000 2"
  "double-1e6    double range  2000000 3"
  "psi-kpa       psi    kpa    2000000 4"
  "metres-kpa    metres kpa    2000000 5"
)

programs=(cli stdio block)
run() { # program command
  case $1 in
    cli) "$cli" "$2" ;;
    stdio) "$refs" stdio "$2" ;;
    block) "$refs" block "$2" ;;
  esac
}

# Microseconds taken by one run, its output to /dev/null or through a pipe.
time_run() { # program command input null|pipe
  local start end
  start=${EPOCHREALTIME/[.,]/}
  if [[ $4 == null ]]; then
    run "$1" "$2" <"$3" >/dev/null
  else
    run "$1" "$2" <"$3" | cat >/dev/null
  fi
  end=${EPOCHREALTIME/[.,]/}
  echo $((end - start))
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Shows where two outputs first differ, with the input line that caused it.
check_same() { # name command input program-a program-b
  local report line
  if report=$(cmp <(run "$4" "$2" <"$3") <(run "$5" "$2" <"$3") 2>&1); then
    return 0
  fi
  echo "cli_bench: $1: outputs of $4 and $5 differ: $report" >&2
  line=$(sed -n 's/.*line \([0-9]*\).*/\1/p' <<<"$report")
  if [[ -n $line ]]; then
    echo "  input: $(sed -n "${line}p" "$3")" >&2
    echo "  $4: $(run "$4" "$2" <"$3" | sed -n "${line}p")" >&2
    echo "  $5: $(run "$5" "$2" <"$3" | sed -n "${line}p")" >&2
  fi
  return 1
}

rows=()
declare -A took=() # median microseconds by program.output
for entry in "${inputs[@]}"; do
  read -r name command kind lines seed <<<"$entry"
  input=$work/$name.txt
  "$gen" "$kind" "$lines" "$seed" >"$input"

  check_same "$name" "$command" "$input" cli block || exit 1
  check_same "$name" "$command" "$input" stdio block || exit 1

  for ((r = 0; r < rounds; ++r)); do
    for p in "${programs[@]}"; do
      for o in null pipe; do
        time_run "$p" "$command" "$input" "$o" >>"$work/$name.$p.$o"
      done
    done
  done

  row=$(printf '%-12s %9d' "$name" "$lines")
  for p in "${programs[@]}"; do
    for o in null pipe; do
      took[$p.$o]=$(median <"$work/$name.$p.$o")
      row+=$(awk -v n="$lines" -v us="${took[$p.$o]}" 'BEGIN { printf " %10.2f", n / us }')
    done
  done
  for o in null pipe; do
    row+=$(awk -v a="${took[cli.$o]}" -v b="${took[block.$o]}" 'BEGIN { printf " %10.2f", b / a }')
  done
  rows+=("$row")
  rm -f "$input"
done

echo "Median million lines/s over $rounds rounds (null: > /dev/null, pipe: | cat > /dev/null)"
printf '%-12s %9s %10s %10s %10s %10s %10s %10s %10s %10s\n' \
  input lines cli/null cli/pipe stdio/null stdio/pipe block/null block/pipe ratio/null ratio/pipe
for row in "${rows[@]}"; do
  echo "$row"
done
echo "ratio: tarvel-cli's lines/s over the block reader's (above 1: tarvel-cli is faster)"
echo "All outputs byte-identical."
