#!/usr/bin/env bash
# SIGTERM during the first moments of a start, while a large scenario is still being read: the
# program has taken the signals over by then, so the run ends as one signalled a moment later
# does, with status 0, not by the signal's default (143).
#   SignalDuringAStart.sh <program> <work folder>
set -u
# shellcheck source=RunningCopySession.sh
source "$(dirname "$0")/RunningCopySession.sh" "$1" "$2" start.out start.err

# A large host: 2,000 windows to read before anything is shown.
scenario="$work/large.json"
awk 'BEGIN {
    printf "{\"displays\": [{\"id\": 1, \"uuid\": \"UUID-ONE\", \"frame\": [0, 0, 1440, 900]}],\n"
    printf " \"spaces\": [{\"display\": \"UUID-ONE\", \"spaces\": [{\"id\": 1}, {\"id\": 2}]}],\n"
    printf " \"applications\": [{\"pid\": 100, \"name\": \"Busy\"}],\n \"windows\": ["
    for (n = 1; n <= 2000; n++) {
        printf "%s{\"pid\": 100, \"title\": \"Window %d\", \"bounds\": [%d, %d, 300, 200], \"spaces\": [%d]}",
            (n > 1 ? ",\n" : "\n"), n, n % 1000, n % 600, 1 + n % 2
    }
    printf "]}\n"
}' >"$scenario"

# Whether the process catches SIGTERM (bit 15 of its caught-signal mask).
catches_termination() {
    local mask
    mask=$(sed -n 's/^SigCgt:\t*//p' "/proc/$first_pid/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((0x$mask >> 14) & 1))
}
WAYLAND_DISPLAY=tessarin-test-desktop QT_QPA_PLATFORM=offscreen TESSARIN_LAUNCH_METRICS=1 \
    "$program" --scenario "$scenario" >"$work/start.out" 2>"$work/start.err" &
first_pid=$!
await 'catches_termination || ! kill -0 $first_pid 2>/dev/null' || fail "the start never took the signals over"
started=no
grep -q "launch.statusItem" "$work/start.err" && started=yes
kill -TERM "$first_pid"
await "! kill -0 $first_pid 2>/dev/null" || fail "the signalled start did not end"
wait "$first_pid"
status=$?
first_pid=""
echo "signalled with the start shown: $started; status $status"
[ "$status" -eq 0 ] || fail "the signalled start ended with status $status"
echo "passed"
