#!/usr/bin/env bash
# Runs each Wine test once per Windows build, 64-bit then 32-bit, and ends
# with one line counting what passed, failed and was skipped. In each CMD
# (one argument, split into words at spaces) {build} stands for the build's
# directory and {wine} for the Wine loader that runs it. The 32-bit runs are
# SKIPPED, each in one line, where 32-bit Wine is missing or does not start;
# 64-bit Wine is needed. Every run is made even when one fails.
# Usage: each_build.sh CMD...
# e.g.   each_build.sh "tests/windows/wine_e2e.sh {build}/src/Tarvel.exe {build}/tests/windows/tarvel_probe.exe"
# TARVEL_WINDOWS_BUILDS stands in for build/ in this script's test.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
builds=${TARVEL_WINDOWS_BUILDS:-$here/../../build}
# shellcheck source=wine.sh
source "$here/wine.sh"

why=$(mktemp)
trap 'rm -f "$why"' EXIT
passed=0
failed=0
skipped=0
for cmd in "$@"; do
  read -ra words <<<"$cmd"
  name=$(basename "${words[0]}")
  for arch in x64 x86; do
    build=$(realpath -m "$builds/windows-$arch")
    wine_for "$build/src/tarvel-cli.exe" 2>"$why"
    case $?.$arch in
      0.*) ;;
      1.x86) echo "SKIPPED: $name, $arch: $(<"$why")"; skipped=$((skipped + 1)); continue ;;
      *) echo "FAILED: $name, $arch: $(<"$why")"; failed=$((failed + 1)); continue ;;
    esac
    run=("${words[@]//\{build\}/"$build"}")
    run=("${run[@]//\{wine\}/"$wine"}")
    start=$SECONDS
    if "${run[@]}"; then
      echo "passed: $name, $arch ($((SECONDS - start)) s)"
      passed=$((passed + 1))
    else
      echo "FAILED: $name, $arch ($((SECONDS - start)) s)"
      failed=$((failed + 1))
    fi
  done
done
echo "Wine runs: $passed passed, $failed failed, $skipped SKIPPED"
[ "$failed" -eq 0 ]
