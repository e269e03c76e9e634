#!/usr/bin/env bash
# Drives Tarvel.exe, 64- or 32-bit, under Wine and Xvfb with real key strokes
# and mouse clicks (xdotool), reading controls back with tarvel_probe.exe of
# the same build.
# Usage: wine_e2e.sh Tarvel.exe tarvel_probe.exe [SCREENSHOT.png]
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
fi
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
screenshot=${4:-}

# shellcheck source=wine.sh
source "$(dirname "$0")/wine.sh"
wine_for "$exe" || exit 1
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$(mktemp -d)
trap '"${wine%/*}/wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

# A fresh prefix: unmanaged windows (no 2 s wait on close without a window
# manager) and Wine's own fonts, so "MS Sans Serif" is the real bitmap face.
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

# Control identifiers as the program defines them.
resource_h="$(dirname "$0")/../../res/resource.h"
eval "$(awk '$1 == "#define" && $2 ~ /^IDC_/ && $3 ~ /^[0-9]+$/ { print $2 "=" $3 }' "$resource_h")"

passed=0
failed=0
check() { # NAME GOT WANT
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $1: got '$2', want '$3'"
  fi
}
probe() { "$wine" "$probe_exe" "$@" | tr -d '\r'; }

start() {
  "$wine" "$exe" "$@" &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tarvel$' | head -n 1)
  xdotool windowfocus --sync "$wid"
}
ended() { # waits for Tarvel to end; false if it is still there after 5 s
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  return 1
}

click() { # control id
  local x y
  read -r x y < <(probe centre "$1")
  xdotool mousemove --sync "$x" "$y" click 1
  # The probe's questions are answered before queued input: let the click land.
  sleep 0.15
}
type_into() { # control id, text: replaces the field's text by typing
  click "$1"
  xdotool key --clearmodifiers End shift+Home BackSpace
  [ -z "$2" ] || xdotool type --delay 5 -- "$2"
}
press() { # field, text, button, shown field -> prints what the shown field holds
  type_into "$1" "$2"
  click "$3"
  probe text "$4"
}
float() { press $IDC_HEX_TEXT "$1" $IDC_TO_FLOAT $IDC_VALUE_TEXT; }
double() { press $IDC_HEX_TEXT "$1" $IDC_TO_DOUBLE $IDC_VALUE_TEXT; }
psi() { press $IDC_VALUE_TEXT "$1" $IDC_KPA_TO_PSI $IDC_RESULT_TEXT; }
metres() { press $IDC_VALUE_TEXT "$1" $IDC_KPA_TO_METRES $IDC_RESULT_TEXT; }

# --- One session: a smoke row per button, then what only Windows shows. ---
# Every value the conversions give is checked by the unit tests; here the
# checks are the window's: focus, tabs, layout in MS Sans Serif, routing,
# carry-over through the controls, control texts that are long or foreign.
start
check "focus starts in the hex field" "$(probe focus)" $IDC_HEX_TEXT
check "client size in MS Sans Serif 8" "$(probe client)" "279 205"
order=""
for _ in 1 2 3 4 5 6 7; do
  xdotool key Tab
  order+="$(probe focus) "
done
check "tab order" "$order" "$IDC_VALUE_TEXT $IDC_TO_FLOAT $IDC_TO_DOUBLE $IDC_RESULT_TEXT $IDC_KPA_TO_PSI $IDC_KPA_TO_METRES $IDC_HEX_TEXT "

check "float 3F800000" "$(float 3F800000)" 1.000000
check "float 40 after 3F800000" "$(float 40)" 4.000000
check "double 40 09 21 FB 54 44 2D 18" "$(double '40 09 21 FB 54 44 2D 18')" 3.141593
check "double 4059000000000000" "$(double 4059000000000000)" 100.000000
click $IDC_KPA_TO_PSI
check "psi of the decoded 100" "$(probe text $IDC_RESULT_TEXT)" 14.503774
largest=$(double 7FEFFFFFFFFFFFFF)
check "largest double length" "${#largest}" 316
check "largest double digits" "${largest:0:17}" 17976931348623157
check "metres '  50kPa'" "$(metres '  50kPa')" -4.969353
type_into $IDC_RESULT_TEXT "my note"
float 3F800000 >/dev/null
check "result field survives a hex command" "$(probe text $IDC_RESULT_TEXT)" "my note"
# A push sets only the texts that changed: what the ANSI code page cannot
# hold survives, and a long text keeps its scroll position.
printf 'keep \342\234\223' | probe paste $IDC_RESULT_TEXT
float 3F800000 >/dev/null
check "a character outside the code page survives" "$(probe wide $IDC_RESULT_TEXT)" $'keep \342\234\223'
type_into $IDC_HEX_TEXT "$(printf '3F800000 %.0s' $(seq 12))"
scrolled=$(probe first $IDC_HEX_TEXT)
click $IDC_TO_FLOAT
check "a long hex text keeps its scroll position" "$(probe first $IDC_HEX_TEXT)" "$scrolled"
[ "$scrolled" -gt 0 ] || check "a long hex text is scrolled to its end" "$scrolled" "above 0"
[ -z "$screenshot" ] || { metres "" >/dev/null; float "43 48 00 00" >/dev/null; click $IDC_KPA_TO_METRES;
                          sleep 0.3; import -window "$wid" "$screenshot"; }
xdotool key Escape
ended && check "Escape ends the program" ok ok || check "Escape ends the program" running ended

# --- Enter in an edit field ends the program without converting. ---
start /anything at all
type_into $IDC_HEX_TEXT 3F800000
xdotool key Return
ended && check "Enter ends the program" ok ok || check "Enter ends the program" running ended

# --- Alt+F4 (Close on the window menu) ends it too. ---
# Its run also shows the fields' names for screen readers annotated on the
# fields: Wine records the annotations in its trace but does not serve them.
WINEDEBUG=fixme+oleacc start 2>"$WINEPREFIX/oleacc.log"
xdotool key alt+F4
ended && check "Close ends the program" ok ok || check "Close ends the program" running ended
name={608d3df8-8128-4aa7-a428-f55e49267291}         # PROPID_ACC_NAME
description={4d48dfe4-bd3f-491f-a648-492d6f20c588}  # PROPID_ACC_DESCRIPTION
for annotation in "$name Hex bytes" "$description The bytes to decode, in hex, most significant first" \
                  "$name Value" "$description The decoded value, or a pressure in kPa to convert" \
                  "$name Result" \
                  "$description The pressure converted to psi, or to metres of seawater head"; do
  check "annotated for screen readers: ${annotation#* }" \
    "$(grep -cF "${annotation%% *} L\"${annotation#* }\")" "$WINEPREFIX/oleacc.log" || true)" 1
done
check "annotations taken off with the window" \
  "$(grep -c 'AccPropServices_ClearHwndProps' "$WINEPREFIX/oleacc.log" || true)" 3

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
