# A throwaway Debian 12 root for tests that install things as a user would,
# without changing the host. Sourced; needs root (chroot, mount) and
# debootstrap. The base system is cached in $cache between runs.
#   fresh_root         makes $root and mounts /proc, pseudo-terminals and the
#                      host's X socket
#   in_root CMD...     runs CMD inside it with a clean environment
#   quietly CMD...     shows CMD's output only if it fails, then exits
# Everything is unmounted and removed on exit.
cache=${TARVEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvel}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
root=$(mktemp -d /var/tmp/tarvel-root.XXXXXX)
quiet_log=$(mktemp)
mounts=()
on_exit=()
cleanup() {
  for action in "${on_exit[@]}"; do eval "$action" || true; done
  for ((k = ${#mounts[@]} - 1; k >= 0; k--)); do umount -l "${mounts[k]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$root" "$quiet_log"
}
trap cleanup EXIT

quietly() {
  "$@" >"$quiet_log" 2>&1 || { cat "$quiet_log" >&2; echo "failed: $*" >&2; exit 1; }
}
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
bind_in_root() { # HOST-DIR ROOT-DIR
  mkdir -p "$root$2"
  mount --bind "$1" "$root$2"
  mounts+=("$root$2")
}

fresh_root() {
  local base=$cache/bookworm-minbase.tar
  mkdir -p "$cache"
  if [ -f "$base" ]; then
    tar -C "$root" -xf "$base"
  else
    echo "making a minimal Debian 12 root (cached in $cache)"
    quietly debootstrap --variant=minbase bookworm "$root" "$mirror"
    tar -C "$root" -cf "$base.part" . && mv "$base.part" "$base"
  fi
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc" && mounts+=("$root/proc")
  # Pseudo-terminals of its own (the serial tests open pty pairs), not the host's.
  mount -t devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5 devpts "$root/dev/pts" &&
    mounts+=("$root/dev/pts")
  mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx" && mounts+=("$root/dev/ptmx")
  bind_in_root /tmp/.X11-unix /tmp/.X11-unix
}

# Starts an X server of the host's, which programs in the root reach through
# the shared socket; sets DISPLAY.
start_x() {
  exec 3< <(Xvfb -displayfd 1 -nolisten tcp -screen 0 1024x768x24 2>/dev/null)
  on_exit+=("kill $! 2>/dev/null")
  read -r display <&3
  export DISPLAY=:$display
}
