#!/usr/bin/env bash
# each_build.sh against stand-in builds (tiny programs made with the mingw-w64
# binutils) and stand-in Wine loaders: which loader runs which build, what a
# missing or broken 32-bit Wine skips, and what fails instead.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

printf '.globl start\nstart: ret\n' >"$tmp/start.s"
for arch in x64:x86_64 x86:i686; do
  mkdir -p "$tmp/build/windows-${arch%%:*}/src"
  "${arch#*:}-w64-mingw32-as" -o "$tmp/start.o" "$tmp/start.s" &&
    "${arch#*:}-w64-mingw32-ld" -e start -o "$tmp/build/windows-${arch%%:*}/src/tarvel-cli.exe" "$tmp/start.o" ||
    exit 1
done
loader() { # NAME, what it does when asked its version
  printf '#!/bin/sh\n%s\n' "$2" >"$tmp/wine/$1"
  chmod +x "$tmp/wine/$1"
}
# A test that notes how it was run, and fails when told to.
# shellcheck disable=SC2016 # the test's own script
printf '#!/bin/sh\necho "$WINEARCH $*" >>"%s"\n[ "$1" != fail ]\n' "$tmp/ran" >"$tmp/test.sh"
chmod +x "$tmp/test.sh"

failed=0
check() { # NAME GOT WANT
  [ "$2" = "$3" ] && return
  failed=$((failed + 1))
  printf 'FAIL: %s:\n  got:  %s\n  want: %s\n' "$1" "${2//$'\n'/$'\n'        }" "${3//$'\n'/$'\n'        }"
}
each() { # CMD...: runs each_build.sh, leaving its output, status and the runs
  rm -f "$tmp/ran"
  out=$(TARVEL_WINDOWS_BUILDS=$tmp/build TARVEL_WINE_DIR=$tmp/wine "$here/each_build.sh" "$@")
  status=$?
  ran=$(cat "$tmp/ran" 2>/dev/null)
}
b=$tmp/build/windows
w=$tmp/wine

mkdir "$tmp/wine"
loader wine64 'echo wine-8.0'
loader wine 'echo wine-8.0'
each "$tmp/test.sh {build}/src/Tarvel.exe {wine}" "$tmp/test.sh second"
check "both builds, each with its loader and prefix" "$ran" \
  "win64 $b-x64/src/Tarvel.exe $w/wine64
win32 $b-x86/src/Tarvel.exe $w/wine
win64 second
win32 second"
check "both builds: status" $status 0
check "both builds: summary" "${out##*$'\n'}" "Wine runs: 4 passed, 0 failed, 0 SKIPPED"

rm "$tmp/wine/wine"
each "$tmp/test.sh {build}"
check "no 32-bit Wine: the 32-bit run skipped" "$ran" "win64 $b-x64"
check "no 32-bit Wine: said why" "$(sed 1d <<<"$out")" "SKIPPED: test.sh, x86: no $w/wine (wine32:i386)
Wine runs: 1 passed, 0 failed, 1 SKIPPED"
check "no 32-bit Wine: status" $status 0

loader wine 'echo "wine: cannot execute binary file: Exec format error" >&2; exit 126'
each "$tmp/test.sh {build}"
check "32-bit Wine that does not start: skipped" "$ran" "win64 $b-x64"
check "32-bit Wine that does not start: said why" "$(sed -n 2p <<<"$out")" \
  "SKIPPED: test.sh, x86: $w/wine does not start: wine: cannot execute binary file: Exec format error"

loader wine 'echo wine-8.0'
each "$tmp/test.sh fail" "$tmp/test.sh {build}"
check "a failed run stops none of the others" "$ran" "win64 fail
win32 fail
win64 $b-x64
win32 $b-x86"
check "a failed run: status" $status 1
check "a failed run: summary" "${out##*$'\n'}" "Wine runs: 2 passed, 2 failed, 0 SKIPPED"

rm "$tmp/wine/wine64"
each "$tmp/test.sh {build}"
check "no 64-bit Wine fails, never skips" "$(head -n 1 <<<"$out")" "FAILED: test.sh, x64: no $w/wine64 (wine64)"
check "no 64-bit Wine: status" $status 1

loader wine64 'echo wine-8.0'
rm "$b-x86/src/tarvel-cli.exe"
each "$tmp/test.sh {build}"
check "a 32-bit build missing fails, even with 32-bit Wine" "$(sed -n 2p <<<"$out")" \
  "FAILED: test.sh, x86: no $b-x86/src/tarvel-cli.exe"
check "a 32-bit build missing: status" $status 1

echo "each_build.sh: $failed failed"
[ "$failed" -eq 0 ]
