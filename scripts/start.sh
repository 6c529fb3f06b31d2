#!/usr/bin/env bash
# Sets everything up, builds and starts the desktop program. Without a
# display it says so and starts the console program on this terminal.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "no display (neither DISPLAY nor WAYLAND_DISPLAY is set): the desktop program cannot show its windows."
  echo "starting tavrin-console instead; type help for its commands, quit to leave."
  exec "$root/build/src/tavrin-console"
fi
exec "$root/build/src/tavrin" "$@"
