#!/usr/bin/env bash
# Screenshots of the desktop program under a virtual X server.
# usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -u
BUILD=$(realpath "${1:-build}")
OUT=$(realpath -m "${2:-screenshots}")
. "$(dirname "$0")/xsession.sh"
xsession_start
SHOT_WAIT=1.2

# Matrices to show, written by the console program.
cat > "$WORK/make.tvs" <<SCRIPT
mode real
enter A 4 5
1.5 -2.25 3 100.125 -7
0 3.14159265 -1 2 2.5
-12.5 6 7.75 0.001 9
4 -4 44 -0.5 1
save A $WORK/real.fma
mode complex
enter B 3 3
1+2I -3I 4
0.5 -1-I 2I
7 8-0.25I -1
save B $WORK/complex.cma
mode integer
enter C 4 4 6
1 -2 3 123456789
-5 6 -7 8
9 10 -11 12
13 -14 15 -16
save C $WORK/integer.ima
SCRIPT
"$BUILD/src/tavrin-console" "$WORK/make.tvs" > "$WORK/console.log" 2>&1 || cat "$WORK/console.log"

start_tavrin
shot mainframe

"$BUILD/src/tavrin" "$WORK/real.fma"
sleep 1
W=$(window '^A$'); [ -n "$W" ] && xdotool windowmove "$W" 20 120 windowsize "$W" 620 300
shot real
"$BUILD/src/tavrin" "$WORK/complex.cma"
sleep 1
W=$(window '^[A-Z] \[complex\]$'); [ -n "$W" ] && xdotool windowmove "$W" 660 120 windowsize "$W" 600 260
shot complex
"$BUILD/src/tavrin" "$WORK/integer.ima"
sleep 1
W=$(window '^[A-Z] \[integer\]$'); [ -n "$W" ] && xdotool windowmove "$W" 20 480 windowsize "$W" 560 300
shot integer
if [ -n "$W" ]; then
  xdotool windowfocus --sync "$W" 2>/dev/null; xdotool key ctrl+shift+n
  sleep 1
  N=$(window 'notebook'); [ -n "$N" ] && xdotool windowmove "$N" 660 480 windowsize "$N" 420 200
  shot notebook
  # Misc | Background color ...
  xdotool windowfocus --sync "$W" 2>/dev/null; xdotool key alt+m; sleep 0.5; xdotool key b
  sleep 1
  P=$(window 'background'); [ -n "$P" ] && xdotool windowmove "$P" 700 720
  shot palette
fi
echo "screenshots in $OUT"
