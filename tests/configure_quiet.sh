#!/usr/bin/env bash
# A fresh configure succeeds and prints nothing that reads as a problem, with
# the test tools and, as `make run` meets it on a new machine, without them.
# Usage: configure_quiet.sh SOURCE-DIR
set -euo pipefail
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
for without in "" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON; do
  rm -rf "${build:?}"/*
  if ! said=$(cmake -S "$1" -B "$build" -G Ninja $without 2>&1); then
    echo "$said"
    echo "configure ${without:-with everything} failed"
    exit 1
  fi
  if grep -iE 'error|warning|could not|not found|missing' <<<"$said"; then
    echo "configure ${without:-with everything} printed the lines above"
    exit 1
  fi
done
echo "configure: quiet, with and without the test tools"
