#!/usr/bin/env bash
# Two starts of the program, offscreen, for one settings file: the second (no snapshot run) says
# in one line that the first runs, and ends with status 0; the first opens its preferences.
#   SecondStartBringsTheFirstForward.sh <program> <work folder>
set -u
# shellcheck source=RunningCopySession.sh
source "$(dirname "$0")/RunningCopySession.sh" "$1" "$2" first.out first.err second.out second.err

# Starts a second copy, as on a desktop (drawn offscreen) and asked for no snapshot, and checks
# it brings the running one forward.
second_start() {
    WAYLAND_DISPLAY=tessarin-test-desktop QT_QPA_PLATFORM=offscreen \
        "$program" >"$work/second.out" 2>"$work/second.err" &
    local second_pid=$!
    await "! kill -0 $second_pid 2>/dev/null" || fail "the second start did not end"
    wait "$second_pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "the second start ended with status $status"
    [ "$(cat "$work/second.out")" = "$expected" ] || fail "the second start did not say: $expected"
    await 'grep -q "launch.reopened by=another start opened=preferences" "$work/first.err"' ||
        fail "the first did not open its preferences"
    kill -0 "$first_pid" 2>/dev/null || fail "the first ended"
}
expected="Tessarin is already running with the settings file $settings: its preferences were brought forward."

start_first
second_start

# A crashed copy's lock goes with it, and the socket it left blocks no start.
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null
[ -e "$(echo "$work/run/"*.socket)" ] || fail "the crashed copy left no socket to test with"
start_first
second_start
echo "passed"
