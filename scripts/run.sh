#!/usr/bin/env bash
# Installs what is missing, builds Zarnel (optimised, in build/), gives it a home
# folder of its own and its settings key, and starts it. Without a display
# AutoMix mixes the demo songs into a file instead, which then plays.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARNEL_TESTS=OFF -DZARNEL_BENCH=OFF >/dev/null
cmake --build build -j2

home="${ZARNEL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/zarnel}"
mkdir -p "$home/skins" "$home/samples" "$home/effects" "$home/sample songs"
cp -rn home/. "$home/"
scripts/install-settings-key.sh "$home"  # the settings key, as an installer makes it
cp build/plugins/*.so "$home/effects/"  # the effect plug-ins
if ! ls "$home/sample songs/"*.wav >/dev/null 2>&1; then
  echo "Rendering the demo songs into $home/sample songs"
  build/bin/zarnel-synth "$home/sample songs"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting Zarnel"
  exec build/bin/zarnel
fi

# No display here: AutoMix mixes the demo songs, beat-matched, as the program
# would on stage; the mix is rendered faster than real time, then played.
songs=("$home/sample songs/"*.wav)
set_list="$home/demo set.m3u"
printf '%s\n' "${songs[@]}" > "$set_list"
mix="$home/demo mix.wav"
echo "No display: AutoMix mixes the demo songs into $mix"
build/bin/zarnel-automix --out "$mix" --log "$home/demo mix.csv" -- "$set_list"
echo "Playing the mix on the sound card (Ctrl-C stops)"
if ! build/bin/zarnel-play "$mix"; then
  echo "No sound output here: the mix is in $mix (its AutoMix steps in $home/demo mix.csv)"
fi
