#!/usr/bin/env bash
# Drives a short desktop session under a virtual X server with real key and
# mouse events: New (random 3x3), Calculate "A*A'" into B, the One matrix
# report of B, and three Echelon steps on A. Saves a screenshot after each.
# usage: scripts/session-demo.sh [BUILD_DIR] [OUT_DIR]
set -u
BUILD=$(realpath "${1:-build}")
OUT=$(realpath -m "${2:-session-shots}")
. "$(dirname "$0")/xsession.sh"
xsession_start

start_tavrin
focus 'tavrin \[' >/dev/null
xdotool key ctrl+n                      # New ...
sleep 1
focus '^new matrix' >/dev/null
xdotool key Tab Tab Down Return         # columns, then the "random" radio; create
sleep 1
focus '^new matrix' >/dev/null && xdotool key Escape
W=$(window '^A$'); [ -n "$W" ] && xdotool windowmove "$W" 20 200
shot 1-new

focus 'tavrin \[' >/dev/null
xdotool key ctrl+c                      # Calculate ...
sleep 1
focus '^calculate$' >/dev/null
xdotool key ctrl+a
xdotool type --delay 20 "A*A'"
xdotool key Tab
xdotool type B
xdotool key Return
sleep 1
focus '^calculate$' >/dev/null && xdotool key Escape
W=$(window '^B$'); [ -n "$W" ] && xdotool windowmove "$W" 640 200
shot 2-calculate

focus 'tavrin \[' >/dev/null
xdotool key alt+c o Down Return         # Calc | One matrix | B ...
sleep 1.5
W=$(window 'calculations for B'); [ -n "$W" ] && xdotool windowmove "$W" 20 560 windowsize "$W" 560 400
shot 3-report

focus 'tavrin \[' >/dev/null
xdotool key ctrl+e                      # Echelon form ...
sleep 1
D=$(window '^echelon form$')
[ -n "$D" ] && xdotool windowmove "$D" 960 80
for i in 1 2 3; do
  # the "step" button sits at the left of the dialog's last row
  xdotool mousemove --window "$D" 50 77 click 1
  sleep 0.6
  E=$(window ' --> echelon form')
  [ -n "$E" ] && xdotool windowmove "$E" 640 560 windowsize "$E" 520 300
done
shot 4-echelon-steps
echo "screenshots in $OUT"
