#!/usr/bin/env bash
# The host's Mission Control on a real X server, reached as a person reaches it: the picker's
# "Mission Control" button clicked with xdotool shows a full-screen view of the display's Spaces
# that takes the keys; a click on a Space's picture goes there, Escape and a click outside the
# strip leave. Exits 77 (skipped) only where Xvfb or xdotool is missing.
#   MissionControlUnderX11.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

require_tools
fresh_work_folder
settings_past_first_run
start_x_server 1600x1000

TESSARIN_OSD_METRICS=1 TESSARIN_LAUNCH_METRICS=1 start_program

mission_control_shown() { xdotool search --onlyvisible --name "^Mission Control$" >/dev/null 2>&1; }
mission_control_gone() { ! mission_control_shown; }
focus_on_mission_control() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Mission Control" ]; }
# The active cell of the latest picker drawn.
shown_active() { grep -o "event=osd.render.drawn activeIndex=[0-9]*" "$work/program.log" | tail -n 1 | sed 's/.*=//'; }

wait_for "the program to start" logged "launch.statusItem" 1
# The picker opens on the display under the pointer: the built-in one, whose part of the screen is
# the top left (the host's displays lie side by side across the top of the screen).
xdotool mousemove 300 150

# The program's largest window on screen: the picker's, while it shows, is far larger than the
# status item's.
largest_window() {
    local largest="" area=0 w
    for w in $(xdotool search --onlyvisible --classname tessarin 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ $((WIDTH * HEIGHT)) -gt "$area" ]; then
            area=$((WIDTH * HEIGHT))
            largest=$w
        fi
    done
    echo "$largest"
}
picker_shown() {
    local w
    w=$(largest_window)
    [ -n "$w" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -ge 300 ] && [ "$HEIGHT" -ge 200 ]
}

pickers=0
# The picker from its hotkey, then its footer's "Mission Control" button: 24 points square,
# 6 left of "Add desktop" at the footer's right end, as a person finds it at the panel's corner.
open_mission_control() {
    pickers=$((pickers + 1))
    xdotool key ctrl+alt+super+space
    wait_for "picker $pickers" logged "event=osd.render.drawn" "$pickers"
    wait_for "the picker's window" picker_shown
    eval "$(xdotool getwindowgeometry --shell "$(largest_window)")"
    picker_x=$((X + WIDTH / 2))
    picker_y=$((Y + HEIGHT / 2))
    xdotool mousemove $((X + WIDTH - 77)) $((Y + HEIGHT - 41)) click 1
    wait_for "Mission Control from the picker's button" mission_control_shown
    wait_for "Mission Control to have the keys" focus_on_mission_control
}
# The view of Mission Control on the picker's display.
view_under_picker() {
    local w
    for w in $(xdotool search --onlyvisible --name "^Mission Control$"); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$picker_x" -ge "$X" ] && [ "$picker_x" -lt $((X + WIDTH)) ] &&
            [ "$picker_y" -ge "$Y" ] && [ "$picker_y" -lt $((Y + HEIGHT)) ]; then
            echo "$w"
            return
        fi
    done
}

# The picture of the Space at `position` (1 for the first) in the strip of the picker's view,
# laid out as the view lays it out: up to a seventh of the width each, 20 apart, centred, 24
# from the top, in the display's proportions.
space_picture_centre() {
    local position=$1 spaces=$2 view
    view=$(view_under_picker)
    [ -n "$view" ] || fail "no view of Mission Control on the picker's display"
    eval "$(xdotool getwindowgeometry --shell "$view")"
    local tile=$((WIDTH / 7)) share=$(((WIDTH - 96 - 20 * (spaces - 1)) / spaces))
    [ "$share" -lt "$tile" ] && tile=$share
    local height=$(((tile * HEIGHT + WIDTH / 2) / WIDTH))
    local left=$(((WIDTH - spaces * tile - 20 * (spaces - 1)) / 2))
    echo "$((X + left + (position - 1) * (tile + 20) + tile / 2)) $((Y + 24 + height / 2))"
}

# Opens the picker, notes the cell it starts on in `active`, closes it, and answers whether that
# was `cell`.
picker_starts_on() {
    pickers=$((pickers + 1))
    xdotool key ctrl+alt+super+space
    wait_for "picker $pickers" logged "event=osd.render.drawn" "$pickers"
    active=$(shown_active)
    xdotool key Escape
    wait_for "the picker to close" picker_gone
    [ "$active" = "$1" ]
}
picker_gone() { ! picker_shown; }

open_mission_control
echo "shown: $(xdotool search --onlyvisible --name '^Mission Control$' | wc -l) view(s)"
[ "$(shown_active)" = "1" ] || fail "the picker started on cell $(shown_active), not on the second"
# The built-in display has six Spaces; the first is not the current one.
read -r x y <<<"$(space_picture_centre 1 6)"
xdotool mousemove "$x" "$y" click 1
wait_for "Mission Control to leave after a click on a picture" mission_control_gone
# The Dock turns the Space once its animation has run: until then the picker starts where it was.
wait_for "the first Space to be current" picker_starts_on 0
echo "switched: the picker now starts on cell $active"

open_mission_control
xdotool key Escape
wait_for "Escape to leave Mission Control" mission_control_gone
echo "Escape left"

open_mission_control
view=$(view_under_picker)
eval "$(xdotool getwindowgeometry --shell "$view")"
xdotool mousemove $((X + 10)) $((Y + HEIGHT - 10)) click 1
wait_for "a click outside the strip to leave Mission Control" mission_control_gone
echo "a click outside left"

picker_starts_on 0 || fail "Escape or a click outside switched to cell $active"

kill -TERM "$program_pid"
expect_clean_exit
echo "passed"
