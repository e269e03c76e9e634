#!/usr/bin/env bash
# clang-tidy, with the checks in .clang-tidy, over every C++ source of ours the
# Linux build compiles, two at a time. Silent when clean; otherwise prints each
# finding once and fails.
# Usage: scripts/tidy.sh [BUILD_DIR]   (default build/dev, configured; make tidy
# configures and builds it first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
db=$build/compile_commands.json
tidy=${CLANG_TIDY:-clang-tidy}

command -v "$tidy" >/dev/null || { echo "tidy: no $tidy; run scripts/install-deps.sh" >&2; exit 2; }
[ -f "$db" ] || { echo "tidy: no $db; configure first: cmake --preset dev" >&2; exit 2; }

# Not compiled on Linux: the Windows-only sources.
skip='^(src/backend/win32/|src/ui/converter_dlg_paint\.cpp$|tests/windows/)|_win32\.cpp$'
mapfile -t files < <(find src tests bench fuzz -name '*.cpp' | LC_ALL=C sort | grep -Ev "$skip")

# A source without compile commands would pass unchecked: refuse instead.
missing=()
for f in "${files[@]}"; do
  grep -qF "/$f\"" "$db" || missing+=("$f")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "tidy: not in $db (reconfigure, or skip it in $0): ${missing[*]}" >&2
  exit 2
fi

# One log per source, kept only when clang-tidy fails on it, so that parallel
# runs never interleave.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export tidy build logs
printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P 2 sh -c '
  log="$logs/$(printf %s "$1" | tr / _)"
  "$tidy" -p "$build" --quiet --warnings-as-errors="*" "$1" >"$log" 2>&1 && rm -f "$log"
  exit 0' tidy-one

if [ -n "$(ls -A "$logs")" ]; then
  # A finding in a header is reported by every source that includes it: print
  # each once, without clang-tidy's counts.
  cat "$logs"/* | grep -Ev '^([0-9]+ warnings? (generated|treated as errors)|Error while processing .*)\.$' |
    awk '/^[^ ].*:[0-9]+:[0-9]+: (warning|error): / {
           if (block != "" && !seen[block]++) printf "%s", block; block = "" }
         { block = block $0 "\n" }
         END { if (block != "" && !seen[block]++) printf "%s", block }'
  echo "tidy: findings in $(ls "$logs" | wc -l) of ${#files[@]} sources" >&2
  exit 1
fi
