#!/usr/bin/env bash
# Start-up time (exec to window mapped) and resident memory of Tarvel, side by
# side with a bare Qt 6 dialog of the same eight widgets. Release build, Xvfb.
# Usage: bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
cmake --preset release >/dev/null
cmake --build --preset release --target tarvel bare_dialog startup_probe >/dev/null
b=build/release
XDG_RUNTIME_DIR=$(mktemp -d) xvfb-run -a -s "-screen 0 1024x768x24" \
  "$b/bench/startup_probe" "$runs" "$b/src/tarvel" "$b/bench/bare_dialog"
