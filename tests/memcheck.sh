#!/usr/bin/env bash
# Valgrind memcheck over a tarvel-cli session and the dialog's offscreen
# tests: no memory errors and nothing definitely or indirectly lost. Memory the
# toolkit keeps until exit ("still reachable") is not a leak.
# Usage: memcheck.sh PATH/TO/tarvel-cli [PATH/TO/dialog_test]
set -euo pipefail
memcheck=(valgrind -q --error-exitcode=3 --leak-check=full --errors-for-leak-kinds=definite,indirect)

session=$'float 3F800000\npsi\nfloat 40\ndouble 7FEFFFFFFFFFFFFF\nmetres\nfloat \xff\xfe 3f 80\n'
session+=$'metres 1e999\npsi  50kPa\ndouble\nfloat 1122334455667788AA\n'
"${memcheck[@]}" "$1" <<<"$session" >/dev/null
"${memcheck[@]}" "$1" float 3F 80 00 00 >/dev/null
printf '3F800000\r\n\n40\n' | "${memcheck[@]}" "$1" float >/dev/null
if [ -n "${2:-}" ]; then
  "${memcheck[@]}" "$2" --gtest_brief=1 >/dev/null
fi
echo "memcheck: no errors, no leaks"
