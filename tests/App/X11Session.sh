# What the end-to-end scripts share: a work folder, an X server of their own, the program started
# on it, and ways to wait on what it logs and stores. Sourced by a script run as
#   <script> <program> <work folder>
# Sourcing only sets defaults and defines functions; the script calls them in its own order.

program=${1:-}
work=${2:-}
# Generous, as a loaded machine running the tests side by side is slow to draw.
timeout=${TESSARIN_E2E_TIMEOUT:-60}
# How long a step a person would take again when it did not take (a click landing while a window
# was still taking the keys) is given before it is: generous too, as a late answer to the first
# would be undone by the second.
retry_after=$((timeout / 4))
settings="$work/config/Tessarin/com.tessarin.Tessarin.json"
session_dir=$(dirname "${BASH_SOURCE[0]}")
xvfb=""
program_pid=""
# Processes started alongside the program (a first copy, a window manager, a compositor).
helper_pids=()

skip() {
    echo "skipped: $*"
    exit 77
}
# A script may define describe_failure to print what it knows of the screen before the log.
fail() {
    echo "FAILED: $*"
    declare -F describe_failure >/dev/null && describe_failure
    echo "--- program output ---"
    cat "$work/program.log" 2>/dev/null
    exit 1
}

# Skips unless every named command is installed; Xvfb and xdotool are always needed.
require_tools() {
    local tool
    for tool in Xvfb xdotool "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}

fresh_work_folder() {
    [ -n "$program" ] && [ -n "$work" ] || fail "usage: $0 <program> <work folder>"
    rm -rf "$work"
    mkdir -p "$work/config/Tessarin"
}

# Writes a settings file past the first-run setup, so no window of the program has the keys at
# the start; each argument is one more "key": value entry.
settings_past_first_run() {
    local entry
    {
        printf '{"healthCheck.firstRunSetupShown": {"bool": true},\n'
        printf ' "healthCheck.missionControlShortcutPresetApplied": {"bool": true},\n'
        printf ' "healthCheck.spacePracticeSkipped": {"bool": true}'
        for entry in "$@"; do printf ',\n %s' "$entry"; done
        printf '}\n'
    } >"$settings"
}

cleanup() {
    local pid
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    for pid in "${helper_pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}

# Starts an X server of the given size (1600x1000), with any more options of Xvfb given, and
# points this script at it. The server picks a free display number itself and writes it back
# once it takes connections, so scripts run side by side never collide. No client connects just
# to check it: the server starts over each time its last client leaves, so the first to connect
# is one that stays (the program, a window manager).
start_x_server() {
    local attempt
    trap cleanup EXIT
    server_answered_or_ended() { [ -s "$work/display" ] || ! kill -0 "$xvfb" 2>/dev/null; }
    # A server that cannot start is a failure, not a skip: the test's checks would not run.
    for attempt in 1 2 3; do
        rm -f "$work/display"
        Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp "${@:2}" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
        xvfb=$!
        holds_within "$timeout" server_answered_or_ended
        [ -s "$work/display" ] && break
        kill "$xvfb" 2>/dev/null
        echo "Xvfb did not start, try $attempt: $(cat "$work/xvfb.log")"
    done
    [ -s "$work/display" ] || fail "Xvfb could not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # A sanitizer build of the program reports the system libraries' process-wide caches as leaks.
    export LSAN_OPTIONS="suppressions=$session_dir/SystemLibraryLeaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
}

# Notes a process started alongside the program, so it ends with the script.
keep_helper() { helper_pids+=("$1"); }
# Starts a helper the test needs (a window manager) and waits until a check says it is ready:
#   start_needed_helper <name> <ready check> <command>...
# One that ends before it is ready (it connected just as the server started over, its first
# client having left) is started again; one that never gets ready fails the test, as its checks
# would not run: only a helper that is not installed is a skip.
start_needed_helper() {
    local what=$1 ready=$2 attempt
    shift 2
    command -v "$1" >/dev/null || skip "$1 is not installed"
    for attempt in 1 2 3 4 5; do
        "$@" >"$work/$what.log" 2>&1 &
        needed_helper_pid=$!
        keep_helper "$needed_helper_pid"
        needed_helper_ready_or_ended() { "$ready" || ! kill -0 "$needed_helper_pid" 2>/dev/null; }
        holds_within "$timeout" needed_helper_ready_or_ended
        "$ready" && return 0
        kill -0 "$needed_helper_pid" 2>/dev/null && fail "$what did not get ready: $(cat "$work/$what.log")"
        echo "$what ended before it was ready, try $attempt: $(cat "$work/$what.log")"
    done
    fail "$what could not start: $(cat "$work/$what.log")"
}
# Ends a helper now, and waits until it has: stop_helper <pid> <what it is>.
stop_helper() {
    local pid=$1 what=$2 others=() other
    kill -TERM "$pid" 2>/dev/null
    helper_ended() { ! kill -0 "$pid" 2>/dev/null; }
    wait_for "$what to end" helper_ended
    wait "$pid" 2>/dev/null
    for other in "${helper_pids[@]}"; do
        [ "$other" = "$pid" ] || others+=("$other")
    done
    helper_pids=("${others[@]}")
}

# Starts the program with its settings in the work folder and its output in program.log; the
# arguments go to the program. Variables set before the call reach its environment.
start_program() {
    # Gone before the start, as a log of an earlier start would be read until the new one is made.
    rm -f "$work/program.log"
    XDG_CONFIG_HOME="$work/config" "$program" "$@" >"$work/program.log" 2>&1 &
    program_pid=$!
}
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
# Waits for the program, asked to quit, to end, and fails unless it ended well.
expect_clean_exit() {
    wait_for "the program to quit" program_ended
    wait "$program_pid"
    local status=$?
    program_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Whether a condition holds within so many seconds, checking ten times a second.
holds_within() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
# Waits until a condition holds, and fails when it does not within the time-out.
wait_for() {
    local what=$1
    shift
    holds_within "$timeout" "$@" || fail "timed out waiting for $what"
}

# How many lines of the program's log hold a text, and whether at least so many (1) do.
count() {
    local n
    n=$(grep -c -- "$1" "$work/program.log" 2>/dev/null)
    echo "${n:-0}"
}
logged() { [ "$(count "$1")" -ge "${2:-1}" ]; }

# The settings file stores a shortcut as base64 of its JSON.
stored_shortcut() {
    local data
    data=$(tr -d ' \n' <"$settings" | grep -o "\"$1\":{\"data\":\"[^\"]*\"" | sed 's/.*"data":"//; s/"$//')
    [ -n "$data" ] && printf '%s' "$data" | base64 -d 2>/dev/null
}
shortcut_is() { stored_shortcut "$1" | grep -q "\"keyCode\":$2,.*\"modifiers\":$3"; }

window_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
