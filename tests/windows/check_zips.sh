#!/usr/bin/env bash
# The download archives that `make windows` writes: exactly the two programs
# and libmodbus's DLL as built, the read-me, the licences and the note on the
# DLL's source, side by side, the text files with Windows line ends
# throughout; every DLL a program imports is Windows' own or in the archive,
# and tarvel-cli.exe starts from the unpacked folder in a Wine prefix that
# holds nothing else.
# Usage: check_zips.sh (after make windows)
set -uo pipefail
root=$(realpath "$(dirname "$0")/../..")
version=$(sed -n 's/^#define TARVEL_VERSION_TEXT "\(.*\)"$/\1/p' "$root/res/version.h")
scratch=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH WINEPREFIX WINEARCH
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

texts=(README.txt LICENSE.txt libmodbus-COPYING.LESSER.txt libmodbus-source.txt)
# The DLLs every Windows has; anything else a program imports must come with it.
windows_dlls=(advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleacc oleaut32
              shell32 user32 ws2_32)
windows_dll() {
  local own
  for own in "${windows_dlls[@]}"; do [ "${1,,}" = "$own.dll" ] && return 0; done
  return 1
}

# contains ZIP FILE PATTERN: a line of FILE matches PATTERN (an ERE; lines
# end in CR, as every line of the archive's texts must).
contains() {
  grep -Eq -- "$3"$'\r$' "$files/$2" || fail "$1: $2 has no line '$3'"
}

for row in win64:windows-x64:x86_64:wine64 win32:windows-x86:i686:wine; do
  IFS=: read -r name preset arch wine <<<"$row"
  zip=$root/build/Tarvel-$version-$name.zip
  built=$root/build/$preset/src
  files=$scratch/$name
  mkdir "$files"
  [ -f "$zip" ] || { fail "$zip: missing"; continue; }
  listed=$(cd "$files" && cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')
  want="LICENSE.txt README.txt Tarvel.exe libmodbus-5.dll libmodbus-COPYING.LESSER.txt"
  want+=" libmodbus-source.txt tarvel-cli.exe "
  [ "$listed" = "$want" ] || fail "$zip holds '$listed'"
  (cd "$files" && cmake -E tar xf "$zip")
  for binary in Tarvel.exe tarvel-cli.exe libmodbus-5.dll; do
    cmp -s "$built/$binary" "$files/$binary" || fail "$zip: $binary is not the one built"
  done
  for text in "${texts[@]}"; do
    [ -f "$files/$text" ] || continue
    lines=$(wc -l <"$files/$text")
    [ "$lines" -gt 0 ] && [ "$(grep -c $'\r$' "$files/$text")" = "$lines" ] ||
      fail "$zip: $text has a line that does not end in CR LF"
  done
  contains "$zip" README.txt "^Tarvel $version for Windows"
  cmp -s <(tr -d '\r' <"$files/LICENSE.txt") "$root/LICENSE" || fail "$zip: LICENSE.txt is not LICENSE"

  # The DLL's source: the note names the unpacked tree it was built from, and
  # every file of that package by the address and checksum apt fetched it by.
  debian_version=$(sed -n 's/^  libmodbus \([^ ]*\)\r$/\1/p' "$files/libmodbus-source.txt")
  source_tree=$root/build/_sources/libmodbus-$debian_version
  if [ -z "$debian_version" ] || [ ! -d "$source_tree" ] || [ ! -f "$source_tree.uris" ]; then
    fail "$zip: libmodbus-source.txt names no unpacked source ('$debian_version')"
  else
    cmp -s <(tr -d '\r' <"$files/libmodbus-COPYING.LESSER.txt") "$source_tree/COPYING.LESSER" ||
      fail "$zip: libmodbus-COPYING.LESSER.txt is not libmodbus's COPYING.LESSER"
    kinds=""
    while read -r address checksum; do
      contains "$zip" libmodbus-source.txt "^  ${address//./\\.}"
      contains "$zip" libmodbus-source.txt "^    $checksum"
      kinds+="${address##*.} "
    done <"$source_tree.uris"
    [ "$kinds" = "dsc gz xz " ] || fail "$source_tree.uris: files '$kinds', want the .dsc and both tarballs"
  fi

  # Imports: Windows' own DLLs, or one beside the program in the archive.
  for binary in Tarvel.exe tarvel-cli.exe libmodbus-5.dll; do
    [ -f "$files/$binary" ] || continue
    while read -r dll; do
      windows_dll "$dll" || [ -f "$files/$dll" ] ||
        fail "$zip: $binary imports $dll, which is neither Windows' own nor in the archive"
    done < <("$arch-w64-mingw32-objdump" -p "$files/$binary" | sed -n 's/^\tDLL Name: //p')
  done

  # tarvel-cli.exe, run from the unpacked folder in a prefix of its own
  # that holds nothing else, finds all it needs there.
  wine=/usr/lib/wine/$wine
  if [ "$name" = win32 ] && ! "$wine" --version >/dev/null 2>&1; then
    echo "note: no 32-bit Wine that starts ($wine): the win32 tarvel-cli.exe start was skipped"
    continue
  fi
  prefix=$scratch/prefix-$name
  mkdir "$prefix"
  WINEPREFIX=$prefix WINEARCH=$name timeout 300 "$wine" wineboot --init >/dev/null 2>&1 ||
    fail "$name: a fresh Wine prefix did not start"
  (cd "$scratch" && WINEPREFIX=$prefix timeout 120 "$wine" "$files/tarvel-cli.exe" --version) \
    >"$scratch/out" 2>&1
  status=$?
  WINEPREFIX=$prefix "${wine%/*}/wineserver" -k 2>/dev/null
  said=$(tr -d '\r' <"$scratch/out")
  [ "$status" = 0 ] && [ "$said" = "Tarvel $version" ] ||
    fail "$zip: tarvel-cli.exe --version under Wine from the unpacked folder: status $status, '$said'"
done

echo "download archives: $failures failed"
[ "$failures" -eq 0 ]
