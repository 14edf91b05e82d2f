#!/usr/bin/env bash
# How much an idle Vesperon costs: starts the real program under a private X server (Xvfb)
# with a tray host (trayer) and logind mocked on a private system bus, lets it sit idle, and
# prints its CPU time and wake-ups over one minute; first with no schedules, then with 1,000
# schedules none of which is due within the hour. Prints figures; never fails on them.
#
#   run-idle.sh <program binary> [seconds, default 60]
set -euo pipefail

SECS=${2:-60}
TMP=$(mktemp -d)
PIDS=()
# A private portable copy (the program keeps its data beside a binary in a writable folder),
# with the files shipped beside the build-tree binary.
mkdir -p "$TMP/app"
cp "$(readlink -f "$1")" "$TMP/app/"
for shipped in Localization.txt Help.chm; do
    [ -f "$(dirname "$(readlink -f "$1")")/$shipped" ] && cp "$(dirname "$(readlink -f "$1")")/$shipped" "$TMP/app/"
done
BIN=$TMP/app/$(basename "$1")
DATA=$TMP/app/data

cleanup() {
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null || true; done
    for pid in "${PIDS[@]}"; do
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$deadline" ] && { echo "timed out waiting for: $*" >&2; exit 1; }
        sleep 0.1
    done
}

export HOME=$TMP/home XDG_CONFIG_HOME=$TMP/config XDG_DATA_HOME=$TMP/data XDG_CACHE_HOME=$TMP/cache
export XDG_RUNTIME_DIR=$TMP/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$TMP/bin"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
printf '#!/bin/sh\nexit 0\n' >"$TMP/bin/xdg-open" # the help opens at the first start: not here
chmod +x "$TMP/bin/xdg-open"
export PATH=$TMP/bin:$PATH

read -r BUS BUS_PID < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
PIDS+=("$BUS_PID")
DBUS_SYSTEM_BUS_ADDRESS=$BUS /usr/bin/python3 -m dbusmock --system -t logind >"$TMP/dbusmock.log" 2>&1 &
PIDS+=($!)
wait_for 20 gdbus introspect --address "$BUS" -d org.freedesktop.login1 -o /org/freedesktop/login1
export DBUS_SYSTEM_BUS_ADDRESS=$BUS

# A private X server with a tray host in it.
start_display() {
    rm -f "$TMP/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$TMP/display" >"$TMP/xvfb.log" 2>&1 &
    XVFB=$!
    PIDS+=("$XVFB")
    wait_for 20 test -s "$TMP/display"
    export DISPLAY=:$(head -n1 "$TMP/display")
    trayer --edge top --align right --widthtype pixel --width 200 --height 24 --transparent false \
        >"$TMP/trayer.log" 2>&1 &
    TRAYER=$!
    PIDS+=("$TRAYER")
    wait_for 20 xdotool search --classname trayer
}
start_display

# A United States setting, where the schedule files below read as written.
# (env execs the program, so $! of a started copy is the program itself.)
RUN=(env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$BIN")
main_window() { xdotool search --onlyvisible --name '^Vesperon by Quillmark$'; }

# The first start asks for a language; answer it once so that the measured starts do not.
"${RUN[@]}" >"$TMP/first.log" 2>&1 &
FIRST=$!
deadline=$((SECONDS + 60))
until main_window >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && { echo "no main window at the first start" >&2; exit 1; }
    lang=$(xdotool search --onlyvisible --name '^Language Selection$' 2>/dev/null | head -n1 || true)
    [ -n "$lang" ] && xdotool key --window "$lang" Return 2>/dev/null || true
    sleep 0.3
done
kill "$FIRST"
wait "$FIRST" 2>/dev/null || true
# A key pressed into a closing window can stay down and auto-repeat into the next program on
# that display: measure on a fresh one.
kill "$TRAYER" "$XVFB"
wait "$TRAYER" "$XVFB" 2>/dev/null || true
start_display

# On-CPU nanoseconds of each live thread, as "tid ns" lines.
thread_ns() {
    for task in /proc/"$1"/task/*; do
        echo "$(basename "$task") $(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)"
    done
}
# What the threads alive at the end ran between two thread_ns lists (a pooled thread of Qt that
# ended meanwhile was idle anyway).
ns_between() { # <before file> <after file>
    awk 'NR == FNR { start[$1] = $2; next } { total += $2 - ($1 in start ? start[$1] : 0) }
         END { printf "%.1f", total / 1e6 }' "$1" "$2"
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# The main thread only: Qt's pooled threads come and go, taking their counts with them.
switches() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status"; }

measure() { # <label>
    "${RUN[@]}" >"$TMP/run.log" 2>&1 &
    local app=$!
    PIDS+=("$app")
    wait_for 60 main_window
    sleep 10 # let the start-up settle
    local ticks0 sw0 ticks1 sw1 hz
    hz=$(getconf CLK_TCK)
    ticks0=$(cpu_ticks $app) sw0=$(switches $app)
    thread_ns $app >"$TMP/ns0"
    sleep "$SECS"
    ticks1=$(cpu_ticks $app) sw1=$(switches $app)
    thread_ns $app >"$TMP/ns1"
    # Then the main thread's polls, counted by strace over the same length of time (strace
    # slows the program down, so the CPU figures above are taken without it).
    strace -f -e trace=poll,ppoll -o "$TMP/strace.log" -p "$app" 2>/dev/null &
    local tracer=$!
    sleep "$SECS"
    kill -INT "$tracer"
    wait "$tracer" 2>/dev/null || true
    local polls_main polls_all
    polls_main=$(grep -cE "^$app +(poll|ppoll)\(" "$TMP/strace.log" || true)
    polls_all=$(grep -cE "^[0-9]+ +(poll|ppoll)\(" "$TMP/strace.log" || true)
    printf '%-34s cpu %5d ms (utime+stime, %d ms ticks)  %7.1f ms (schedstat)\n' "$1" \
        $(((ticks1 - ticks0) * 1000 / hz)) $((1000 / hz)) "$(ns_between "$TMP/ns0" "$TMP/ns1")"
    printf '%-34s wake-ups/s: main thread polls %.2f, all threads polls %.2f, main thread sleeps %.2f\n' \
        "" "$(echo "$polls_main / $SECS" | bc -l)" "$(echo "$polls_all / $SECS" | bc -l)" \
        "$(echo "($sw1 - $sw0) / $SECS" | bc -l)"
    printf '%-34s memory: %s kB resident\n' "" "$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")"
    kill "$app"
    wait "$app" 2>/dev/null || true
}

echo "idle for ${SECS}s: $(readlink -f "$1")"
measure "no schedules"

# 1,000 enabled one-time schedules, all tomorrow: none due within the hour.
mkdir -p "$DATA"
tomorrow=$(date -d tomorrow +%-m/%-d/%Y)
for i in $(seq 1 1000); do
    printf '<DATA>\r\nLastRunTime=\r\nItemType=Shut Down\r\nEnabled=1\r\n</DATA>\r\n\r\n<SCHEDULER>\r\nStartDate=%s\r\nStartTime=%02d:%02d:00\r\nRepeat=0\r\nSAccurancy=0\r\nPeriod=\r\nRunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n' \
        "$tomorrow" $((i % 24)) $((i % 60)) >"$DATA/Idle $i.sch"
done
listed=$("${RUN[@]}" --list | grep -c $'\t'"$(date -d tomorrow +%-m/%-d/%Y) " || true)
[ "$listed" -eq 1000 ] || { echo "the program lists $listed schedules due tomorrow, not 1,000" >&2; exit 1; }
measure "1,000 schedules, none due soon"
