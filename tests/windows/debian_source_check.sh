#!/usr/bin/env bash
# scripts/debian-source.sh without the network: the deb-src lines it makes
# from apt source lists of both formats, the unpacked tree it picks from its
# cache, and one line when the archive cannot be reached.
# Usage: debian_source_check.sh
set -uo pipefail
script=$(realpath "$(dirname "$0")/../../scripts/debian-source.sh")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0 rows=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# An apt configuration of our own: its main list and its parts directory.
export APT_CONFIG=$scratch/apt.conf
cat >"$APT_CONFIG" <<EOF
Dir::Etc::SourceList "$scratch/sources.list";
Dir::Etc::SourceParts "$scratch/parts/";
EOF
fresh_sources() { rm -rf "$scratch/sources.list" "$scratch/parts" && mkdir "$scratch/parts"; }

# [ignored=NAME] sources NAME FILE WANT: FILE (sources.list, or a name in
# the parts directory) holds standard input, and nothing else is configured
# but an archive in the parts directory's file $ignored; the script's
# deb-src lines are WANT.
sources() {
  local name=$1 file=$2 want=$3 got
  rows=$((rows + 1))
  fresh_sources
  if [ "$file" = sources.list ]; then cat >"$scratch/sources.list"; else cat >"$scratch/parts/$file"; fi
  if [ -n "${ignored:-}" ]; then
    echo 'deb http://off.example/debian bookworm main' >"$scratch/parts/$ignored"
  fi
  got=$("$script" --print-sources 2>&1)
  [ "$got" = "$want" ] || fail "$name: got
$got
want
$want"
}

sources "deb822: one line a suite, the key kept" debian.sources \
'deb-src [signed-by=/k.gpg] http://a.example/debian bookworm main
deb-src [signed-by=/k.gpg] http://a.example/debian bookworm-updates main' <<'EOF'
Types: deb
# http://snapshot.example/archive/debian/20250520T000000Z
URIs: http://a.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /k.gpg
EOF

sources "deb822: every stanza, a disabled one left out" debian.sources \
'deb-src http://a.example/debian bookworm main
deb-src http://s.example/debian-security bookworm-security main contrib' <<'EOF'
Types: deb
URIs: http://a.example/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://b.example/debian
Suites: bookworm
Components: main
Enabled: no

types: deb deb-src
uris: http://s.example/debian-security
suites: bookworm-security
components: main	contrib
EOF

sources "deb822: each mirror, folded fields, no key kept that is not a file" x.sources \
'deb-src http://a.example/debian trixie main non-free-firmware
deb-src http://m.example/debian trixie main non-free-firmware' <<'EOF'
Types: deb
URIs: http://a.example/debian
 http://m.example/debian
Suites: trixie
Components: main
 non-free-firmware
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEZ
 -----END PGP PUBLIC KEY BLOCK-----
EOF

sources "deb822: source-only and other types" y.sources \
'deb-src http://a.example/debian bookworm main' <<'EOF'
Types: deb-src
URIs: http://a.example/debian
Suites: bookworm
Components: main

Types: debian-installer
URIs: http://d.example/debian
Suites: bookworm
Components: main
EOF

sources "one-line: options dropped but the key, comments left out" sources.list \
'deb-src [signed-by=/k.gpg] http://a.example/debian bookworm main contrib
deb-src http://b.example/debian bookworm main
deb-src http://c.example/debian bookworm-updates main' <<'EOF'
deb [arch=amd64 signed-by=/k.gpg] http://a.example/debian bookworm main contrib
# deb http://x.example/debian bookworm main
deb [ arch=amd64 ] http://b.example/debian bookworm main
deb http://c.example/debian bookworm-updates main # the updates
deb-src http://c.example/debian bookworm-updates main
EOF

ignored=extra.list.disabled sources "one-line in the parts directory; other files there ignored" extra.list \
'deb-src http://e.example/debian bookworm main' <<'EOF'
deb http://e.example/debian bookworm main
EOF

# cached NAME ARGS WANT TREE...: with the unpacked trees TREE... (versions of
# libmodbus) in the cache and no archive to ask, the script given ARGS picks
# libmodbus-WANT.
cached() {
  local name=$1 args=$2 want=$3 got cache=$scratch/cache tree
  shift 3
  rows=$((rows + 1))
  fresh_sources
  rm -rf "$cache" && mkdir "$cache"
  for tree in "$@"; do mkdir "$cache/libmodbus-$tree" && touch "$cache/libmodbus-$tree.uris"; done
  # shellcheck disable=SC2086 # ARGS are words
  got=$("$script" $args libmodbus 3.1.6 "$cache" 2>&1)
  [ "$got" = "$cache/libmodbus-$want" ] || fail "$name: got '$got', want '$cache/libmodbus-$want'"
}

cached "the newest cached" "" 3.1.6-2.1+deb12u1 3.1.6-2.1 3.1.6-2.1+deb12u1
cached "newest as Debian orders versions" "" 3.1.6-10 3.1.6-9 3.1.6-10
cached "newest as Debian orders versions, tilde first" "" 3.1.6-2 3.1.6-2~bpo12+1 3.1.6-2
cached "only the upstream version asked for" "" 3.1.6-1 3.1.6-1 3.1.60-1 3.1.7-1
cached "no binary installed by that name" "--as-installed tarvel-no-such-package" 3.1.6-3 \
  3.1.6-2 3.1.6-3
installed=$(dpkg-query -W -f='${db:Status-Status} ${source:Package} ${source:Version}' \
              libmodbus-dev 2>/dev/null)
if [[ $installed == "installed libmodbus 3.1.6-"* ]]; then
  cached "the installed libmodbus-dev's, not the newest" "--as-installed libmodbus-dev" \
    "${installed##* }" "${installed##* }" 3.1.6-99
else
  echo "note: no libmodbus-dev 3.1.6 installed: the row for its version was skipped"
fi

# The archive refuses connections: one line that says so, and no tree.
rows=$((rows + 1))
fresh_sources
echo 'deb http://127.0.0.1:9/debian bookworm main' >"$scratch/sources.list"
said=$("$script" libmodbus 3.1.6 "$scratch/unreached" 2>&1)
status=$?
[ "$status" -ne 0 ] && [ "$(wc -l <<<"$said")" = 1 ] &&
  [[ $said == "debian-source: cannot reach the Debian archive (http://127.0.0.1:9/debian): "* ]] ||
  fail "unreachable archive: status $status, said '$said'"
[ -z "$(ls -A "$scratch/unreached")" ] || fail "unreachable archive: left $(ls -A "$scratch/unreached")"

echo "debian-source.sh: $rows rows, $failures failed"
[ "$failures" -eq 0 ]
