#!/bin/bash
# Runs oxa_demo headless and on a private X server (Xvfb), clicks its
# controls there with xdotool, and compares the pictures.
#   oxa/demo/xvfb_check.sh [BIN_DIR] [OUT_DIR]
set -u
BIN=${1:-build-oxa/bin}
OUT=${2:-/tmp/oxa_xvfb}
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/log.txt
QT_QPA_PLATFORM=offscreen "$BIN/oxa_demo" --screenshot "$OUT/offscreen.png" || exit 1
xvfb-run -a -s "-screen 0 1280x720x24" bash -c "
  QT_QPA_PLATFORM=xcb '$BIN/oxa_demo' --quit-after 4500 --screenshot '$OUT/xvfb_surface.png' \
      --grab '$OUT/xvfb_screen.png' --final '$OUT/xvfb_final.png' > '$OUT/log.txt' 2>&1 &
  pid=\$!
  sleep 2
  xdotool mousemove 310 98 click 1    # Apply
  sleep 0.4
  xdotool mousemove 310 148 click 1   # Notify
  sleep 0.4
  xdotool mousemove 60 160 click 1    # third row of the list
  sleep 0.4
  xdotool mousemove 120 150 click 4 click 5 click 5   # wheel over the list
  wait \$pid
"
echo "--- demo output under Xvfb"
cat "$OUT/log.txt"
ls -l "$OUT"
