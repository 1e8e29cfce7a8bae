#!/usr/bin/env bash
# A snapshot run while a copy runs with the same settings file: it writes its picture and ends
# with status 0, reading the settings file and writing nothing into it, and leaves the running
# copy alone.
#   SnapshotBesideARunningCopy.sh <program> <work folder>
set -u
# shellcheck source=RunningCopySession.sh
source "$(dirname "$0")/RunningCopySession.sh" "$1" "$2" first.out first.err beside.out beside.err

start_first
# Its writes at the start are over once the file has stayed the same for a second.
settled() {
    local now
    now=$(stat -c '%i %s %Y' "$settings" 2>/dev/null) || return 1
    [ "$now" = "${last_seen:-}" ] && [ $((SECONDS - since)) -ge 1 ] && return 0
    [ "$now" != "${last_seen:-}" ] && last_seen=$now && since=$SECONDS
    return 1
}
since=$SECONDS
await settled || fail "the first start's settings file never settled"
# Held still while the snapshot runs, so a late write of its own (a loaded machine spreads its
# start out) is never taken for one of the snapshot run's; it keeps its lock meanwhile.
# A stop only takes hold as each thread next runs: wait until every one shows it.
all_stopped() {
    local task
    for task in /proc/"$first_pid"/task/*/stat; do
        [ "$(sed 's/.*) //' "$task" | cut -c1)" = T ] || return 1
    done
}
kill -STOP "$first_pid"
await all_stopped || fail "the running copy did not stop"
before=$(sha256sum "$settings")

"$program" --osd-snapshot-path "$work/beside.png" --show-osd-on-launch-delay 0 \
    --osd-snapshot-delay 0 >"$work/beside.out" 2>"$work/beside.err" &
beside_pid=$!
await "! kill -0 $beside_pid 2>/dev/null" || fail "the snapshot run did not end"
wait "$beside_pid"
status=$?
[ "$status" -eq 0 ] || fail "the snapshot run ended with status $status"
[ "$(cat "$work/beside.out")" = "Wrote OSD snapshot to $work/beside.png" ] ||
    fail "the snapshot run did not say it wrote its picture"
[ -s "$work/beside.png" ] || fail "no picture was written"
grep -q "launch.besideRunningCopy settingsFile=$settings settings=read-only" "$work/beside.err" ||
    fail "the snapshot run did not say it runs beside the copy"
[ "$(sha256sum "$settings")" = "$before" ] || fail "the snapshot run changed the settings file"
kill -CONT "$first_pid"
grep -q "launch.reopened" "$work/first.err" && fail "the running copy was brought forward"
kill -0 "$first_pid" 2>/dev/null || fail "the running copy ended"
echo "passed"
