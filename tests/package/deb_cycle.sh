#!/usr/bin/env bash
# Installs the package into a fresh Debian 12 root with apt, as a user would,
# runs tarvel-cli and the dialog there, removes the package and checks that
# nothing of it is left. The host is not changed: the root is a throwaway
# folder (its base system and apt's downloads are cached between runs).
# Needs root (chroot, mount), debootstrap, Xvfb and xdotool.
# Usage: deb_cycle.sh tarvel_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
source "$(dirname "$0")/fresh_root.sh"
failed=0
check() { # WHAT GOT WANT
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: got '$2', want '$3'"; failed=1; fi
}

fresh_root
# apt's downloads are kept for the next run.
mkdir -p "$cache/apt-archives/partial"
bind_in_root "$cache/apt-archives" /var/cache/apt/archives
cp "$deb" "$root/tmp/"
package=/tmp/$(basename "$deb")

quietly in_root apt-get update
quietly in_root apt-get install -y --no-install-recommends "$package"
files=$(in_root dpkg-query -L tarvel)
check "tarvel-cli --version" "$(in_root tarvel-cli --version)" "Tarvel $(dpkg-deb -f "$deb" Version)"
check "tarvel-cli float" "$(in_root tarvel-cli float 40490FDB)" "3.141593"
for f in /usr/share/man/man1/tarvel.1.gz /usr/share/man/man1/tarvel-cli.1.gz \
         /usr/share/bash-completion/completions/tarvel-cli /usr/share/zsh/vendor-completions/_tarvel-cli \
         /usr/share/fish/vendor_completions.d/tarvel-cli.fish /usr/share/applications/tarvel.desktop \
         /usr/share/doc/tarvel/copyright; do
  check "installs $f" "$(grep -cxF "$f" <<<"$files")" 1
done

# The dialog opens on an X server of the host's, and Escape closes it.
start_x
in_root env DISPLAY="$DISPLAY" tarvel &
dialog=$!
if window=$(timeout 30 xdotool search --sync --class tarvel | head -1) && [ -n "$window" ]; then
  check "the dialog's title" "$(xdotool getwindowname "$window")" "Tarvel"
  # The dialog closes on the key press, so sending the release may fail.
  xdotool key --window "$window" Escape 2>/dev/null || true
  status=0
  timeout 10 tail --pid=$dialog -f /dev/null || status=timeout
  wait $dialog || status=$?
  check "the dialog's exit status after Escape" "$status" 0
else
  check "the dialog opens" "no window" "a window"
  kill $dialog 2>/dev/null || true
fi

quietly in_root apt-get purge -y tarvel
quietly in_root apt-get autoremove --purge -y
check "package gone" "$(in_root dpkg-query -W -f='${Status}' tarvel 2>/dev/null || echo gone)" gone
left=$(while read -r f; do [ ! -f "$root$f" ] || echo "$f"; done <<<"$files")
check "files left" "$left" ""
[ $failed -eq 0 ] && echo "deb_cycle: installed, ran and removed cleanly"
exit $failed
