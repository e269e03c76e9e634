#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for a while, from
# the seed corpora kept here. Prints executions and findings per target; exits
# non-zero when any target found a crash, a leak or a wrong result.
# Usage: fuzz/run.sh [SECONDS-PER-TARGET] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(hex_reader pressure cli dialog modbus_answer points)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One target's run; its table row and any finding are reported afterwards.
run_target() {
  local t=$1 start
  mkdir -p "$work/$t/corpus" "$work/$t/artifacts"
  cp fuzz/corpus/"$t"/* "$work/$t/corpus/"
  start=$(date +%s)
  build/fuzz/fuzz/fuzz_"$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
    -rss_limit_mb=4096 -artifact_prefix="$work/$t/artifacts/" "$work/$t/corpus" \
    >"$work/$t/log" 2>&1 || true
  echo $(( $(date +%s) - start )) >"$work/$t/seconds"
}

# Each fuzzer is one process on one core: as many at once as there are cores.
jobs=$(nproc)
for t in "${targets[@]}"; do
  while [ "$(jobs -pr | wc -l)" -ge "$jobs" ]; do wait -n; done
  run_target "$t" &
done
wait

findings=0
printf '%-12s %14s %10s %s\n' target executions seconds findings
for t in "${targets[@]}"; do
  runs=$(grep -o 'number_of_executed_units: [0-9]*' "$work/$t/log" | grep -o '[0-9]*$' || echo 0)
  found=$(find "$work/$t/artifacts" -type f | wc -l)
  printf '%-12s %14s %10s %s\n' "$t" "$runs" "$(cat "$work/$t/seconds")" "$found"
  if [ "$found" -gt 0 ]; then
    findings=$((findings + found))
    grep -E 'ERROR|SUMMARY' "$work/$t/log" | head -n 5
    mkdir -p fuzz/findings && cp "$work/$t/artifacts/"* fuzz/findings/
  fi
done
exit $((findings > 0))
