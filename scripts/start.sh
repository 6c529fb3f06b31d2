#!/usr/bin/env bash
# Sets everything up, builds and starts the desktop program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "no display: starting under Xvfb on :99"
  (Xvfb :99 -screen 0 1280x1024x24 >/dev/null 2>&1 &)
  sleep 1
  export DISPLAY=:99
fi
exec "$root/build/src/tavrin" "$@"
