#!/usr/bin/env bash
# Time of one conversion with a megabyte in a field (release build), and
# tarvel-cli's throughput on a million-line column. Goal: under 10 ms per
# conversion for 1 MiB.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target heavy_input tarvel-cli >/dev/null
b=build/release
XDG_RUNTIME_DIR=$(mktemp -d) "$b/bench/heavy_input" 2>/dev/null
column=$(mktemp)
trap 'rm -f "$column"' EXIT
awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "%08X\n", i * 2654435761 % 4294967296 }' >"$column"
start=$(date +%s.%N)
"$b/src/tarvel-cli" float <"$column" >/dev/null
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" 'BEGIN { printf "%-44s %8.0f ms (%.2f million lines/s)\n",
  "tarvel-cli float, 1,000,000-line column", (e - s) * 1000, 1 / (e - s) }'
