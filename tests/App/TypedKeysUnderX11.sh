#!/usr/bin/env bash
# The program on a real X server, driven as a person drives it: keys typed with xdotool. Started
# while a first copy holds its hotkeys, it names each once, and takes them when that copy quits.
# The default hotkeys, pressed while no window of the program has the keys, then open the picker
# and switch a Space; a shortcut recorded by typing it in the preferences lands in the settings
# file and then opens the picker from anywhere. Exits 77 (skipped) only where Xvfb or xdotool
# is missing.
#   TypedKeysUnderX11.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

require_tools
fresh_work_folder
# The preferences open on the Keyboard page.
settings_past_first_run '"preferences.selectedPage": {"integer": 1}'
start_x_server 1600x1000

# A first copy holds every hotkey; the copy under test, started second, finds them held.
mkdir -p "$work/first/Tessarin"
cp "$settings" "$work/first/Tessarin/"
XDG_CONFIG_HOME="$work/first" TESSARIN_LAUNCH_METRICS=1 "$program" >"$work/first.log" 2>&1 &
first_pid=$!
keep_helper "$first_pid"
first_started() { grep -q "launch.statusItem" "$work/first.log" 2>/dev/null; }
wait_for "the first copy to start" first_started

TESSARIN_OSD_METRICS=1 TESSARIN_LAUNCH_METRICS=1 start_program

wait_for "the program to start" logged "launch.statusItem" 1

# It names every hotkey the first copy holds once, and leaves it alone while it is held.
wait_for "the picker hotkey found taken" logged "hotkey.x11.grabTaken combination=Ctrl+Alt+Super+space " 1
wait_for "the last-Space hotkey found taken" logged "grabTaken combination=Ctrl+Alt+Super+KP_Add " 1
echo "held by the first copy: $(grep -m1 'grabTaken' "$work/program.log")"
# The last-Space default, Control-Option-Command on the keypad's plus, is one the usual X keyboard
# map keeps for switching video modes: no client ever sees it, and the program says so once.
wait_for "the last-Space hotkey found kept by the server" \
    logged "hotkey.x11.keptByServer combination=Ctrl+Alt+Super+KP_Add reason=the X server keeps it for switching to the next video mode" 1
echo "kept by the server: $(grep -m1 'keptByServer' "$work/program.log")"

# When the first copy quits, this one takes the keys it could not grab.
stop_helper "$first_pid" "the first copy"
wait_for "the picker hotkey taken over" logged "hotkey.x11.grabTakenOver combination=Ctrl+Alt+Super+space " 1
echo "taken over: $(grep -m1 'grabTakenOver' "$work/program.log")"
taken=$(count "grabTaken combination=Ctrl+Alt+Super+space ")
[ "$taken" -eq 1 ] || fail "the taken picker hotkey was logged $taken times"

# The hotkeys act on the display under the pointer, and the last Space is kept for the display
# with the active menu bar: the first one, whose part of the screen is the top left (the two
# displays lie side by side across the top of the screen).
on_first_display() { xdotool mousemove 300 150; }
# Keys typed reach the program only while one of its shown windows has them.
program_has_keys() {
    local focused
    focused=$(xdotool getwindowfocus 2>/dev/null) || return 1
    xdotool search --onlyvisible --classname tessarin 2>/dev/null | grep -qx "$focused"
}
program_lacks_keys() { ! program_has_keys; }
# A switch's own grid stays a moment after the switch; a picker asked for meanwhile is shown in
# that grid and goes with it. The grid is the program's only shown window 300 or more wide.
grid_gone() {
    local id width
    for id in $(xdotool search --onlyvisible --classname tessarin 2>/dev/null); do
        width=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
        [ "${width:-0}" -lt 300 ] || return 1
    done
}
# The grid the last hot key's switch showed: drawn first, so it was on the server (on a loaded
# machine the switch is logged well before its grid shows, and a grid not yet shown is not gone),
# then gone.
switch_grid_gone() {
    local trace
    trace=$(grep -o 'event=hotkey.handler.started .*trace=[0-9]*' "$work/program.log" |
        tail -n 1 | sed 's/.*trace=//')
    wait_for "$1's grid to show" logged "event=osd.render.drawn .*trace=$trace\( \|\$\)" 1
    wait_for "$1's grid to go" grid_gone
}
on_first_display
# Control-Option-Command-Space: Super, Alt and Control on this keyboard.
xdotool key ctrl+alt+super+space
wait_for "the picker from the picker hotkey" logged "event=picker.started" 1
echo "picker shown: $(grep -m1 'event=picker.started' "$work/program.log")"
wait_for "the picker to have the keys" program_has_keys
xdotool key Escape
wait_for "the picker to let the keys go" program_lacks_keys

xdotool key ctrl+alt+super+Right
wait_for "a switch to the right, confirmed" logged "outcome=confirmed" 1
echo "switch: $(grep -m1 'outcome=confirmed' "$work/program.log")"
switch_grid_gone "the switch"

# The picker has the keys; Command-comma opens the settings on the Keyboard page.
xdotool key ctrl+alt+super+space
wait_for "the picker again" logged "event=picker.started" 2
wait_for "the picker to have the keys again" program_has_keys
xdotool key ctrl+comma
wait_for "the Keyboard settings" window_shown "^Keyboard Settings$"
window=$(xdotool search --onlyvisible --name "^Keyboard Settings$" | head -n 1)
wait_for "the Keyboard settings to have the keys" has_focus "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The picker's recorder, first in the page's OSD section. The window may still be taking the keys
# over from the picker when the first click lands; as a person would, click again then.
recorded=false
for attempt in 1 2 3 4; do
    xdotool mousemove $((X + 490)) $((Y + 290)) click 1
    xdotool key ctrl+alt+l
    # L is key code 37; Command and Option are 256 + 2048.
    if holds_within "$retry_after" shortcut_is "hotkey.showOSD" 37 2304; then
        recorded=true
        break
    fi
    xdotool key Escape
done
$recorded || fail "Command-Option-L was not stored for the picker"
echo "recorded after $attempt click(s)"
echo "recorded: $(stored_shortcut hotkey.showOSD)"

# The last-Space row, at the foot of the page, says its default cannot be pressed here; the
# replacement the README suggests, Control-Option-Command-Return, is recorded on it.
xdotool mousemove $((X + 340)) $((Y + 400))
for _ in $(seq 30); do xdotool click 5; done
recorded=false
for attempt in 1 2 3 4; do
    xdotool mousemove $((X + 491)) $((Y + 562)) click 1
    xdotool key ctrl+alt+super+Return
    # Return is key code 36; Command, Option and Control are 256 + 2048 + 4096.
    if holds_within "$retry_after" shortcut_is "hotkey.lastSpace" 36 6400; then
        recorded=true
        break
    fi
    xdotool key Escape
done
$recorded || fail "Command-Option-Control-Return was not stored for the last Space"
echo "last Space recorded: $(stored_shortcut hotkey.lastSpace)"

# With the settings closed no window of the program has the keys: the new shortcut is grabbed.
xdotool key ctrl+w
wait_for "the settings to close" window_gone "^Keyboard Settings$"
xdotool key ctrl+alt+l
wait_for "the picker from the recorded shortcut" logged "event=picker.started" 3
wait_for "that picker to have the keys" program_has_keys
xdotool key Escape
wait_for "that picker to let the keys go" program_lacks_keys
# The last Space is the first one again, where the switch to the right came from, on the display
# that switched.
on_first_display
xdotool key ctrl+alt+super+Return
wait_for "a switch to the last Space" logged "event=space.last.posted .*success=true" 1
echo "last Space: $(grep -m1 'event=space.last.posted' "$work/program.log")"
switch_grid_gone "the last Space"

# Command-Q reaches the program through the picker once it has the keys; the switch's own grid
# takes none, and may be gone before a key arrives.
xdotool key ctrl+alt+l
wait_for "the picker to quit from" logged "event=picker.started" 4
wait_for "the picker to have the keys to quit" program_has_keys
# Pressed again, as a person would, when the program is still there a while later (the picker
# may have let the keys go as the key arrived); a program that hangs at quit still fails below.
for attempt in 1 2 3; do
    xdotool key ctrl+q
    holds_within "$retry_after" program_ended && break
    echo "Command-Q did not take, try $attempt"
    program_has_keys || {
        xdotool key ctrl+alt+l
        holds_within "$retry_after" program_has_keys
    }
done
expect_clean_exit
# Recording a shortcut and the grabs that followed named nothing a second time.
kept=$(count "hotkey.x11.keptByServer combination=Ctrl+Alt+Super+KP_Add ")
[ "$kept" -eq 1 ] || fail "the kept last-Space hotkey was logged $kept times"
taken=$(count "grabTaken combination=Ctrl+Alt+Super+space ")
[ "$taken" -eq 1 ] || fail "the taken picker hotkey was logged $taken times in the end"
echo "passed"
