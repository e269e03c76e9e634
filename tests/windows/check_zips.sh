#!/usr/bin/env bash
# The download archives that `make windows` writes: exactly the two programs
# as built, the read-me and the licence, side by side, the text files with
# Windows line ends throughout.
# Usage: check_zips.sh (after make windows)
set -uo pipefail
root=$(realpath "$(dirname "$0")/../..")
version=$(sed -n 's/^#define TARVEL_VERSION_TEXT "\(.*\)"$/\1/p' "$root/res/version.h")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for pair in win64:windows-x64 win32:windows-x86; do
  zip=$root/build/Tarvel-$version-${pair%%:*}.zip
  built=$root/build/${pair#*:}/src
  files=$scratch/${pair%%:*}
  mkdir "$files"
  [ -f "$zip" ] || { fail "$zip: missing"; continue; }
  listed=$(cd "$files" && cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')
  [ "$listed" = "LICENSE.txt README.txt Tarvel.exe tarvel-cli.exe " ] ||
    fail "$zip holds '$listed'"
  (cd "$files" && cmake -E tar xf "$zip")
  for exe in Tarvel.exe tarvel-cli.exe; do
    cmp -s "$built/$exe" "$files/$exe" || fail "$zip: $exe is not the one built"
  done
  for text in README.txt LICENSE.txt; do
    lines=$(wc -l <"$files/$text")
    [ "$lines" -gt 0 ] && [ "$(grep -c $'\r$' "$files/$text")" = "$lines" ] ||
      fail "$zip: $text has a line that does not end in CR LF"
  done
  grep -q "^Tarvel $version for Windows"$'\r$' "$files/README.txt" ||
    fail "$zip: README.txt does not name version $version"
  cmp -s <(tr -d '\r' <"$files/LICENSE.txt") "$root/LICENSE" || fail "$zip: LICENSE.txt is not LICENSE"
done

echo "download archives: $failures failed"
[ "$failures" -eq 0 ]
