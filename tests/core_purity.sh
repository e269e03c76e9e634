#!/usr/bin/env bash
# The core's pure conversions include nothing of ours from outside core/ and
# nothing but the C++ standard library's own headers (no platform, no
# toolkit). The converter dialog's class and commands, which also live in
# core/, are the only files there that see the framework.
# Usage: core_purity.sh SOURCE-DIR
set -euo pipefail
cd "$1/src/core"
status=0
for f in *.h *.cpp; do
  case "$f" in converter_dlg.h | converter_commands.cpp) continue ;; esac
  while IFS= read -r line; do
    case "$line" in
      '#include "core/'*'"') ;;
      '#include <'*'>') [[ "$line" =~ ^\#include\ \<[a-z_0-9]+\>$ ]] ||
        { echo "$f: not a standard C++ header: $line"; status=1; } ;;
      *) echo "$f: outside the core: $line"; status=1 ;;
    esac
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$f")
done
[ $status -eq 0 ] && echo "core: pure"
exit $status
