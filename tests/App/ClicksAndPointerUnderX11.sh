#!/usr/bin/env bash
# The program on a real X server, driven as a person drives it with xdotool: the pointer over
# the second host display's part of the screen makes the picker hotkey open the picker there,
# and clicks in the preferences go through the host first, so a click elsewhere during a
# shortcut recording ends it and does nothing else. Exits 77 (skipped) only where Xvfb or
# xdotool is missing.
#   ClicksAndPointerUnderX11.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

require_tools
fresh_work_folder
# The preferences open on the Keyboard page.
settings_past_first_run '"preferences.selectedPage": {"integer": 1}'
# The built-in host's displays (1512 and 2560 wide, side by side) shrink to the screen's width:
# the first shows at x 0-594, the second at 594-1600, both from the top edge down.
start_x_server 1600x1000

TESSARIN_OSD_METRICS=1 TESSARIN_LAUNCH_METRICS=1 start_program

all_screens_is() {
    local value=false
    tr -d ' \n' <"$settings" | grep -q '"showOSDSpacePickerOnAllScreens":{"bool":true}' && value=true
    [ "$value" = "$1" ]
}

wait_for "the program to start" logged "launch.statusItem" 1

# The picker opens on the display under the pointer: the second one, then the first.
second="display=9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8"
first="display=4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90"
focus_moved_from() { [ "$(xdotool getwindowfocus 2>/dev/null)" != "$1" ]; }
unfocused=$(xdotool getwindowfocus 2>/dev/null)
xdotool mousemove 1100 300
xdotool key ctrl+alt+super+space
wait_for "the picker on the second display" logged "event=picker.resolved .*$second" 1
echo "picker: $(grep -m1 -o "event=picker.resolved .*$second" "$work/program.log")"
# Escape closes the picker once it has the keys.
wait_for "the picker to have the keys" focus_moved_from "$unfocused"
picker=$(xdotool getwindowfocus 2>/dev/null)
xdotool key Escape
wait_for "the picker to let the keys go" focus_moved_from "$picker"
unfocused=$(xdotool getwindowfocus 2>/dev/null)
xdotool mousemove 300 200
xdotool key ctrl+alt+super+space
wait_for "the picker on the first display" logged "event=picker.resolved .*$first" 1
echo "picker: $(grep -m1 -o "event=picker.resolved .*$first" "$work/program.log")"

# Once the picker has the keys, Command-comma opens the settings on the Keyboard page.
wait_for "the picker to have the keys" focus_moved_from "$unfocused"
xdotool key ctrl+comma
wait_for "the Keyboard settings" window_shown "^Keyboard Settings$"
window=$(xdotool search --onlyvisible --name "^Keyboard Settings$" | head -n 1)
wait_for "the Keyboard settings to have the keys" has_focus "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
recorder="$((X + 490)) $((Y + 290))"  # the picker's recorder
all_screens="$((X + 612)) $((Y + 333))" # the "Show on all screens" switch below it
click_at() { xdotool mousemove $1 $2 click 1; }

# The window may still be taking over from the picker when the first click lands; as a person
# would, click the switch until it turns on, then turn it off again.
for attempt in 1 2 3 4; do
    click_at $all_screens
    holds_within "$retry_after" all_screens_is true && break
done
all_screens_is true || fail "the switch never took a click"
click_at $all_screens
wait_for "the switch to turn off" all_screens_is false

# A recording, a click on the switch, Command-Option-L, and the switch clicked once more: the
# first click only ends the recording, so the key is not recorded and the last click turns the
# switch on. Had the first click acted, the last would have turned it off again.
click_at $recorder
click_at $all_screens
xdotool key ctrl+alt+l
click_at $all_screens
wait_for "the switch to turn on from the last click alone" all_screens_is true
shortcut_is "hotkey.showOSD" 37 2304 && fail "a key was recorded after the click ended the recording"
echo "a click elsewhere ended the recording and was swallowed"

# The same recorder records when nothing else is clicked.
click_at $recorder
xdotool key ctrl+alt+l
wait_for "Command-Option-L stored for the picker" shortcut_is "hotkey.showOSD" 37 2304

# A second click on the recording recorder ends it: Command-Option-K is not recorded.
click_at $recorder
click_at $recorder
xdotool key ctrl+alt+k
click_at $all_screens
wait_for "the switch to turn off" all_screens_is false
shortcut_is "hotkey.showOSD" 37 2304 || fail "the recording went on after a second click on it"
echo "a second click on the recorder ended the recording"

xdotool key ctrl+q
expect_clean_exit
echo "passed"
