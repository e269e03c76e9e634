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
#   windows  CMake and Ninja, the mingw-w64 cross compilers and Wine (about 1.5 GB)
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
         wine wine64 fonts-wine icoutils python3 imagemagick)

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

[ ${#missing[@]} -gt 0 ] || $locale_missing || exit 0

if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
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
