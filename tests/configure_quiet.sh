#!/usr/bin/env bash
# A fresh configure prints nothing that reads as a problem.
# Usage: configure_quiet.sh SOURCE-DIR
set -euo pipefail
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
said=$(cmake -S "$1" -B "$build" -G Ninja 2>&1)
if grep -iE 'error|warning|could not|not found|missing' <<<"$said"; then
  echo "configure printed the lines above"
  exit 1
fi
echo "configure: quiet"
