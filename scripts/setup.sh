#!/usr/bin/env bash
# Installs what Tavrin needs to build, test and run (Debian 12, as root).
# Quick when everything is already there.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config git
  libgmp-dev googletest libgtest-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-liberation xvfb
  libeigen3-dev libflint-dev libqt6svg6 clang)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
