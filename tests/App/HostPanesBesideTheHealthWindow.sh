#!/usr/bin/env bash
# The host's Desktop & Dock pane opened from the setup wizard under a window manager (openbox on
# Xvfb), as a person opens it: "Next" on the keyboard step, "Open" on "Auto re-arrange Spaces".
# The pane opens beside the floating health window, clear of its frame; moved over it, the pane
# comes above it with a click, and the health window with a click on it. The wizard keeps
# floating throughout. Exits 77 (skipped) only where Xvfb, xdotool or openbox is missing.
#   HostPanesBesideTheHealthWindow.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

describe_failure() {
    echo "--- stacking, bottom first ---"
    xprop -root _NET_CLIENT_LIST_STACKING _NET_ACTIVE_WINDOW 2>&1
    [ -n "${health:-}" ] && echo "health: $(frame_of "$health")"
    [ -n "${pane:-}" ] && echo "pane: $(frame_of "$pane")"
    import -window root "$work/screen.png" 2>/dev/null && echo "screen: $work/screen.png"
}

require_tools openbox
command -v xprop >/dev/null || fail "xprop (x11-utils) is not installed"

fresh_work_folder
mkdir -p "$work/home"
# One display of the screen's size whose Spaces are shared and rearranged by use; the program
# already trusted and allowed to record the screen.
cat >"$work/shared.json" <<'JSON'
{"displays": [{"id": 1, "uuid": "UUID-MAIN", "frame": [0, 0, 1920, 1080]}],
 "separateSpaces": false,
 "spaces": [{"display": "Main", "spaces": [{"id": 1}, {"id": 2}, {"id": 3}]}],
 "permissions": {"accessibility": true, "screenCapture": true},
 "preferenceDomains": {"com.apple.dock": {"mru-spaces": true}}}
JSON
start_x_server 1920x1080

manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
shown() { [ -n "$(window_named "$1")" ]; }
hex() { printf '0x%x' "$1"; }
stack_position() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
        grep -n -x "$(hex "$1")" | cut -d: -f1 | grep . || echo -1
}
above() { [ "$(stack_position "$1")" -gt "$(stack_position "$2")" ]; }
floating() { xprop -id "$1" _NET_WM_STATE | grep -q "_NET_WM_STATE_ABOVE"; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "$(hex "$1")\$"; }
# A window's frame on the screen, title bar and border included: "x y width height".
frame_of() {
    local extents left right top bottom
    eval "$(xdotool getwindowgeometry --shell "$1")"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    echo "$((X - left)) $((Y - top)) $((WIDTH + left + right)) $((HEIGHT + top + bottom))"
}
frames_overlap() {
    local ax ay aw ah bx by bw bh
    read -r ax ay aw ah <<<"$(frame_of "$1")"
    read -r bx by bw bh <<<"$(frame_of "$2")"
    [ "$ax" -lt $((bx + bw)) ] && [ "$bx" -lt $((ax + aw)) ] &&
        [ "$ay" -lt $((by + bh)) ] && [ "$by" -lt $((ay + ah)) ]
}
# The screen has room beside the wizard: the whole pane shows there.
pane_clear() { ! frames_overlap "$pane" "$health"; }

start_needed_helper openbox manager_running env HOME="$work/home" openbox --sm-disable

start_program --scenario "$work/shared.json"
wait_for "the health window" shown "^Tessarin Health Check$"
health=$(window_named "^Tessarin Health Check$")
wait_for "the health window to float" floating "$health"

# The keyboard step first: "Next" at its lower right.
eval "$(xdotool getwindowgeometry --shell "$health")"
xdotool mousemove $((X + 458)) $((Y + 313)) click 1

# "Open", at the right end of the step's card, clicked again until the step shows and takes it.
click_open() {
    local tries
    eval "$(xdotool getwindowgeometry --shell "$health")"
    xdotool mousemove $((X + 450)) $((Y + 247)) click 1
    for tries in $(seq 10); do
        shown "^System Settings — Desktop & Dock" && return 0
        sleep 0.1
    done
    return 1
}
wait_for "System Settings' Desktop & Dock pane" click_open
pane=$(window_named "^System Settings")
wait_for "the pane to show whole beside the health window" pane_clear
floating "$health" || fail "the health window stopped floating"
echo "beside: health $(frame_of "$health"), pane $(frame_of "$pane")"
import -window root "$work/beside.png" 2>/dev/null

# Moved over the health window, the pane comes above it with a click, and the health window
# comes back above it with a click on it.
xdotool windowmove "$pane" 100 100
moved() { [ "$(frame_of "$pane" | cut -d' ' -f1)" -lt 300 ]; }
wait_for "the pane over the health window" moved
xdotool mousemove 85 344 click 1
health_above() { above "$health" "$pane" && active "$health"; }
wait_for "the health window above the pane after a click on it" health_above
xdotool mousemove 700 600 click 1
pane_above() { above "$pane" "$health" && active "$pane"; }
wait_for "the pane above the health window after a click on it" pane_above
floating "$health" || fail "the health window stopped floating"
import -window root "$work/above.png" 2>/dev/null

xdotool key ctrl+q
expect_clean_exit
echo "passed"
