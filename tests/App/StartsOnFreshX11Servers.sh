#!/usr/bin/env bash
# The program as the first client of X servers that start over when their last client leaves (no
# -noreset, as Xvfb and a desktop before its window manager run): it starts on every one, its own
# check of the display never leaving the server empty under it. Every other server ends instead
# of starting over (-terminate), so a start-over under the program cannot pass by luck of timing.
# A screen the server does not have is named in the one line, with status 1. Exits 77 (skipped)
# only where Xvfb is missing.
#   StartsOnFreshX11Servers.sh <program> <work folder>
set -u
# shellcheck source=X11Session.sh
source "$(dirname "$0")/X11Session.sh"

rounds=${TESSARIN_FRESH_SERVER_ROUNDS:-20}

command -v Xvfb >/dev/null || skip "Xvfb is not installed"
fresh_work_folder
settings_past_first_run

stop_x_server() {
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    xvfb=""
}
started() { logged "launch.statusItem"; }
started_or_ended() { started || program_ended; }

for round in $(seq "$rounds"); do
    ends_at_reset=()
    [ $((round % 2)) -eq 0 ] && ends_at_reset=(-terminate)
    start_x_server 1600x1000 "${ends_at_reset[@]}"
    TESSARIN_LAUNCH_METRICS=1 start_program
    wait_for "start $round to show its status item or end" started_or_ended
    started || {
        wait "$program_pid"
        fail "start $round on a fresh server ended with status $? before it showed anything"
    }
    kill -0 "$xvfb" 2>/dev/null || fail "the server started over under start $round"
    # Asked to end while it may still be starting: on a loaded machine it may be cut short
    # (128 + SIGTERM), which is no abort either.
    kill -TERM "$program_pid"
    wait_for "start $round to end" program_ended
    wait "$program_pid"
    status=$?
    program_pid=""
    [ "$status" -eq 0 ] || [ "$status" -eq 143 ] || fail "start $round ended with status $status"
    stop_x_server
done
echo "started on $rounds fresh servers"

# A screen past the server's roots, or one the display name cannot hold, is not opened.
start_x_server 1600x1000
server=$DISPLAY
for screen in 5 1 2147483648 -1; do
    DISPLAY="$server.$screen" start_program
    wait_for "the start on screen '$screen' to end" program_ended
    wait "$program_pid"
    status=$?
    program_pid=""
    expected="Cannot open the X display \"$server.$screen\" (DISPLAY): start an X server there, or unset DISPLAY to run offscreen."
    [ "$status" -eq 1 ] || fail "screen '$screen' ended with status $status"
    [ "$(cat "$work/program.log")" = "$expected" ] || fail "screen '$screen' did not say: $expected"
done
echo "refused every screen the server does not have"
echo "passed"
