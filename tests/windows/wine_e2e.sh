#!/usr/bin/env bash
# Drives the 64-bit Tarvel.exe under Wine and Xvfb with real key strokes and
# mouse clicks (xdotool), reading controls back with tarvel_probe.exe.
# Usage: wine_e2e.sh Tarvel.exe tarvel_probe.exe [SCREENSHOT.png]
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
fi
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
screenshot=${4:-}

wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$(mktemp -d)
trap '"${wine%/*}/wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

# A fresh prefix: unmanaged windows (no 2 s wait on close without a window
# manager) and Wine's own fonts, so "MS Sans Serif" is the real bitmap face.
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

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
float() { press 1000 "$1" 1002 1001; }
double() { press 1000 "$1" 1003 1001; }
psi() { press 1001 "$1" 1006 1005; }
metres() { press 1001 "$1" 1007 1005; }

# --- One session: every example, in an order that carries state over. ---
start
check "focus starts in the hex field" "$(probe focus)" 1000
check "client size in MS Sans Serif 8" "$(probe client)" "279 205"
order=""
for _ in 1 2 3 4 5 6 7; do
  xdotool key Tab
  order+="$(probe focus) "
done
check "tab order" "$order" "1001 1002 1003 1005 1006 1007 1000 "

check "float 3F800000" "$(float 3F800000)" 1.000000
check "float 40 after 3F800000" "$(float 40)" 4.000000
check "float BF800000" "$(float BF800000)" -1.000000
check "float 40490FDB" "$(float 40490FDB)" 3.141593
check "float 80000000" "$(float 80000000)" -0.000000
check "float 00000001" "$(float 00000001)" 0.000000
check "float 7F7FFFFF" "$(float 7F7FFFFF)" 340282346638528859811704183484516925440.000000
check "float 0x3F800000" "$(float 0x3F800000)" 0.000000
check "float 3FF0000000000000" "$(float 3FF0000000000000)" 1.875000
check "double 3FF0000000000000" "$(double 3FF0000000000000)" 1.000000
check "double 40 after it" "$(double 40)" 65536.000000
check "double 400921FB54442D18" "$(double '40 09 21 FB 54 44 2D 18')" 3.141593
check "double C000000000000000" "$(double C000000000000000)" -2.000000
check "double 4059000000000000" "$(double 4059000000000000)" 100.000000
click 1006
check "psi of the decoded 100" "$(probe text 1005)" 14.503774
largest=$(double 7FEFFFFFFFFFFFFF)
check "largest double length" "${#largest}" 316
check "largest double digits" "${largest:0:17}" 17976931348623157
check "psi 200" "$(psi 200)" 29.007549
check "metres 200" "$(metres 200)" 9.938714
check "psi 101.325" "$(psi 101.325)" 14.695949
check "metres 101.325" "$(metres 101.325)" 0.131691
check "metres 100" "$(metres 100)" 0.000003
check "metres 99.99996" "$(metres 99.99996)" -0.000001
check "psi empty" "$(psi '')" 0.000000
check "metres abc" "$(metres abc)" -9.938708
check "psi -7" "$(psi -7)" -1.015264
check "metres 1e3" "$(metres 1e3)" 89.448406
check "metres '  50kPa'" "$(metres '  50kPa')" -4.969353
type_into 1005 "my note"
float 3F800000 >/dev/null
check "result field survives a hex command" "$(probe text 1005)" "my note"
# A push sets only the texts that changed: what the ANSI code page cannot
# hold survives, and a long text keeps its scroll position.
printf 'keep \342\234\223' | probe paste 1005
float 3F800000 >/dev/null
check "a character outside the code page survives" "$(probe wide 1005)" $'keep \342\234\223'
type_into 1000 "$(printf '3F800000 %.0s' $(seq 12))"
scrolled=$(probe first 1000)
click 1002
check "a long hex text keeps its scroll position" "$(probe first 1000)" "$scrolled"
[ "$scrolled" -gt 0 ] || check "a long hex text is scrolled to its end" "$scrolled" "above 0"
[ -z "$screenshot" ] || { metres "" >/dev/null; float "43 48 00 00" >/dev/null; click 1007;
                          sleep 0.3; import -window "$wid" "$screenshot"; }
xdotool key Escape
ended && check "Escape ends the program" ok ok || check "Escape ends the program" running ended

# --- Enter in an edit field ends the program without converting. ---
start /anything at all
type_into 1000 3F800000
xdotool key Return
ended && check "Enter ends the program" ok ok || check "Enter ends the program" running ended

# --- Alt+F4 (Close on the window menu) ends it too. ---
start
xdotool key alt+F4
ended && check "Close ends the program" ok ok || check "Close ends the program" running ended

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
