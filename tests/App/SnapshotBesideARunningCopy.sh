#!/usr/bin/env bash
# A snapshot run while a copy runs with the same settings file: it writes its picture and ends
# with status 0, reading the settings file and writing nothing into it, and leaves the running
# copy alone.
#   SnapshotBesideARunningCopy.sh <program> <work folder>
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
    for log in first.out first.err beside.out beside.err; do
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

# The running copy, as on a desktop drawn offscreen: it lasts until it is ended.
WAYLAND_DISPLAY=tessarin-test-desktop QT_QPA_PLATFORM=offscreen \
    "$program" >"$work/first.out" 2>"$work/first.err" &
first_pid=$!
# Read from the kernel's list: taking the lock to see would, for that moment, keep it from the copy.
first_holds_lock() {
    local inode
    inode=$(stat -c %i "$(echo "$work/run/"*.lock)" 2>/dev/null) || return 1
    grep -Eq "^[0-9]+: FLOCK +ADVISORY +WRITE +$first_pid [0-9a-f]+:[0-9a-f]+:$inode " /proc/locks
}
await first_holds_lock || fail "the first start never took its lock"
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
grep -q "launch.reopened" "$work/first.err" && fail "the running copy was brought forward"
kill -0 "$first_pid" 2>/dev/null || fail "the running copy ended"
echo "passed"
