#!/bin/bash
# Runs oxa_demo headless and on a private X server (Xvfb), clicks its
# controls there with xdotool, and checks that:
#   - the window's surface is the same picture headless and under X,
#   - the display shows that surface,
#   - every click arrives as a notification and changes the window.
#   oxa/demo/xvfb_check.sh [BIN_DIR] [OUT_DIR]
# Exit status 0 when all holds, 1 on a failure, 77 when Xvfb or xdotool is
# missing. XVFB and XDOTOOL name the programs (default: from PATH).
set -u
BIN=${1:-build-oxa/bin}
OUT=${2:-/tmp/oxa_xvfb}
XVFB=${XVFB:-Xvfb}
XDOTOOL=${XDOTOOL:-xdotool}
if ! command -v "$XVFB" > /dev/null || ! command -v "$XDOTOOL" > /dev/null; then
  echo "Xvfb or xdotool not found: skipped"
  exit 77
fi
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/log.txt "$OUT"/display

xvfb_pid=""
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2> /dev/null
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2> /dev/null
    wait "$xvfb_pid" 2> /dev/null
  fi
}
trap cleanup EXIT
trap "exit 1" INT TERM
fail() {
  echo "FAIL: $*"
  if [ -f "$OUT/log.txt" ]; then
    echo "--- demo output under Xvfb"
    cat "$OUT/log.txt"
  fi
  exit 1
}
# Polls (every 50 ms, at most $1 tenths of a second) until the command holds.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths * 2; ++i)); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}
compare() { QT_QPA_PLATFORM=offscreen timeout 10 "$BIN/oxa_demo" "$@"; }

# Headless.
QT_QPA_PLATFORM=offscreen timeout 15 "$BIN/oxa_demo" --screenshot "$OUT/offscreen.png" > /dev/null 2>&1 ||
  fail "oxa_demo did not run offscreen"

# A private X server on a free display: Xvfb chooses the number and writes it
# to descriptor 3 once it accepts clients.
"$XVFB" -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3> "$OUT/display" > /dev/null 2>&1 &
xvfb_pid=$!
wait_for 100 test -s "$OUT/display" || fail "Xvfb gave no display number"
export DISPLAY=":$(head -n 1 "$OUT/display")"

# The demo on it: the surface is saved at once, what the display shows a
# second later (before any click), the surface again when it ends.
QT_QPA_PLATFORM=xcb timeout 30 "$BIN/oxa_demo" --quit-after 3500 --screenshot "$OUT/xvfb_surface.png" \
  --grab "$OUT/xvfb_screen.png" --final "$OUT/xvfb_final.png" > "$OUT/log.txt" 2>&1 &
demo_pid=$!
wait_for 150 test -s "$OUT/xvfb_screen.png" || fail "no picture of the display"
sleep 0.1
click() {
  timeout 5 "$XDOTOOL" mousemove "$1" "$2" "${@:3}" || fail "xdotool failed"
  sleep 0.3
}
click 310 98 click 1                    # Apply
click 310 148 click 1                   # Notify
click 60 160 click 1                    # third row of the list
click 120 150 click 4 click 5 click 5   # wheel over the list
wait "$demo_pid"
status=$?
demo_pid=""
[ "$status" -eq 0 ] || fail "oxa_demo ended with status $status"

# Press and release of both buttons, the row with its index.
for note in "notify 42 1 0" "notify 42 2 0" "notify 43 1 0" "notify 43 2 0" "notify 50 1 2"; do
  grep -qx "$note" "$OUT/log.txt" || fail "missing \"$note\""
done
compare --compare "$OUT/offscreen.png" "$OUT/xvfb_surface.png" || fail "the surface differs under X"
compare --compare-rgb "$OUT/xvfb_surface.png" "$OUT/xvfb_screen.png" || fail "the display does not show the surface"
if compare --compare "$OUT/xvfb_surface.png" "$OUT/xvfb_final.png" > /dev/null; then
  fail "the clicks did not change the window"
fi
echo "PASS"
