#!/usr/bin/env bash
# Makes the program's settings key as an installer does, unless it exists:
# the registry export file $XDG_CONFIG_HOME/zarnel/Zarnel.reg (by default
# ~/.config/zarnel/Zarnel.reg) holding the key Software\Zarnel with the
# "Home folder" value, the default keyboard shortcuts ("Shortcuts", 4 bytes
# a binding: key code low and high byte, desk target, action) and the sounds
# shipped in the home folder's "samples" in the first sample slots
# ("Sample_0"...). The program itself never creates the key.
# Usage: scripts/install-settings-key.sh HOME_FOLDER
set -euo pipefail

home_folder="$1"
config="${XDG_CONFIG_HOME:-}"
[[ "$config" == /* ]] || config="$HOME/.config"
reg="$config/zarnel/Zarnel.reg"
[ -e "$reg" ] && exit 0

# key code (scan code | 0x100 extended | 0x1000 shift), target (2 desk 1,
# 3 desk 2, 0 the active desk), action.
bindings=(
  # desk 1, left hand: play pause cue stop, faster/slower (shift: a lot),
  # nudge back/forward, magic, beat match, loops of 1 2 4 8 beats, exit loop
  0x10:2:1 0x11:2:2 0x12:2:3 0x13:2:4 0x1E:2:19 0x2C:2:18 0x101E:2:21 0x102C:2:20
  0x1F:2:8 0x2D:2:9 0x14:2:5 0x22:2:6 0x02:2:32 0x03:2:33 0x04:2:34 0x05:2:35 0x21:2:92
  # desk 2, right hand
  0x16:3:1 0x17:3:2 0x18:3:3 0x19:3:4 0x24:3:19 0x32:3:18 0x1024:3:21 0x1032:3:20
  0x25:3:8 0x33:3:9 0x15:3:5 0x23:3:6 0x08:3:32 0x09:3:33 0x0A:3:34 0x0B:3:35 0x26:3:92
  # crossfader on the arrows (shift: all the way; shift+down centres it),
  # headphones, load onto the active desk (shift: into the playlist), mix
  # now, F1 and F2 load onto desk 1 and desk 2
  0x14B:0:38 0x14D:0:39 0x114B:0:36 0x114D:0:37 0x1150:0:42 0x0F:0:50 0x1C:0:43 0x101C:0:44 0x39:0:48
  0x3B:2:43 0x3C:3:43
)
hex=""
for b in "${bindings[@]}"; do
  IFS=: read -r key target action <<<"$b"
  hex+=$(printf '%02x,%02x,%02x,%02x,' $((key & 0xFF)) $((key >> 8)) "$target" "$action")
done
hex="${hex%,}"

# A registry export's string: backslashes and quotes escaped.
reg_string() {
  local t="${1//\\/\\\\}"
  printf '%s' "${t//\"/\\\"}"
}

samples=""
slot=0
for f in "$home_folder/samples/"*.wav; do
  [ -e "$f" ] && [ "$slot" -lt 12 ] || continue
  samples+=$(printf '"Sample_%d"="%s"\n' "$slot" "$(reg_string "$f")")$'\n'
  slot=$((slot + 1))
done

mkdir -p "$(dirname "$reg")"
tmp="$(mktemp "$reg.XXXXXX")"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Zarnel]\n"Home folder"="%s"\n"Shortcuts"=hex:%s\n%s\n' \
  "$(reg_string "$home_folder")" "$hex" "$samples" >"$tmp"
mv "$tmp" "$reg"
