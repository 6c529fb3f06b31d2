#!/usr/bin/env bash
# Drives a desktop session under a virtual X server with a window manager
# (openbox) and real key and mouse events: the grid's cursor and keys,
# typing into entries, a block copy and paste, echelon steps repeated with
# Enter while the companion window stays beside the dialog, and Calculate.
# Saves a screenshot after each part.
# usage: scripts/session-desktop.sh [BUILD_DIR] [OUT_DIR]
set -u
BUILD=$(realpath "${1:-build}")
OUT=$(realpath -m "${2:-desktop-shots}")
. "$(dirname "$0")/xsession.sh"
xsession_start openbox

start_tavrin
shot 0-start

focus 'tavrin \[' >/dev/null
xdotool key ctrl+n                      # New ..., random 5 x 5
sleep 1
focus '^new matrix' >/dev/null
xdotool key ctrl+a; xdotool type 5; xdotool key Tab ctrl+a; xdotool type 5
xdotool key Tab Down Return
sleep 1
focus '^new matrix' >/dev/null && xdotool key Escape
focus '^A' >/dev/null
xdotool key Down Down Right             # the cell cursor
xdotool type 12                         # typing opens the entry
xdotool key Return                      # stored, the cursor one down
xdotool type 7/2
xdotool key Tab                         # stored, the cursor one right
sleep 0.3
shot 1-grid-keys

W=$(window '^A')
G=$(xdotool getwindowgeometry "$W" | awk '/Geometry/{print $2}')
xdotool key ctrl+Home ctrl+c            # whole matrix to the clipboard
xdotool key ctrl+End
xdotool key ctrl+v                      # pasted at the cursor (clipped), one step
sleep 0.3
shot 2-paste
xdotool key ctrl+z                      # undone in one step
sleep 0.3
shot 3-undo
xdotool key ctrl+y                      # and redone
sleep 0.3

focus 'tavrin \[' >/dev/null
xdotool key ctrl+e                      # Echelon form ...
sleep 1
D=$(window '^echelon form$')
xdotool mousemove --window "$D" 50 77 click 1   # "step"
sleep 0.5
xdotool key Return                      # Enter repeats the step
sleep 0.5
xdotool key Return
sleep 0.5
shot 4-echelon-enter

focus 'tavrin \[' >/dev/null
xdotool key ctrl+c                      # Calculate: the expression has the keyboard
sleep 1
xdotool type "A*A'"
xdotool key Tab
xdotool type B
xdotool key Return
sleep 1
shot 5-calculate
echo "screenshots in $OUT (window geometry of A: $G)"
