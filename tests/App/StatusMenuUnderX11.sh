#!/usr/bin/env bash
# The status item's menu on a real X server, used as a person uses it: a click on the status
# item's stand-in opens the menu, and its "Switch Down" moves the display whose state the menu
# shows, the menu-bar (built-in) one, though the menu reaches over the second display's part of
# the screen. Exits 77 (skipped) only where Xvfb or xdotool is missing.
#   StatusMenuUnderX11.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

require_tools
fresh_work_folder
settings_past_first_run
start_x_server 1920x1080

TESSARIN_LAUNCH_METRICS=1 start_program

built_in="4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90"
# The host's displays lie side by side across the top of the screen at 1920 / 4072 of their
# size: the built-in one's part ends 1512 points in.
built_in_right=$((1512 * 1920 / 4072))

# The stand-in: the program's only window 30 points square.
stand_in() {
    local w
    for w in $(xdotool search --onlyvisible --classname tessarin 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -eq 30 ] && [ "$HEIGHT" -eq 30 ]; then
            echo "$w"
            return
        fi
    done
}
stand_in_shown() { [ -n "$(stand_in)" ]; }
menu_shown() {
    local w
    for w in $(xdotool search --onlyvisible --classname tessarin 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$HEIGHT" -ge 150 ] && return 0
    done
    return 1
}
describe_failure() {
    echo "--- the program's windows ---"
    for w in $(xdotool search --onlyvisible --classname tessarin 2>/dev/null); do
        xdotool getwindowgeometry "$w"
    done
}

wait_for "the program to start" logged "launch.statusItem" 1
wait_for "the status item's stand-in" stand_in_shown
eval "$(xdotool getwindowgeometry --shell "$(stand_in)")"
[ $((X + WIDTH)) -le "$built_in_right" ] ||
    fail "the stand-in ($X,$Y) does not stand over the built-in display's part (to $built_in_right)"

xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
wait_for "the status menu" menu_shown
# Show Grid, Mission Control, Add Desktop, Switch Left, Switch Right, then Switch Down: Switch Up
# is greyed on the first row and the keys pass over it.
for _ in 1 2 3 4 5 6; do
    xdotool key Down
    sleep 0.1
done
xdotool key Return
switched_built_in() {
    grep "space switch verification outcome=confirmed" "$work/program.log" |
        grep -q "key=$built_in .*before=4@1/6 after=7@4/6"
}
wait_for "Switch Down to move the built-in display a row down" switched_built_in
grep "space switch verification" "$work/program.log" | grep -v "key=$built_in" &&
    fail "the menu moved another display"
echo "passed"
