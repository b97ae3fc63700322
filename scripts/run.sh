#!/usr/bin/env bash
# Installs what is missing, builds Zarnel (optimised, in build/), gives it a home
# folder of its own and its settings key, and starts it. Without a display it
# mixes two of the demo songs instead (on the sound card, or into a file).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARNEL_TESTS=OFF -DZARNEL_BENCH=OFF >/dev/null
cmake --build build -j2

home="${ZARNEL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/zarnel}"
mkdir -p "$home/skins" "$home/samples" "$home/effects" "$home/sample songs"
cp -rn home/. "$home/"
scripts/install-settings-key.sh "$home"  # the settings key, as an installer makes it
if ! ls "$home/sample songs/"*.wav >/dev/null 2>&1; then
  echo "Rendering the demo songs into $home/sample songs"
  build/bin/zarnel-synth "$home/sample songs"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting Zarnel"
  exec build/bin/zarnel
fi

# No display here: show what the desks and the mixer do without the window.
songs=("$home/sample songs/"*.wav)
echo "No display: mixing desk 1 into desk 2 on the sound card instead (Ctrl-C stops)"
if ! build/bin/zarnel-play "${songs[0]}" "${songs[1]}"; then
  echo "No sound output either: rendering the mix to a file"
  build/bin/zarnel-play --out "$home/demo mix.wav" "${songs[0]}" "${songs[1]}"
  echo "The mix of desk 1 into desk 2 is in: $home/demo mix.wav"
fi
