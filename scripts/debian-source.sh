#!/usr/bin/env bash
# Fetches one Debian source package and unpacks it with Debian's patches
# applied, for building it ourselves where Debian has no build of it (the
# Windows programs). The machine's apt configuration is left as it is: the
# index comes from the machine's own archives, as deb-src lines in a private
# list with private state, so it works without root too. apt checks the
# files against the signed index and fails on any mismatch, and dpkg-source
# checks them again against the .dsc.
#
# Usage: debian-source.sh [--as-installed BINARY] SOURCE UPSTREAM DEST
#   Prints the unpacked tree, DEST/SOURCE-VERSION, kept there and used again
#   when present; DEST/SOURCE-VERSION.uris lists the archive addresses of its
#   files and their SHA-256. VERSION is the installed BINARY's source version
#   when BINARY is installed from that upstream version (so the tree is what
#   the Linux build links), else the newest of UPSTREAM the archive has.
# Usage: debian-source.sh --print-sources
#   Prints the deb-src lines it would fetch with, and nothing else.
set -euo pipefail
say() { echo "debian-source: $*" >&2; }
die() { say "$*"; exit 1; }

# deb-src lines for every archive and suite the machine's apt takes binary
# packages from (one suite a line in this format), keeping the key each is
# signed with when that is a file.
deb_src_lines() {
  local main_list="" parts="" list
  eval "$(apt-config shell main_list Dir::Etc::SourceList/f parts Dir::Etc::SourceParts/d)"
  {
    for list in "$main_list" "$parts"*.list; do
      [ -f "$list" ] || continue
      awk '{ sub(/#.*/, "") }
           $1 != "deb" && $1 != "deb-src" { next }
           { key = ""; i = 2
             if ($2 ~ /^\[/) {
               while (i <= NF) {
                 o = $i; gsub(/[][]/, "", o)
                 if (tolower(o) ~ /^signed-by=/) key = " [signed-by=" substr(o, 11) "]"
                 if ($(i++) ~ /\]$/) break
               }
             }
             line = "deb-src" key
             for (; i <= NF; i++) line = line " " $i
             print line }' "$list"
    done
    for list in "$parts"*.sources; do
      [ -f "$list" ] || continue
      awk 'function flush(   k, u, s, nu, ns, us, ss) {
             if (types ~ /(^| )deb(-src)?( |$)/ && tolower(enabled) != "no") {
               k = key ~ /^\/[^ ]*$/ ? " [signed-by=" key "]" : ""
               nu = split(uris, us, " "); ns = split(suites, ss, " ")
               for (u = 1; u <= nu; u++)
                 for (s = 1; s <= ns; s++) print "deb-src" k " " us[u] " " ss[s] comps
             }
             types = uris = suites = comps = key = enabled = field = ""
           }
           function append(f, v) {
             if (f == "types") types = types " " v
             else if (f == "uris") uris = uris " " v
             else if (f == "suites") suites = suites " " v
             else if (f == "components") comps = comps " " v
             else if (f == "signed-by") key = key v
             else if (f == "enabled") enabled = v
           }
           /^#/ { next }
           /^[ \t]*$/ { flush(); next }
           /^[ \t]/ { value = $0; sub(/^[ \t]+/, "", value); append(field, value); next }
           { field = tolower($0); sub(/:.*/, "", field)
             value = $0; sub(/^[^:]*:[ \t]*/, "", value); append(field, value) }
           END { flush() }' "$list"
    done
  } | tr -s ' \t' '  ' | sed 's/ $//' | sort -u
}

if [ "${1:-}" = --print-sources ] && [ $# -eq 1 ]; then
  deb_src_lines
  exit 0
fi
installed_binary=""
if [ "${1:-}" = --as-installed ]; then
  installed_binary=${2:?}
  shift 2
fi
[ $# -eq 3 ] || die "usage: debian-source.sh [--as-installed BINARY] SOURCE UPSTREAM DEST"
source_pkg=$1 upstream=$2 dest=$3
mkdir -p "$dest"
dest=$(realpath "$dest")

upstream_of() { # VERSION without its epoch and Debian revision
  local v=${1#*:}
  echo "${v%-*}"
}
tree_of() { echo "$dest/$source_pkg-${1#*:}"; }
newest() { # the highest of the versions on standard input
  local best="" v
  while read -r v; do
    if [ -z "$best" ] || dpkg --compare-versions "$v" gt "$best"; then best=$v; fi
  done
  echo "$best"
}

version=""
if [ -n "$installed_binary" ] &&
   installed=$(dpkg-query -W -f='${db:Status-Status} ${source:Package} ${source:Version}' \
                 "$installed_binary" 2>/dev/null) &&
   [ "${installed%% *}" = installed ]; then
  read -r _ installed_source installed_version <<<"$installed"
  if [ "$installed_source" = "$source_pkg" ] &&
     [ "$(upstream_of "$installed_version")" = "$upstream" ]; then
    version=$installed_version
  fi
fi

# A tree already unpacked is used as it is, without asking the archive.
if [ -n "$version" ]; then
  if [ -d "$(tree_of "$version")" ]; then tree_of "$version"; exit 0; fi
else
  cached=$(for d in "$dest/$source_pkg-$upstream"-*/; do
             d=${d%/}
             if [ -d "$d" ]; then echo "${d#"$dest/$source_pkg-"}"; fi
           done | newest)
  if [ -n "$cached" ]; then tree_of "$cached"; exit 0; fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/log
quietly() { # WHAT COMMAND...: what COMMAND prints shows only if it fails
  local what=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    die "$what failed (above)"
  fi
}

deb_src_lines >"$work/sources.list"
[ -s "$work/sources.list" ] || die "the machine's apt sources name no archive"
archives=$(awk '{ print ($2 ~ /^\[/) ? $3 : $2 }' "$work/sources.list" | sort -u | paste -sd' ')

# State of our own, so neither root nor the machine's lists are needed; as
# root, apt's downloads run as _apt, which must be able to write them.
mkdir -p "$work/lists/partial" "$work/cache" "$work/files"
if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then
  chmod 755 "$work"
  chown _apt "$work/files"
fi
apt=(-q -o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o Debug::NoLocking=1)
# An archive that cannot be reached is only a warning to apt-get update.
apt-get "${apt[@]}" update >"$log" 2>&1 && updated=true || updated=false
# No index at all is a failure to apt-cache; the cause is in update's log.
records=$( (apt-cache "${apt[@]}" showsrc "$source_pkg" 2>/dev/null || true) |
          awk -v p="$source_pkg" '/^Package: / { keep = ($2 == p) } keep && /^Version: / { print $2 }')
if [ -z "$records" ]; then
  unreachable=$(grep -m1 -o 'Failed to fetch .*' "$log" | tr -s ' ' || true)
  [ -z "$unreachable" ] || die "cannot reach the Debian archive ($archives): $unreachable"
  $updated || { cat "$log" >&2; die "failed: apt-get update"; }
  die "no source package $source_pkg in $archives"
fi
available=$(for v in $records; do
              if [ "$(upstream_of "$v")" = "$upstream" ]; then echo "$v"; fi
            done | newest)
if [ -n "$version" ] && ! grep -qxF -- "$version" <<<"$records"; then
  say "$source_pkg $version, the installed $installed_binary's, is no longer in the archive; using ${available:-none}"
  version=""
fi
[ -n "$version" ] || version=$available
[ -n "$version" ] || die "no $source_pkg $upstream in $archives (it has $(paste -sd' ' <<<"$records"))"
tree=$(tree_of "$version")
if [ -d "$tree" ]; then echo "$tree"; exit 0; fi

say "fetching $source_pkg $version from the Debian archive"
cd "$work/files"
apt-get "${apt[@]}" source --print-uris "$source_pkg=$version" 2>"$log" |
  sed -n "s/^'\([^']*\)' [^ ]* [0-9]* \(.*\)$/\1 \2/p" >"$work/uris" && [ -s "$work/uris" ] ||
  die "apt cannot list the files of $source_pkg $version: $(tail -n 1 "$log")"
# apt checks each file against the signed index: a mismatch fails here.
quietly "downloading $source_pkg $version" apt-get "${apt[@]}" source --download-only "$source_pkg=$version"

# Unpacked beside the cache, then renamed into it whole: a tree there is
# complete, and its .uris is written before it.
unpacking=$(mktemp -d "$dest/.unpacking.XXXXXX")
trap 'rm -rf "$work" "$unpacking"' EXIT
quietly "unpacking $source_pkg $version" dpkg-source -x ./*.dsc "$unpacking/tree"
cp "$work/uris" "$unpacking/uris"
mv -f "$unpacking/uris" "$tree.uris"
mv -T "$unpacking/tree" "$tree" 2>/dev/null || [ -d "$tree" ] || die "cannot write $tree"
echo "$tree"
