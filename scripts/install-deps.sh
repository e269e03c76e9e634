#!/usr/bin/env bash
# Installs what one make target needs on Debian 12, and nothing when all of it
# is present. Uses sudo when not run as root; without sudo it says what to
# install as root and fails. apt's output is kept in a log and shown only when
# something fails.
# Usage: install-deps.sh run|test|check|deb|windows
#   run      build and run the dialog and tarvel-cli
#   test     + the quick tests (GoogleTest, Xvfb, a window manager, validators,
#            zsh and fish, a Modbus test server and socat)
#   check    + everything CI runs but Windows: clang, sanitizers, valgrind,
#            clang-tidy, the package tools
#   deb      what `make deb` and its checks need
#   windows  CMake and Ninja, the mingw-w64 cross compilers and Wine (about 1.5 GB),
#            and 32-bit Wine when the archive serves it (tried on every run)
set -euo pipefail
tier=${1:-test}

build=(cmake ninja-build g++ make pkg-config)
run=("${build[@]}" qt6-base-dev libgl-dev libx11-dev libxcb1-dev libxkbcommon-dev fonts-dejavu-core
     libmodbus-dev)
test=(googletest libgtest-dev libgmock-dev nlohmann-json3-dev locales
      # the real window under a window manager, and the desktop-file and
      # manual-page validators
      xvfb xauth xdotool xclip x11-utils openbox desktop-file-utils appstream time groff-base
      # the dialog read as screen readers read it, on a private session bus,
      # and on Qt's Wayland plug-in under a compositor nested in Xvfb
      at-spi2-core python3-pyatspi dbus-daemon weston qt6-wayland
      # tarvel-cli's completion as each shell runs it
      zsh fish
      # a Modbus server to read from, over TCP and over a pty pair (RTU)
      python3-pymodbus python3-serial-asyncio socat)
deb=(dpkg-dev file lintian debootstrap)
check=(clang libclang-rt-14-dev valgrind clang-tidy)
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
         binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
         wine wine64 fonts-wine icoutils python3 imagemagick dpkg-dev)

case $tier in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" "${test[@]}") ;;
  check) packages=("${run[@]}" "${test[@]}" "${deb[@]}" "${check[@]}") ;;
  deb) packages=("${run[@]}" "${deb[@]}") ;;
  windows) packages=("${build[@]}" "${windows[@]}") ;;
  *) echo "usage: install-deps.sh run|test|check|deb|windows" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The tests prove that a decimal-comma locale changes nothing.
locale_missing=false
if [ "$tier" = test ] || [ "$tier" = check ]; then
  locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || locale_missing=true
fi

# Some kernels (some VMs') run no 32-bit program at all, which leaves 32-bit
# Wine nothing to run on: a three-instruction i386 program tells, before any
# download. Without as and ld to build it, apt is asked anyway.
runs_i386() {
  local dir status=0
  dir=$(mktemp -d)
  # shellcheck disable=SC2016 # assembly, not shell
  printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/exit.s"
  if as --32 -o "$dir/exit.o" "$dir/exit.s" 2>/dev/null && ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" 2>/dev/null; then
    "$dir/exit" 2>/dev/null || status=1
  fi
  rm -rf "$dir"
  return $status
}
# 32-bit Wine runs the 32-bit Windows programs. It is i386, an architecture
# added for this tier only; without it the 32-bit runs are skipped, so it never
# fails the tier. TARVEL_WINE32_PACKAGES is for testing the failure path.
read -ra wine32 <<<"${TARVEL_WINE32_PACKAGES:-wine32:i386}"
wine32_missing=false
if [ "$tier" = windows ]; then
  for p in "${wine32[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || wine32_missing=true
  done
  if $wine32_missing && ! runs_i386; then
    echo "install-deps: no 32-bit Wine, its tests skipped: this kernel runs no 32-bit (i386) programs"
    wine32_missing=false
  fi
fi

[ ${#missing[@]} -gt 0 ] || $locale_missing || $wine32_missing || exit 0

if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
  if [ ${#missing[@]} -eq 0 ] && ! $locale_missing; then
    echo "install-deps: no 32-bit Wine (${wine32[*]}): installing it takes root, and there is no sudo"
    exit 0
  fi
  todo=""
  [ ${#missing[@]} -eq 0 ] || todo="apt-get install ${missing[*]}"
  if $locale_missing; then todo="${todo:+$todo, then }localedef -i de_DE -f UTF-8 de_DE.UTF-8"; fi
  echo "install-deps: installing what Tarvel needs takes root, and there is no sudo; as root, run: $todo" >&2
  exit 1
fi
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
quietly() { # what it runs prints only if it fails
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "install-deps: failed: $*" >&2
    exit 1
  fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]} for 'make $tier', with what they need; this can take minutes"
  export DEBIAN_FRONTEND=noninteractive
  quietly as_root apt-get update
  quietly as_root apt-get install -y --no-install-recommends "${missing[@]}"
fi
if $locale_missing; then
  echo "install-deps: generating the de_DE.UTF-8 locale for the tests"
  quietly as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

i386_packages() {
  dpkg-query -W -f='${Package}:${Architecture} ${db:Status-Status}\n' |
    awk '$1 ~ /:i386$/ && $2 != "not-installed" { print $1 }' | sort
}
# When apt cannot install 32-bit Wine, what this attempt added goes again: a
# foreign architecture whose index fails makes every later apt-get update
# fail. Nothing is pinned or downgraded to get it; the next run tries again.
if $wine32_missing; then
  export DEBIAN_FRONTEND=noninteractive
  i386_before=$(i386_packages)
  i386_added=false
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    quietly as_root dpkg --add-architecture i386
    i386_added=true
  fi
  reason=""
  if ! as_root apt-get update >"$log" 2>&1 || grep -q '^E:' "$log"; then
    reason=$(grep -m1 '^E:' "$log" || grep -m1 '^W:' "$log" || tail -n1 "$log")
  elif ! as_root apt-get install -y --no-install-recommends "${wine32[@]}" >"$log" 2>&1; then
    reason=$(grep -m1 '^E:' "$log" || grep -m1 '^W:' "$log" || tail -n1 "$log")
  elif ! /usr/lib/wine/wine --version >"$log" 2>&1; then
    reason="installed, but /usr/lib/wine/wine does not start: $(tail -n1 "$log")"
  fi
  if [ -n "$reason" ]; then
    mapfile -t added < <(comm -13 <(echo "$i386_before") <(i386_packages))
    [ ${#added[@]} -eq 0 ] || quietly as_root dpkg --purge --force-remove-protected "${added[@]}"
    if $i386_added; then quietly as_root dpkg --remove-architecture i386; fi
    echo "install-deps: no 32-bit Wine, its tests skipped: ${reason//[[:space:]]/ }" | tr -s ' '
  fi
fi
