# Sourced by the scripts that start the program twice for one settings file, offscreen: their
# shared set-up (a fresh work folder with its own settings and runtime folders), waiting, failing
# with the logs of both starts, and the running copy itself.
#   source RunningCopySession.sh <program> <work folder> <log name>...
program=$1
work=$2
shift 2
logs=("$@")
timeout=${TESSARIN_E2E_TIMEOUT:-60}

first_pid=""
cleanup() {
    # Woken too, in case a script held it still: a stopped process never ends by a TERM.
    [ -n "$first_pid" ] && kill "$first_pid" 2>/dev/null && kill -CONT "$first_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*"
    for log in "${logs[@]}"; do
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
export LSAN_OPTIONS="suppressions=$(dirname "${BASH_SOURCE[0]}")/SystemLibraryLeaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
settings="$work/config/Tessarin/com.tessarin.Tessarin.json"

# Whether the first copy holds the lock named after its settings file, read from the kernel's
# list: taking the lock to see would, for that moment, keep the copy from taking it.
first_holds_lock() {
    local inode
    inode=$(stat -c %i "$(echo "$work/run/"*.lock)" 2>/dev/null) || return 1
    grep -Eq "^[0-9]+: FLOCK +ADVISORY +WRITE +$first_pid [0-9a-f]+:[0-9a-f]+:$inode " /proc/locks
}
# The running copy runs as on a desktop drawn offscreen, so it lasts until it is ended, however
# slow the machine.
start_first() {
    WAYLAND_DISPLAY=tessarin-test-desktop QT_QPA_PLATFORM=offscreen \
        "$program" >"$work/first.out" 2>"$work/first.err" &
    first_pid=$!
    await 'first_holds_lock || ! kill -0 $first_pid 2>/dev/null'
    first_holds_lock || fail "the first start never took its lock"
}
