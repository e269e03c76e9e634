#!/usr/bin/env bash
# tarvel-cli's rooms include only downwards: the runner (src/cli/*), then
# commands/, convert/, input/, options/, output/, then the core. The dialog,
# the framework, the device layer and the resources are for convert/ and
# above; nothing in options/, input/ or output/ sees a command or the runner.
# Usage: cli_layers.sh SOURCE-DIR
set -euo pipefail
cd "$1/src/cli"
rank() { # ROOM: its height, the runner highest
  case "$1" in
    output) echo 1 ;; options) echo 2 ;; input) echo 3 ;; convert) echo 4 ;;
    commands) echo 5 ;; *) echo 6 ;;
  esac
}
status=0
while IFS= read -r f; do
  room=$(dirname "$f"); room=${room#./}
  own=$(rank "$room")
  while IFS= read -r header; do
    case "$header" in
      cli/*/*) needs=$(rank "$(cut -d/ -f2 <<<"$header")") ;;
      cli/*) needs=6 ;;
      core/*) needs=0 ;;
      device/* | framework/* | backend/* | res/*) needs=4 ;;
      *) echo "$f: an include outside the layers: $header"; status=1; continue ;;
    esac
    if [ "$needs" -gt "$own" ]; then
      echo "$f (${room/./the runner}) includes $header, above it"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
done < <(find . -name '*.h' -o -name '*.cpp')
[ $status -eq 0 ] && echo "cli: every include goes down"
exit $status
