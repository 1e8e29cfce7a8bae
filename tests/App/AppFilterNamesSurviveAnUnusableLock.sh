#!/usr/bin/env bash
# Names typed into the App Filter on a real X server, as a person types them, then SIGTERM: every
# name is in the settings file afterwards, whatever sits at the name of the settings lock (a
# link, a folder, another user's file, root's file under a run as another user, a lock another
# user opened while it was open to others and holds), and a lock file found open to others is
# made the user's alone. Exits 77 (skipped) only where Xvfb or xdotool
# is missing.
#   AppFilterNamesSurviveAnUnusableLock.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

require_tools
fresh_work_folder
start_x_server 1600x1000

lock="$settings.lock"
nobody=65534
# A command, not a function: a function run in the background is a shell of its own, and its pid
# would not be the program's.
as_nobody=(setpriv --reuid=$nobody --regid=$nobody --clear-groups)

# Each case makes what sits at the lock's name and says what the run must log about it.
case_link() { ln -s "$work/elsewhere" "$lock"; unusable="Too many levels of symbolic links"; }
case_folder() { mkdir "$lock"; unusable="Is a directory"; }
case_another_users() {
    : >"$lock"
    chown "$nobody:$nobody" "$lock"
    unusable="the lock file belongs to user $nobody"
}
case_open_to_others() {
    : >"$lock"
    chmod 0644 "$lock"
    unusable=""
}
# Root's lock, left by a run under sudo, and the program run as another user.
case_roots_under_another_user() {
    : >"$lock"
    chmod 0644 "$lock"
    chown -R "$nobody:$nobody" "$work/config" "$work/run"
    chown root:root "$lock"
    run_as=("${as_nobody[@]}")
    unusable="Permission denied"
}

# A lock left open to others by an older program, which another user opened then and holds (a
# shared lock, as a reader may take): made the user's alone, it is still held.
case_held_by_another_user() {
    : >"$lock"
    chmod 0644 "$lock"
    chmod o+rx "$work" "$work/config" "$work/config/Tessarin"
    # --close: held by flock itself, so ending it lets go. Its output goes nowhere, so a sleep
    # left behind never keeps the test's output open.
    "${as_nobody[@]}" flock --close --shared "$lock" sleep 600 >/dev/null 2>&1 </dev/null &
    other_holder=$!
    keep_helper "$other_holder"
    local inode
    inode=$(stat -c %i "$lock")
    other_holds() { grep -q "FLOCK .*:$inode 0 EOF" /proc/locks; }
    wait_for "user $nobody to hold the lock" other_holds
    unusable="the lock is held by a process of user $nobody"
}

# The preferences, brought forward by a second start, on the System page; its App Filter sheet.
open_app_filter() {
    "${run_as[@]}" env XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" "$program" \
        >"$work/second.log" 2>&1 || fail "the second start failed: $(cat "$work/second.log")"
    wait_for "the preferences" window_shown "Settings$"
    local window
    window=$(xdotool search --onlyvisible --name "Settings$" | head -n 1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local attempt
    for attempt in 1 2 3 4; do
        xdotool mousemove $((X + 242)) $((Y + 25)) click 1 # the System page
        holds_within "$retry_after" window_shown "^System Settings$" && break
    done
    window_shown "^System Settings$" || fail "the System page never showed"
    for attempt in 1 2 3 4; do
        xdotool mousemove $((X + 596)) $((Y + 419)) click 1 # App filter's "Configure"
        holds_within "$retry_after" window_shown "^App Filter$" && break
    done
    window_shown "^App Filter$" || fail "the App Filter sheet never opened"
}

typed_names_stored() {
    local name
    for name in Safari Mail Notes; do
        tr -d ' \n' <"$settings" | grep -q "{\"string\":\"$name\"}" || return 1
    done
}

for case in case_link case_folder case_another_users case_open_to_others \
    case_roots_under_another_user case_held_by_another_user; do
    echo "--- $case"
    rm -rf "$work/config" "$work/run" "$work/elsewhere"
    mkdir -p "$work/config/Tessarin" "$work/run"
    chmod 0700 "$work/run"
    settings_past_first_run
    run_as=()
    if [ "$case" = case_held_by_another_user ]; then
        [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && command -v flock >/dev/null || {
            echo "not run: it needs root, setpriv and flock"
            continue
        }
    fi
    if [ "$case" = case_roots_under_another_user ]; then
        [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null || {
            echo "not run: it needs root and setpriv"
            continue
        }
        chmod o+rx "$work"
        "${as_nobody[@]}" test -x "$program" || {
            echo "not run: user $nobody cannot reach the program"
            continue
        }
    fi
    "$case"
    rm -f "$work/program.log"
    "${run_as[@]}" env XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" \
        TESSARIN_LAUNCH_METRICS=1 "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    wait_for "the program to start" logged "launch.statusItem" 1
    open_app_filter
    for name in Safari Mail Notes; do
        xdotool type --delay 20 "$name"
        xdotool key Return
    done
    # As a person waits to see the names listed, then quits as a session ends it.
    wait_for "the typed names to be stored" typed_names_stored
    kill -TERM "$program_pid"
    expect_clean_exit
    typed_names_stored || fail "$case: not every typed name is in the settings file: $(cat "$settings")"
    if [ -n "$unusable" ]; then
        logged "defaults.lock.unusable .*$unusable" ||
            fail "$case: the unusable lock was not said with its reason"
    fi
    [ ! -e "$work/elsewhere" ] || fail "$case: the link's target was made"
    if [ "$case" = case_open_to_others ]; then
        [ "$(stat -c %a "$lock")" = 600 ] || fail "the lock is still mode $(stat -c %a "$lock")"
        [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null &&
            "${as_nobody[@]}" cat "$lock" 2>/dev/null && fail "another user can still open the lock"
    fi
    if [ "$case" = case_held_by_another_user ]; then
        pkill -P "$other_holder" sleep # flock ends with its command
        stop_helper "$other_holder" "user $nobody's hold"
    fi
    echo "$case: Safari, Mail and Notes stored"
done
echo "passed"
