#!/usr/bin/env bash
# End-to-end test of the real program in a real X window: Xvfb for the
# display, xdotool for the pointer, SDL's disk audio driver for the sound card.
# Usage: program_e2e.sh BIN_DIR SOURCE_DIR SHOT_DIR
# The screenshots stay in SHOT_DIR for a reviewer to open.
set -euo pipefail

bin="$1"; src="$2"; shots="$3"
work="$(mktemp -d)"
xvfb_pid=""; zarnel_pid=""
cleanup() {
  [ -n "$zarnel_pid" ] && kill -KILL "$zarnel_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/zarnel.log" ] && tail -20 "$work/zarnel.log"; exit 1; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local limit=$(( $1 * 10 )); shift
  for ((i = 0; i < limit; ++i)); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

mkdir -p "$shots" "$work/home" "$work/config"
rm -f "$shots"/*.png

# A display of our own; Xvfb picks a free number and tells it on a pipe.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"

# A fresh home folder and settings key, as the run script makes them.
cp -r "$src/home/." "$work/home/"
export XDG_CONFIG_HOME="$work/config" HOME="$work"
"$src/scripts/install-settings-key.sh" "$work/home"
reg="$work/config/zarnel/Zarnel.reg"
# The demo songs, as the run script renders them, and the scan list a hard
# disk scan of the home folder writes for them.
songs="$work/home/sample songs"
mkdir -p "$songs"
"$bin/zarnel-synth" "$songs" >/dev/null || fail "the demo songs were not rendered"
for f in "$songs"/*.wav; do printf '%s,%s\r\n' "$f" "$(stat -c %s "$f")"; done >"$work/home/mp3database.txt"

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" SDL_DISKAUDIODELAY=10
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"  # leaks are the unit tests' concern; X and D-Bus keep some
"$bin/zarnel" >"$work/zarnel.log" 2>&1 &
zarnel_pid=$!

# The splash comes first: a borderless window without a title.
wait_for 20 sh -c "xdotool search --onlyvisible --pid $zarnel_pid | head -1 | grep -q ." || fail "no window appeared"
splash="$(xdotool search --onlyvisible --pid "$zarnel_pid" | head -1)"
sleep 0.7  # the picture is drawn just after the window maps
[ -z "$(xdotool getwindowname "$splash")" ] || fail "the first window is not the splash"
"$bin/zarnel-xshot" grab "$shots/01-splash.png" "$splash" || fail "no splash screenshot"

# Then the main window, 800 by 600.
wait_for 30 xdotool search --onlyvisible --name '^Zarnel$' || fail "the main window did not appear"
main="$(xdotool search --onlyvisible --name '^Zarnel$' | head -1)"
geometry="$(xdotool getwindowgeometry "$main")"
echo "$geometry" | grep -q 'Geometry: 800x600' || fail "main window: $geometry"
sleep 1
"$bin/zarnel-xshot" grab "$shots/02-main.png" "$main" || fail "no main window screenshot"

# The skinned window is what the renderer draws off-screen (its golden
# image); the browser below the desks lists this machine's folders, so the
# comparison stops above it.
golden="$src/tests/skin/golden/default-skin-start.png"
"$bin/zarnel-xshot" compare "$shots/02-main.png" "$golden" --region 0 0 800 420 --tolerance 12 --max-differing 0.02 ||
  fail "the window differs from $golden"

# Desk 1's play button: "over" while pointed at, "down" while pressed.
button="74 284 62 34"
xdotool mousemove --window "$main" 500 590
sleep 0.5
"$bin/zarnel-xshot" grab "$shots/03-away.png" "$main"
xdotool mousemove --window "$main" 105 301
sleep 0.2  # before the tooltip's 500 ms
"$bin/zarnel-xshot" grab "$shots/04-over.png" "$main"
! "$bin/zarnel-xshot" compare "$shots/03-away.png" "$shots/04-over.png" --region $button --max-differing 0.1 ||
  fail "pointing at the play button does not show its over image"
xdotool mousedown 1
sleep 0.5
"$bin/zarnel-xshot" grab "$shots/05-down.png" "$main"
xdotool mouseup 1
! "$bin/zarnel-xshot" compare "$shots/04-over.png" "$shots/05-down.png" --region $button --max-differing 0.1 ||
  fail "pressing the play button does not show its down image"

# Resting on a button shows its tooltip balloon, a window of its own.
xdotool mousemove --window "$main" 560 301
sleep 1.2
windows=$(xdotool search --onlyvisible --pid "$zarnel_pid" | wc -l)
[ "$windows" -ge 2 ] || fail "no tooltip after resting on a button"
"$bin/zarnel-xshot" grab "$shots/06-tooltip.png"
# The balloon is cut to its picture: its transparent magenta never shows.
magenta=$("$bin/zarnel-xshot" count "$shots/06-tooltip.png" FF00FF)
[ "$magenta" -eq 0 ] || fail "the tooltip shows $magenta pixels of its transparent colour: it is not shaped"

# The sound output runs: the disk driver's file grows.
size1=$(stat -c %s "$work/audio.raw" 2>/dev/null || echo 0)
sleep 1
size2=$(stat -c %s "$work/audio.raw" 2>/dev/null || echo 0)
[ "$size2" -gt "$size1" ] || fail "the sound card does not play ($size1 -> $size2 bytes)"

# The library: the folder tree opens on the demo songs. Selecting another
# folder and then "sample songs" again lists them; a double click loads one
# onto desk 1, and its play button makes the sound card's output audible
# while the elapsed time runs.
peak() {  # the loudest sample of the last half second the sound card played
  tail -c 88200 "$work/audio.raw" | od -An -v -td2 -w2 | awk '{v = $1 < 0 ? -$1 : $1; if (v > m) m = v} END {print m + 0}'
}
region_changed() {  # shot1 shot2 x y w h: the region differs
  ! "$bin/zarnel-xshot" compare "$1" "$2" --region $3 $4 $5 $6 --max-differing 0.02
}
xdotool mousemove --window "$main" 70 432 click 1  # "Home"
sleep 0.4
"$bin/zarnel-xshot" grab "$shots/13-tree-home.png" "$main"
xdotool mousemove --window "$main" 75 472 click 1  # "sample songs"
sleep 0.4
"$bin/zarnel-xshot" grab "$shots/14-tree-songs.png" "$main"
region_changed "$shots/13-tree-home.png" "$shots/14-tree-songs.png" 210 446 570 60 ||
  fail "selecting sample songs in the folder tree does not list its songs"
[ "$(peak)" -eq 0 ] || fail "the sound card plays before any track was loaded"
xdotool mousemove --window "$main" 320 456 mousedown 1 mouseup 1 sleep 0.1 mousedown 1 mouseup 1
sleep 0.8
"$bin/zarnel-xshot" grab "$shots/15-loaded.png" "$main"
region_changed "$shots/14-tree-songs.png" "$shots/15-loaded.png" 10 44 250 30 ||
  fail "a double click on a song does not load it onto desk 1"
xdotool mousemove --window "$main" 105 301 click 1
sleep 1.5
"$bin/zarnel-xshot" grab "$shots/16-playing.png" "$main"
[ "$(peak)" -gt 1000 ] || fail "the loaded song is not heard (peak $(peak))"
sleep 1.1
"$bin/zarnel-xshot" grab "$shots/17-playing-later.png" "$main"
region_changed "$shots/16-playing.png" "$shots/17-playing-later.png" 14 92 70 18 || fail "the elapsed time does not run"

# Recording: "Record" on the record page asks for a file (a GTK save
# dialog, answered by typing its path), records what the sound card plays
# while the song goes on, shows its progress, and a second press stops it,
# leaving a valid WAV file with the song in it.
record="$work/recorded mix.wav"
xdotool mousemove --window "$main" 427 17 click 1  # RECORD
sleep 0.4
xdotool mousemove --window "$main" 29 451 click 1  # the record button
wait_for 10 xdotool search --onlyvisible --name '^Save mix$' || fail "Record does not ask for the file"
dialog="$(xdotool search --onlyvisible --name '^Save mix$' | head -1)"
xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 "$record"
sleep 1.0  # the chooser checks the typed folder before it takes Return
"$bin/zarnel-xshot" grab "$shots/21b-save-dialog.png"
xdotool key Return
dialog_gone() { ! xdotool search --onlyvisible --name '^Save mix$'; }
if ! wait_for 3 dialog_gone; then  # Return closed the name's completion list first
  xdotool windowfocus "$dialog" 2>/dev/null || true
  xdotool key Return
fi
wait_for 10 dialog_gone || fail "the save dialog did not close"
sleep 2.5
"$bin/zarnel-xshot" grab "$shots/22-recording.png" "$main"
xdotool mousemove --window "$main" 29 451 click 1  # stop
sleep 0.5
[ -f "$record" ] || fail "no recording at $record"
header="$(head -c 44 "$record" | od -An -c | tr -d ' \n')"
echo "$header" | grep -q 'RIFF.*WAVEfmt.*data' || fail "the recording's header is not a WAV header"
bytes=$(stat -c %s "$record")
[ "$bytes" -gt $((44 + 176400 * 2)) ] || fail "the recording holds less than 2 s ($bytes bytes)"
recorded_peak=$(tail -c 176400 "$record" | od -An -v -td2 -w2 | awk '{v = $1 < 0 ? -$1 : $1; if (v > m) m = v} END {print m + 0}')
[ "$recorded_peak" -gt 1000 ] || fail "the recording is silent (peak $recorded_peak)"
xdotool mousemove --window "$main" 160 17 click 1  # back to the files page
sleep 0.3

# A second song dragged to the playlist pane, which slides open under the pointer.
xdotool mousemove --window "$main" 320 476 mousedown 1 mousemove --window "$main" 340 480
xdotool mousemove --window "$main" 794 520
sleep 1.0
xdotool mousemove --window "$main" 700 520
sleep 0.3
"$bin/zarnel-xshot" grab "$shots/18-pane-open.png" "$main"
xdotool mouseup 1
sleep 0.5
"$bin/zarnel-xshot" grab "$shots/19-dropped.png" "$main"
region_changed "$shots/18-pane-open.png" "$shots/19-dropped.png" 520 446 260 18 ||
  fail "the song dragged to the playlist does not show there"

# The search page: typing in the search field filters the scanned songs.
xdotool mousemove --window "$main" 224 17 click 1
sleep 0.5
"$bin/zarnel-xshot" grab "$shots/20-search.png" "$main"
xdotool mousemove --window "$main" 400 436 click 1
sleep 0.3
xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
xdotool type --delay 80 "slow"
sleep 0.5
"$bin/zarnel-xshot" grab "$shots/21-search-typed.png" "$main"
region_changed "$shots/20-search.png" "$shots/21-search-typed.png" 4 476 440 40 ||
  fail "typing in the search field does not filter the list"
xdotool mousemove --window "$main" 160 17 click 1  # back to the files page
sleep 0.3

# Controls act: a kill lights, the crossfader and a pitch slider follow a
# drag, the keyboard's right arrow moves the crossfader, and the clock zone,
# clicked over to its counter, runs.
changed() {  # region of two shots differs
  ! "$bin/zarnel-xshot" compare "$1" "$2" --region $3 $4 $5 $6 --max-differing 0.02
}
away() { xdotool mousemove --window "$main" 500 590; sleep 0.4; }
away
"$bin/zarnel-xshot" grab "$shots/07-before-controls.png" "$main"
xdotool mousemove --window "$main" 346 117 click 1
away
"$bin/zarnel-xshot" grab "$shots/08-kill.png" "$main"
changed "$shots/07-before-controls.png" "$shots/08-kill.png" 326 103 40 28 || fail "the kill button does not light"
xdotool mousemove --window "$main" 400 398 mousedown 1 mousemove --window "$main" 320 398 mouseup 1
xdotool mousemove --window "$main" 205 187 mousedown 1 mousemove --window "$main" 205 150 mouseup 1
away
"$bin/zarnel-xshot" grab "$shots/09-dragged.png" "$main"
changed "$shots/08-kill.png" "$shots/09-dragged.png" 282 382 236 32 || fail "the crossfader does not follow a drag"
changed "$shots/08-kill.png" "$shots/09-dragged.png" 194 130 22 114 || fail "the pitch slider does not follow a drag"
xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
# A tooltip shown meanwhile (the tree pane's lock button) leaves the keyboard
# with the main window.
xdotool mousemove --window "$main" 15 585
sleep 1.0
xdotool key Right Right Right Right Right Right Right Right
sleep 0.4
"$bin/zarnel-xshot" grab "$shots/10-key.png" "$main"
changed "$shots/09-dragged.png" "$shots/10-key.png" 282 382 236 32 || fail "the right arrow does not move the crossfader"
xdotool mousemove --window "$main" 650 17 click 1
away
"$bin/zarnel-xshot" grab "$shots/11-counter.png" "$main"
sleep 1.2
"$bin/zarnel-xshot" grab "$shots/12-counter-later.png" "$main"
changed "$shots/11-counter.png" "$shots/12-counter-later.png" 608 6 84 22 || fail "the counter does not run"

# A termination signal closes the program as closing its window does: it
# ends by itself, and the settings and the track store are written.
before=$(stat -c %Y "$reg")
sleep 1.1
kill -TERM "$zarnel_pid"
wait_for 15 sh -c "! kill -0 $zarnel_pid" || fail "the program did not close on SIGTERM"
status=0; wait "$zarnel_pid" || status=$?
zarnel_pid=""
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
[ "$(stat -c %Y "$reg")" -gt "$before" ] || fail "the settings were not written"
grep -q '"Output mode"' "$reg" || fail "the settings file lacks the program's values"
[ -e "$work/home/zarnel Internal Database." ] || fail "no track store"
echo "PASS: splash, skinned main window, over and down images, a shaped tooltip, the folder tree, a song loaded by a double click and heard, a recording of what was heard, the playlist by drag, the search field, kill, crossfader, pitch and keyboard controls, the counter, sound output, close on SIGTERM; screenshots in $shots"
