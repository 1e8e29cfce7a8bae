#!/usr/bin/env bash
# The health window under a window manager (openbox on Xvfb), driven as a person drives it. The
# program starts not trusted for Accessibility, so the wizard floats on that step; "Open" shows
# System Settings' Accessibility pane, which stays above the health window, active, for as long as
# the user leaves it there; a click on the health window brings it back on top. On that step the
# window lets the manager only move it, and comes back when miniaturised anyway. Exits 77 (skipped)
# only where Xvfb, xdotool or openbox is missing.
#   HealthStepsBackUnderOpenbox.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

describe_failure() {
    echo "--- stacking, bottom first ---"
    xprop -root _NET_CLIENT_LIST_STACKING _NET_ACTIVE_WINDOW 2>&1
    [ -n "${health:-}" ] && xprop -id "$health" _NET_WM_STATE 2>&1
}

require_tools openbox
command -v xprop >/dev/null || fail "xprop (x11-utils) is not installed"

fresh_work_folder
mkdir -p "$work/home"
# One display of the screen's size, the program not yet allowed to control the computer.
cat >"$work/untrusted.json" <<'JSON'
{"displays": [{"id": 1, "uuid": "UUID-MAIN", "frame": [0, 0, 1600, 1000]}],
 "spaces": [{"display": "UUID-MAIN", "spaces": [{"id": 1}, {"id": 2}, {"id": 3}]}],
 "permissions": {"accessibility": false}}
JSON
start_x_server 1600x1000

# Checks that a condition holds throughout the next `seconds`, ten times a second.
holds_for() {
    local seconds=$1 what=$2
    shift 2
    local until_time=$((SECONDS + seconds))
    while [ "$SECONDS" -le "$until_time" ]; do
        "$@" || fail "$what"
        sleep 0.1
    done
}
manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
shown() { [ -n "$(window_named "$1")" ]; }
hex() { printf '0x%x' "$1"; }
# Position of a window in the manager's stacking order, bottom first (-1 when not listed).
stack_position() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
        grep -n -x "$(hex "$1")" | cut -d: -f1 | grep . || echo -1
}
above() { [ "$(stack_position "$1")" -gt "$(stack_position "$2")" ]; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "$(hex "$1")\$"; }
floating() { xprop -id "$1" _NET_WM_STATE | grep -q "_NET_WM_STATE_ABOVE"; }

start_needed_helper openbox manager_running env HOME="$work/home" openbox --sm-disable

start_program --scenario "$work/untrusted.json"

wait_for "the health window" shown "^Tessarin Health Check$"
health=$(window_named "^Tessarin Health Check$")
wait_for "the health window to float" floating "$health"
wait_for "the health window to have the keys" active "$health"
echo "health window: $(hex "$health"), $(xprop -id "$health" _NET_WM_STATE)"

# What the window tells the manager it allows on the required step: moving only (Motif functions
# 0x4, a title and a border), an ordinary window of a size of its own; the manager, which offers
# miniaturising whatever it is told, gets the window straight back.
motif=$(xprop -id "$health" _MOTIF_WM_HINTS)
echo "$motif"
echo "$motif" | grep -q "= 0x3, 0x4, 0xa, 0x0, 0x0$" || fail "the required step allows more than moving"
xprop -id "$health" _NET_WM_WINDOW_TYPE | grep -q "_NET_WM_WINDOW_TYPE_NORMAL" ||
    fail "the health window is no ordinary window"
actions=$(xprop -id "$health" _NET_WM_ALLOWED_ACTIONS)
echo "$actions"
echo "$actions" | grep -q -E "_NET_WM_ACTION_(MAXIMIZE|RESIZE)" && fail "the manager offers zoom or resize"
not_hidden() { ! xprop -id "$health" _NET_WM_STATE | grep -q "_NET_WM_STATE_HIDDEN"; }
viewable() { xwininfo -id "$health" 2>/dev/null | grep -q "IsViewable"; }
back_in_front() { not_hidden && viewable && active "$health"; }
xdotool windowminimize "$health"
wait_for "the health window back after the manager miniaturised it" back_in_front
holds_for 1 "the health window stayed miniaturised" back_in_front

# "Open", at the right end of the Accessibility step's card.
eval "$(xdotool getwindowgeometry --shell "$health")"
xdotool mousemove $((X + 450)) $((Y + 248)) click 1
wait_for "System Settings' Accessibility pane" shown "^System Settings"
pane=$(window_named "^System Settings")
echo "pane: $(hex "$pane") $(xdotool getwindowname "$pane")"
pane_in_front() { above "$pane" "$health" && active "$pane" && ! floating "$health"; }
wait_for "the pane in front of the health window" pane_in_front
holds_for 3 "the health window came back over the pane by itself" pane_in_front
[ "$(window_named "^Tessarin Health Check$")" = "$health" ] || fail "the health window was made anew"
echo "after 3 s: $(xprop -root _NET_CLIENT_LIST_STACKING)"

# A click on the health window, clear of the pane and of its controls, brings it back on top.
xdotool mousemove $((X + 60)) $((Y + 300)) click 1
health_in_front() { above "$health" "$pane" && active "$health" && floating "$health"; }
wait_for "the health window back on top after the click" health_in_front
echo "after the click: $(xprop -root _NET_CLIENT_LIST_STACKING)"

xdotool key ctrl+q
expect_clean_exit
echo "passed"
