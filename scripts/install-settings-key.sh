#!/usr/bin/env bash
# Makes the program's settings key as an installer does, unless it exists:
# the registry export file $XDG_CONFIG_HOME/zarnel/Zarnel.reg (by default
# ~/.config/zarnel/Zarnel.reg) holding the key Software\Zarnel with the
# "Home folder" value. The program itself never creates the key.
# Usage: scripts/install-settings-key.sh HOME_FOLDER
set -euo pipefail

home_folder="$1"
config="${XDG_CONFIG_HOME:-}"
[[ "$config" == /* ]] || config="$HOME/.config"
reg="$config/zarnel/Zarnel.reg"
[ -e "$reg" ] && exit 0

mkdir -p "$(dirname "$reg")"
text="${home_folder//\\/\\\\}"
text="${text//\"/\\\"}"
tmp="$(mktemp "$reg.XXXXXX")"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Zarnel]\n"Home folder"="%s"\n\n' \
  "$text" >"$tmp"
mv "$tmp" "$reg"
