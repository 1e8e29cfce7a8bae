#!/usr/bin/env bash
# The program's rounded panels on an X server with no compositing manager, as a person sees
# them: the desktop shows through the corners of the Space picker and of the status item's
# stand-in instead of black, the light picker is drawn in its own colour rather than dimmed by
# black, while the square grid and title overlays keep their whole rectangle; once a compositing manager runs,
# the picker shown again is whole, its corners drawn translucent. Exits 77 (skipped) only where
# Xvfb or xdotool is missing.
#   RoundedPanelsUnderX11.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

require_tools
fresh_work_folder
# The picker opens on an empty desktop, light; both overlays shown.
settings_past_first_run '"persistentGridOverlayEnabled": {"bool": true}' \
    '"persistentTitleOverlayEnabled": {"bool": true}' '"osdAppearanceMode": {"string": "light"}'
start_x_server 1600x1000

TESSARIN_OSD_METRICS=1 TESSARIN_LAUNCH_METRICS=1 start_program

wait_for "the program to start" logged "launch.statusItem"

# A desktop of one colour that is not black, so black corners would show; set once the program
# holds the display, as a server left by its last client starts over, black.
desktop="#4A7AB0"
convert -size 1600x1000 "xc:$desktop" "$work/desktop.png" || fail "could not draw the desktop"
# ImageMagick's display answers 1 even when it set the picture: look at the screen instead.
display -window root "$work/desktop.png" 2>"$work/display.log"
pixel() { convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
import -window root "$work/screen.png" || fail "could not take a picture of the screen"
[ "$(pixel 5 5)" = "${desktop#\#}" ] || fail "could not set the desktop: $(cat "$work/display.log")"

# The status item's stand-in, when no tray takes the item: a small rounded square at the top.
status_item=$(xwininfo -root -children | grep '"tessarin": ("tessarin"' | grep ' 30x30+' |
    sed -n 's/.*  30x30+\([0-9]*\)+\([0-9]*\) .*/\1 \2/p' | head -n 1)
if [ -n "$status_item" ]; then
    read -r item_left item_top <<<"$status_item"
    import -window root "$work/screen.png" || fail "could not take a picture of the screen"
    item_corner=$(pixel "$item_left" "$item_top")
    echo "status item at ${item_left},${item_top}: corner #$item_corner"
    [ "$item_corner" = "${desktop#\#}" ] ||
        fail "the status item's corner is #$item_corner, not the desktop's $desktop"
fi

# The overlays, shown from the start and hidden while the picker is: the program's viewable
# windows other than the status item's mirror.
overlay_windows() {
    local id size
    xwininfo -root -children | grep '"tessarin": ("tessarin"' |
        sed -n 's/^ *\(0x[0-9a-f]*\) .*  \([0-9]*x[0-9]*\)+.*/\1 \2/p' | grep -v ' 30x30$' |
        while read -r id size; do
            xwininfo -id "$id" | grep -q "Map State: IsViewable" && echo "$id $size"
        done
}
two_overlays() { [ "$(overlay_windows | wc -l)" -ge 2 ]; }
wait_for "the overlays" two_overlays
while read -r id size; do
    xwininfo -shape -id "$id" | grep -q "No window shape defined" ||
        fail "the overlay window $id ($size) was cut to a shape"
done < <(overlay_windows)
echo "overlays left whole: $(overlay_windows | wc -l)"

xdotool key ctrl+alt+super+space
wait_for "the picker" logged "event=picker.started"
# The picker is the program's largest shown window.
picker_geometry() {
    xwininfo -root -children 2>/dev/null | grep '"tessarin"' |
        sed -n 's/.*  \([0-9]*\)x\([0-9]*\)+\(-*[0-9]*\)+\(-*[0-9]*\) .*/\1 \2 \3 \4/p' |
        sort -n -r | head -n 1
}
picker_shown() {
    read -r width height left top <<<"$(picker_geometry)"
    [ "${width:-0}" -ge 300 ]
}
wait_for "the picker's window" picker_shown
# Drawn some time after it is shown: the screen is looked at until its top edge is, and its
# corner shows the desktop.
look() {
    import -window root "$work/screen.png" 2>/dev/null || return 1
    corner=$(pixel $((left + 1)) $((top + 1)))
    inside=$(pixel $((left + width / 2)) $((top + 4)))
}
top_edge_drawn() { look && [ "$inside" != "${desktop#\#}" ]; }
corner_shows_desktop() { look && [ "$corner" = "${desktop#\#}" ]; }
wait_for "the picker's top edge to be drawn" top_edge_drawn
holds_within "$timeout" corner_shows_desktop
echo "picker ${width}x${height} at ${left},${top}: corner #$corner, top edge #$inside"
[ "$corner" = "${desktop#\#}" ] || fail "the picker's corner is #$corner, not the desktop's $desktop"
# The light backdrop beside the cells stands on its appearance's ground, not on black (#bfbfbf).
body=$(pixel $((left + 8)) $((top + height / 2)))
echo "picker's backdrop beside the cells: #$body"
[ "$body" = "F0F0F0" ] || fail "the picker's backdrop is #$body, not its own light #F0F0F0"


shaped() { ! xwininfo -shape -id "$1" | grep -q "No window shape defined"; }
# The shown picker's window: the program's viewable window of the picker's size.
shown_picker() {
    local id
    for id in $(xwininfo -root -children | grep "  ${width}x${height}+" |
        sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        xwininfo -id "$id" | grep -q "Map State: IsViewable" && echo "$id"
    done | head -n 1
}
picker_id=$(shown_picker)
[ -n "$picker_id" ] || fail "no window id for the picker"
shaped "$picker_id" || fail "the picker was not cut to its shape without a compositing manager"
xdotool key Escape
picker_hidden() { [ -z "$(shown_picker)" ]; }
wait_for "the picker to close" picker_hidden

# With a compositing manager the picker is shown whole again.
command -v xcompmgr >/dev/null || fail "xcompmgr is not installed (scripts/setup.sh installs it)"
xcompmgr >"$work/xcompmgr.log" 2>&1 &
compositor=$!
keep_helper "$compositor"
sleep 1
kill -0 "$compositor" 2>/dev/null || fail "xcompmgr did not start: $(cat "$work/xcompmgr.log")"
xdotool key ctrl+alt+super+space
picker_again() { [ -n "$(shown_picker)" ]; }
wait_for "the picker again" picker_again
whole() { ! shaped "$(shown_picker)"; }
wait_for "the picker to be whole under a compositing manager" whole
echo "under a compositing manager the picker is whole"
xdotool key Escape
stop_helper "$compositor" "the compositing manager"

kill -TERM "$program_pid"
expect_clean_exit
echo "passed"
