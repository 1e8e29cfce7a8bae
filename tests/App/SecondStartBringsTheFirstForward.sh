#!/usr/bin/env bash
# Two starts of the program, offscreen, for one settings file: the second (no snapshot run) says
# in one line that the first runs, and ends with status 0; the first opens its preferences.
#   SecondStartBringsTheFirstForward.sh <program> <work folder>
set -u
program=$1
work=$2
timeout=${TESSARIN_E2E_TIMEOUT:-60}

first_pid=""
cleanup() {
    [ -n "$first_pid" ] && kill "$first_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*"
    for log in first.out first.err second.out second.err; do
        echo "--- $log ---"
        cat "$work/$log" 2>/dev/null
    done
    exit 1
}
# Waits until a condition holds, checking ten times a second.
await() {
    local deadline=$((SECONDS + timeout))
    until eval "$1"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

rm -rf "$work"
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
export LSAN_OPTIONS="suppressions=$(dirname "$0")/SystemLibraryLeaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
settings="$work/config/Tessarin/com.tessarin.Tessarin.json"

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
# Whether the first copy holds the lock named after its settings file, read from the kernel's
# list: taking the lock to see would, for that moment, keep the copy from taking it.
first_holds_lock() {
    local lock inode
    lock=$(echo "$work/run/"*.lock)
    inode=$(stat -c %i "$lock" 2>/dev/null) || return 1
    grep -Eq "^[0-9]+: FLOCK +ADVISORY +WRITE +$first_pid [0-9a-f]+:[0-9a-f]+:$inode " /proc/locks
}
# The first runs as on a desktop drawn offscreen, so it lasts until it is ended, however slow
# the machine.
start_first() {
    WAYLAND_DISPLAY=tessarin-test-desktop QT_QPA_PLATFORM=offscreen \
        "$program" >"$work/first.out" 2>"$work/first.err" &
    first_pid=$!
    await 'first_holds_lock || ! kill -0 $first_pid 2>/dev/null'
    first_holds_lock || fail "the first start never took its lock"
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
