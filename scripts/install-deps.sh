#!/usr/bin/env bash
# Installs what building and testing Tarvel needs on Debian 12, and nothing
# when all of it is present. Uses sudo when not run as root; without sudo it
# says what to install as root and fails.
# With "windows": also the mingw-w64 cross compilers and Wine (about 1.5 GB).
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libgmock-dev nlohmann-json3-dev
  locales
  # the window
  qt6-base-dev libgl-dev libxcb1-dev libxkbcommon-dev fonts-dejavu-core
  # driving the real window under a window manager in tests, and validating
  # the desktop files
  xvfb xauth xdotool xclip x11-utils libx11-dev openbox desktop-file-utils appstream time
  # sanitizers, fuzzing, memory checks and clang-tidy
  clang libclang-rt-14-dev valgrind clang-tidy
)
if [ "${1:-}" = windows ]; then
  packages+=(
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 fonts-wine icoutils python3 imagemagick
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

locale_missing=false
locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || locale_missing=true

if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1 &&
   { [ ${#missing[@]} -gt 0 ] || $locale_missing; }; then
  todo=""
  [ ${#missing[@]} -eq 0 ] || todo="apt-get install ${missing[*]}"
  if $locale_missing; then todo="${todo:+$todo, then }localedef -i de_DE -f UTF-8 de_DE.UTF-8"; fi
  echo "install-deps: installing what Tarvel needs takes root, and there is no sudo; as root, run: $todo" >&2
  exit 1
fi
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests prove that a decimal-comma locale changes nothing.
if $locale_missing; then
  echo "install-deps: generating de_DE.UTF-8"
  as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
