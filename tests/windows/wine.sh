# shellcheck shell=bash
# Sourced by the Wine tests.
# wine_for EXE sets wine to the Wine loader for EXE's machine type and exports
# the WINEARCH of a fresh prefix for it; the 32-bit loader comes from Debian's
# wine32:i386, and a pure 32-bit prefix is all a 32-bit program needs. It
# returns 1, saying why on standard error, when that Wine is missing or does
# not start (some kernels run no 32-bit program), 2 when EXE is missing or no
# x86 Windows program.
# TARVEL_WINE_DIR stands in for /usr/lib/wine in each_build.sh's test.
wine_for() { # EXE
  local dir=${TARVEL_WINE_DIR:-/usr/lib/wine} package out
  [ -f "$1" ] || { echo "no $1" >&2; return 2; }
  case $(objdump -f "$1" 2>/dev/null | sed -n 's/.*file format //p') in
    pei-x86-64) wine=$dir/wine64 package=wine64; export WINEARCH=win64 ;;
    pei-i386) wine=$dir/wine package=wine32:i386; export WINEARCH=win32 ;;
    *) echo "$1: not an x86 or x86-64 Windows program" >&2; return 2 ;;
  esac
  if [ ! -x "$wine" ]; then
    echo "no $wine ($package)" >&2
    return 1
  fi
  if ! out=$("$wine" --version 2>&1); then
    echo "$wine does not start: ${out##*$'\n'}" >&2
    return 1
  fi
}
