#!/usr/bin/env bash
# A desktop start made while a snapshot run works with the same settings file runs: the snapshot
# run is no copy to defer to, so the start takes the guard, says nothing of a running copy, and
# both end well.
#   DesktopStartBesideASnapshotRun.sh <program> <work folder>
set -u
# shellcheck source=RunningCopySession.sh
source "$(dirname "$0")/RunningCopySession.sh" "$1" "$2" snapshot.out snapshot.err first.out first.err

# A snapshot run that lasts: its picture is written only after some seconds.
TESSARIN_LAUNCH_METRICS=1 "$program" --osd-snapshot-path "$work/picture.png" --show-osd-on-launch-delay 0 \
    --osd-snapshot-delay 8 >"$work/snapshot.out" 2>"$work/snapshot.err" &
snapshot_pid=$!
await "grep -q launch.statusItem '$work/snapshot.err' || ! kill -0 $snapshot_pid 2>/dev/null"
kill -0 "$snapshot_pid" 2>/dev/null || fail "the snapshot run ended before the desktop start"

start_first
kill -0 "$snapshot_pid" 2>/dev/null || fail "the snapshot run ended before the desktop start took its lock"
grep -q "already running" "$work/first.out" && fail "the desktop start deferred to the snapshot run"

await "! kill -0 $snapshot_pid 2>/dev/null" || fail "the snapshot run did not end"
wait "$snapshot_pid"
status=$?
[ "$status" -eq 0 ] || fail "the snapshot run ended with status $status"
[ -s "$work/picture.png" ] || fail "the snapshot run wrote no picture"

kill -0 "$first_pid" 2>/dev/null || fail "the desktop start did not keep running"
kill -TERM "$first_pid"
await "! kill -0 $first_pid 2>/dev/null" || fail "the desktop start did not end"
wait "$first_pid"
status=$?
first_pid=""
[ "$status" -eq 0 ] || fail "the desktop start ended with status $status"
echo "passed"
