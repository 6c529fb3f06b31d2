#!/bin/bash
# Screenshots of the desktop program under a virtual X server.
# usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -u
BUILD=$(realpath "${1:-build-ui}")
OUT=$(realpath -m "${2:-screenshots}")
mkdir -p "$OUT"
WORK=$(mktemp -d)
export XDG_CONFIG_HOME="$WORK/config"
DISPLAY_NO=:$((90 + RANDOM % 9))
Xvfb "$DISPLAY_NO" -screen 0 1280x1024x24 >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=$DISPLAY_NO
export QT_QPA_PLATFORM=xcb
sleep 1

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

shot() { sleep 1.2; import -window root "$OUT/$1.png"; }
# The newest visible window whose title matches.
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1; }

"$BUILD/src/tavrin" &
APP=$!
sleep 2
shot mainframe

"$BUILD/src/tavrin" "$WORK/real.fma"
sleep 1
W=$(window '^A$'); [ -n "$W" ] && xdotool windowmove "$W" 20 120 windowsize "$W" 620 300
shot real
"$BUILD/src/tavrin" "$WORK/complex.cma"
sleep 1
W=$(window '^[A-Z]$'); [ -n "$W" ] && xdotool windowmove "$W" 660 120 windowsize "$W" 600 260
shot complex
"$BUILD/src/tavrin" "$WORK/integer.ima"
sleep 1
W=$(window '^[A-Z]$'); [ -n "$W" ] && xdotool windowmove "$W" 20 480 windowsize "$W" 560 300
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
kill $APP 2>/dev/null
kill $XVFB 2>/dev/null
rm -rf "$WORK"
echo "screenshots in $OUT"
