#!/usr/bin/env bash
# Throughput of tarvel-cli's column mode (one text per line of standard
# input) against two reference converters built from bench/cli_bench_refs.cpp:
# a plain C stdio loop and a single-threaded block reader. Release build.
# Each program runs ROUNDS times per input, interleaved so that machine noise
# falls on all alike, once writing to /dev/null and once into a pipe; the
# table gives median millions of lines per second and tarvel-cli's speed over
# the block reader's. Fails if the three outputs of any input differ.
# Then, beside the plain column of the same values (median values per second
# to /dev/null, interleaved the same way):
#   - raw big-endian floats and doubles (--binary), and od reading the same file,
#     and the block reader on the hex column;
#   - the hex value as field 2 of a 3-field CSV log (--field 2);
#   - the hex column read strictly (--strict);
#   - a 3-field record a line (record LAYOUT), and the block reader doing it;
#   - one record whose quoted field spans 10^5 and 10^6 lines (linear growth);
# then inspect's lines per second, plain and JSON; each against its goal, and
# peak memory (GNU time's %M) on 10^7-line inputs
# and on a 1 GiB binary file, one run each, against 8 MiB. A missed goal is
# reported, not failed on. About five minutes; 1.1 GB in the temp folder.
# Usage: [ROUNDS=5] [BUILD=DIR] bench/cli_bench.sh
#   BUILD  a Release build folder of its own instead of the release preset's
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${ROUNDS:-5}
if ! [[ $rounds =~ ^[1-9][0-9]*$ ]]; then
  echo "cli_bench: ROUNDS must be a positive whole number, not '$rounds'" >&2
  exit 2
fi

if [[ ! -x /usr/bin/time ]]; then
  echo "cli_bench: peak memory needs GNU time; as root, run: apt-get install time" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

b=${BUILD:-build/release}
if [[ -n ${BUILD:-} ]]; then
  configure=(cmake -S . -B "$b" -G Ninja -DCMAKE_BUILD_TYPE=Release)
else
  configure=(cmake --preset release)
fi
# The build's output only matters when it fails.
if ! { "${configure[@]}" &&
       cmake --build "$b" --target tarvel-cli cli_bench_refs cli_bench_inputs
     } >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  echo "cli_bench: build failed" >&2
  exit 1
fi
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
declare -A vs_block=() # tarvel-cli over the block reader, to /dev/null, by input
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
  vs_block[$name]=$(awk -v a="${took[cli.null]}" -v b="${took[block.null]}" 'BEGIN { printf "%.2f", b / a }')
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

# ---- other inputs beside the plain column of the same values ---------------

layout='p=float,t=int16*0.01,s=uint16'
# What each side of a comparison runs; input on standard input.
side() { # side
  case $1 in
    float-bin) "$cli" float --binary ;;
    double-bin) "$cli" double --binary ;;
    float-col) "$cli" float ;;
    double-col) "$cli" double ;;
    field) "$cli" float --field 2 ;;
    strict) "$cli" float --strict ;;
    block-float) "$refs" block float ;;
    record) "$cli" record "$layout" ;;
    od-f4) od -A n -t f4 --endian=big -v ;;
    od-f8) od -A n -t f8 --endian=big -v ;;
    block-record) "$refs" block record ;;
  esac
}
declare -A side_name=([od-f4]="od -t f4" [od-f8]="od -t f8" [block-record]="block reader"
  [block-float]="block reader")

# Microseconds taken by one run, its output to /dev/null.
time_side() { # side input
  local start end
  start=${EPOCHREALTIME/[.,]/}
  side "$1" <"$2" >/dev/null
  end=${EPOCHREALTIME/[.,]/}
  echo $((end - start))
}

# Fails, showing the first line that differs, when two outputs differ.
expect_same() { # what command-a command-b (shell functions)
  local report line
  if report=$(cmp <("$2") <("$3") 2>&1); then
    return 0
  fi
  echo "cli_bench: $1: outputs differ: $report" >&2
  line=$(sed -n 's/.*line \([0-9]*\).*/\1/p' <<<"$report")
  if [[ -n $line ]]; then
    echo "  $2: $("$2" | sed -n "${line}p")" >&2
    echo "  $3: $("$3" | sed -n "${line}p")" >&2
  fi
  return 1
}
# The outputs compared, on the current row's files.
new_out() { side "$new" <"$new_in"; }
column_out() { side "$col" <"$col_in"; }
ref_out() { side "$ref" <"$new_in"; }
ref_on_column() { side "$ref" <"$col_in"; }
log_with_column() { paste -d, "$new_in" <(column_out); }
record_first_field() { new_out | cut -d, -f1; }

# name, tarvel-cli side and its generator kind, column side and kind, reference
# side (on the first input; - for none), values, seed. A seed gives the same
# values in every kind of its type (bench/cli_bench_inputs.cpp).
others=(
  "float-binary  float-bin  float-bin  float-col  float  od-f4        4000000 1"
  "float-bin-ref float-bin  float-bin  float-col  float  block-float  4000000 1"
  "float-strict  strict     float      float-col  float  -            4000000 1"
  "double-binary double-bin double-bin double-col double od-f8        2000000 2"
  "float-field-2 field      float-log  float-col  float  -            4000000 1"
  "record-3      record     record     float-col  float  block-record 4000000 1"
)
other_rows=()
declare -A vs_column=() vs_ref=()
for entry in "${others[@]}"; do
  read -r name new new_kind col col_kind ref values seed <<<"$entry"
  new_in=$work/$name.new
  col_in=$work/$name.col
  "$gen" "$new_kind" "$values" "$seed" >"$new_in"
  "$gen" "$col_kind" "$values" "$seed" >"$col_in"

  case $new in
    float-bin | double-bin) expect_same "$name" new_out column_out || exit 1 ;;
    strict) expect_same "$name" new_out column_out || exit 1 ;;
    field) expect_same "$name" new_out log_with_column || exit 1 ;;
    record)
      expect_same "$name" new_out ref_out || exit 1
      expect_same "$name" record_first_field column_out || exit 1
      ;;
  esac

  sides=("$new" "$col")
  [[ $ref == - ]] || sides+=("$ref")
  for ((r = 0; r < rounds; ++r)); do
    for s in "${sides[@]}"; do
      if [[ $s == "$col" || $s == block-float ]]; then
        time_side "$s" "$col_in" >>"$work/$name.$s"
      else
        time_side "$s" "$new_in" >>"$work/$name.$s"
      fi
    done
  done

  declare -A us=()
  for s in "${sides[@]}"; do
    us[$s]=$(median <"$work/$name.$s")
  done
  vs_column[$name]=$(awk -v a="${us[$new]}" -v b="${us[$col]}" 'BEGIN { printf "%.2f", b / a }')
  row=$(printf '%-14s %9d' "$name" "$values")
  row+=$(awk -v n="$values" -v a="${us[$new]}" -v b="${us[$col]}" \
    'BEGIN { printf " %10.2f %10.2f %12.2f", n / a, n / b, b / a }')
  if [[ $ref == - ]]; then
    row+=$(printf '  %-13s %10s %10s' - - -)
  else
    vs_ref[$name]=$(awk -v a="${us[$new]}" -v c="${us[$ref]}" 'BEGIN { printf "%.2f", c / a }')
    row+=$(awk -v n="$values" -v a="${us[$new]}" -v c="${us[$ref]}" -v what="${side_name[$ref]}" \
      'BEGIN { printf "  %-13s %10.2f %10.2f", what, n / c, c / a }')
  fi
  other_rows+=("$row")
  unset us
  rm -f "$new_in" "$col_in"
done

echo
echo "Median million values/s over $rounds rounds, output to /dev/null"
printf '%-14s %9s %10s %10s %12s  %-13s %10s %10s\n' \
  input values cli column ratio/column reference ref ratio/ref
for row in "${other_rows[@]}"; do
  echo "$row"
done
echo "cli: float|double --binary on raw big-endian values; float --field 2 on a"
echo "  time,hex,state CSV log; float --strict on the column; record '$layout' on lines"
echo "  \"PPPPPPPP TTTT SSSS\" (values: records). column: float|double on the hex column"
echo "  of the same values. reference: od on the same file, the block reader on the same"
echo "  lines (for float-bin-ref, on the hex column)."

echo "ratio: cli's values/s over the other's (above 1: cli is faster)"

# ---- inspect -------------------------------------------------------------------

# Lines of eight random bytes, each inspected (32 rows), plain and JSON.
inspect_lines=200000
"$gen" double "$inspect_lines" 21 >"$work/inspect.txt"
declare -A inspect_rate=()
for form in plain json; do
  flags=()
  [[ $form == json ]] && flags=(--json)
  for ((r = 0; r < rounds; r++)); do
    start=${EPOCHREALTIME/[.,]/}
    "$cli" inspect "${flags[@]}" <"$work/inspect.txt" >/dev/null
    end=${EPOCHREALTIME/[.,]/}
    echo $((end - start))
  done | median >"$work/us"
  inspect_rate[$form]=$(awk -v n="$inspect_lines" '{ printf "%.0f", n / ($1 / 1e6) }' "$work/us")
done
rm -f "$work/inspect.txt"
echo
echo "inspect on $inspect_lines lines of eight random bytes (median of $rounds, to /dev/null):"
echo "  ${inspect_rate[plain]} lines/s plain, ${inspect_rate[json]} lines/s with --json"

# ---- peak memory --------------------------------------------------------------

# Each input is made, measured once and removed before the next: the largest
# alone is 1 GiB. GNU time measures the program itself, with no shell between.
need_kib=$((1200 * 1024))
free_kib=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
if ((free_kib < need_kib)); then
  echo "cli_bench: peak memory needs 1.2 GB free in $work, $((free_kib / 1024)) MB free" >&2
  exit 1
fi

memory_limit_kib=8192
memory_rows=()
peak_max=0
# name, side, generator kind, values, seed
memory_inputs=(
  "float-column  float-col float     10000000 11"
  "float-field-2 field     float-log 10000000 12"
  "record-3      record    record    10000000 13"
  "float-binary  float-bin float-bin 268435456 14"
)
for entry in "${memory_inputs[@]}"; do
  read -r name s kind values seed <<<"$entry"
  input=$work/$name.mem
  "$gen" "$kind" "$values" "$seed" >"$input"
  bytes=$(stat -c %s "$input")
  start=${EPOCHREALTIME/[.,]/}
  case $s in
    float-col) /usr/bin/time -f %M -o "$work/peak" "$cli" float <"$input" >/dev/null ;;
    field) /usr/bin/time -f %M -o "$work/peak" "$cli" float --field 2 <"$input" >/dev/null ;;
    record) /usr/bin/time -f %M -o "$work/peak" "$cli" record "$layout" <"$input" >/dev/null ;;
    float-bin) /usr/bin/time -f %M -o "$work/peak" "$cli" float --binary <"$input" >/dev/null ;;
  esac
  end=${EPOCHREALTIME/[.,]/}
  peak=$(tail -n 1 "$work/peak")
  if ((peak > peak_max)); then peak_max=$peak; fi
  memory_rows+=("$(awk -v name="$name" -v n="$values" -v b="$bytes" -v k="$peak" \
    -v us="$((end - start))" 'BEGIN { printf "%-14s %10d %9.0f %9d %10.2f", name, n, b / 1e6, k, n / us }')")
  rm -f "$input"
done

echo
echo "Peak resident memory (GNU time's %M), one run each, output to /dev/null"
printf '%-14s %10s %9s %9s %10s\n' input values MB peak/KiB "M values/s"
for row in "${memory_rows[@]}"; do
  echo "$row"
done

# ---- a quoted field of many lines -------------------------------------------

# One record whose quoted field spans N short lines, then its value: the
# time must grow with N, not N^2.
echo
echo "A quoted field of N lines, one record (median of $rounds, to /dev/null)"
printf '%-14s %10s %12s\n' lines seconds "M lines/s"
declare -A quoted_s=()
for n in 100000 1000000; do
  # yes ends by SIGPIPE, which pipefail would take for a failure.
  { printf 'a,"'; head -n "$n" < <(yes x); echo '",3F800000'; } >"$work/quoted.csv"
  for ((r = 0; r < rounds; r++)); do
    start=$(date +%s%N)
    "$cli" float --field 3 <"$work/quoted.csv" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | median >"$work/us"
  quoted_s[$n]=$(awk '{ printf "%.4f", $1 / 1e6 }' "$work/us")
  awk -v n="$n" -v s="${quoted_s[$n]}" 'BEGIN { printf "%-14d %10.4f %12.2f\n", n, s, n / s / 1e6 }'
done
rm -f "$work/quoted.csv"
# 10^6 lines over ten times 10^5: 1 is linear.
quoted_growth=$(awk -v a="${quoted_s[100000]}" -v b="${quoted_s[1000000]}" \
  'BEGIN { printf "%.2f", b / (10 * a) }')

# ---- goals --------------------------------------------------------------------

goal() { # what value at-least
  local verdict=met
  awk -v v="$2" -v g="$3" 'BEGIN { exit !(v >= g) }' || verdict=MISSED
  printf '  %-40s %8s  goal %-14s %s\n' "$1" "$2" "$3 or more" "$verdict"
}
echo
echo "Goals (ratios from the tables above)"
goal "float --binary over od -t f4" "${vs_ref[float-binary]}" 20
goal "float --binary over the block reader" "${vs_ref[float-bin-ref]}" 2
goal "float column over the block reader" "${vs_block[float-bits]}" 1.5
goal "double --binary over od -t f8" "${vs_ref[double-binary]}" 20
goal "float --binary over the float column" "${vs_column[float-binary]}" 1
goal "double --binary over the double column" "${vs_column[double-binary]}" 1
goal "float --field 2 over the float column" "${vs_column[float-field-2]}" 0.7
goal "float --strict over the float column" "${vs_column[float-strict]}" 1
goal "record over the float column" "${vs_column[record-3]}" 0.4
goal "inspect, lines/s" "${inspect_rate[plain]}" 130000
goal "inspect --json, lines/s" "${inspect_rate[json]}" 100000
verdict=met
awk -v v="$quoted_growth" 'BEGIN { exit !(v <= 2) }' || verdict=MISSED
printf '  %-40s %8s  goal %-14s %s\n' "10^6 quoted lines over 10x 10^5" "$quoted_growth" \
  "2 or less" "$verdict"
verdict=met
((peak_max < memory_limit_kib)) || verdict=MISSED
printf '  %-40s %8s  goal %-14s %s\n' "largest peak memory, KiB" "$peak_max" \
  "under $memory_limit_kib" "$verdict"
echo "All outputs byte-identical (od's, in its own format, is timed only)."
