#!/usr/bin/env bash
# Installs the Debian packages that building and testing Zarnel need, when missing.
# Usage: scripts/deps.sh [test]
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config
          libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
          libsdl2-dev libasound2-dev libx11-dev libxext-dev
          libfreetype-dev libfontconfig-dev fonts-liberation fonts-liberation2
          libgtk-3-dev)
if [ "${1:-}" = test ]; then
  packages+=(libgtest-dev libbenchmark-dev g++-mingw-w64-i686-posix xvfb xdotool)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
