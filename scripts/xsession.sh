# Sourced by the scripts that drive the desktop program under a virtual X
# server. They set BUILD and OUT, then call xsession_start (with a window
# manager's name to run one); the helpers below find windows, give them the
# keyboard, take screenshots and start the program. Everything started is
# ended, and the scratch folder removed, when the script exits.

xsession_start() {
  XSESSION_WM=${1:-}
  local tool
  for tool in Xvfb xdotool import $XSESSION_WM; do
    command -v "$tool" >/dev/null || { echo "needs $tool (xvfb, xdotool, imagemagick${XSESSION_WM:+, $XSESSION_WM})"; exit 1; }
  done
  mkdir -p "$OUT"
  WORK=$(mktemp -d)
  # The program's settings files go to the scratch folder, not the user's.
  export XDG_CONFIG_HOME="$WORK/config"
  export DISPLAY=:$((70 + RANDOM % 29))
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  XSESSION_PIDS=($!)
  sleep 1
  if [ -n "$XSESSION_WM" ]; then
    "$XSESSION_WM" >/dev/null 2>&1 &
    XSESSION_PIDS+=($!)
    sleep 1
  fi
  export QT_QPA_PLATFORM=xcb
  trap 'kill "${XSESSION_PIDS[@]}" 2>/dev/null; rm -rf "$WORK"' EXIT
}

# The desktop program in the background (arguments: files to open).
start_tavrin() {
  "$BUILD/src/tavrin" "$@" >"$WORK/tavrin.log" 2>&1 &
  XSESSION_PIDS=($! "${XSESSION_PIDS[@]}")
  sleep 2
}

# The newest visible window whose title matches.
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1; }

# Gives that window the keyboard (through the window manager when one runs)
# and prints its id.
focus() {
  local w
  w=$(window "$1")
  if [ -n "$w" ]; then
    if [ -n "$XSESSION_WM" ]; then xdotool windowactivate --sync "$w" 2>/dev/null
    else xdotool windowfocus --sync "$w" 2>/dev/null; fi
  fi
  echo "$w"
}

shot() { sleep "${SHOT_WAIT:-0.8}"; import -window root "$OUT/$1.png"; echo "saved $OUT/$1.png"; }
