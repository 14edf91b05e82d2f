#!/usr/bin/env bash
# How long a script waits for `vesperon --next`: starts the real program (offscreen, no tray)
# on a private session bus, waits until it answers there, then times the verb against it and
# prints the fastest, median and slowest of the runs. Prints figures; never fails on them.
#
#   run-next.sh <program binary> [runs, default 50]
set -euo pipefail

BIN=$(readlink -f "$1")
RUNS=${2:-50}
TMP=$(mktemp -d)
PIDS=()
cleanup() {
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null || true; done
    for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A private portable copy whose settings say it is not the first start (no language question).
mkdir -p "$TMP/app" "$TMP/config/Quillmark/Vesperon" "$TMP/run"
chmod 700 "$TMP/run"
cp "$BIN" "$TMP/app/"
[ -f "$(dirname "$BIN")/Localization.txt" ] && cp "$(dirname "$BIN")/Localization.txt" "$TMP/app/"
printf '[Settings]\nLanguage=English\nshowHelp=0\n' >"$TMP/config/Quillmark/Vesperon/user.ini"
export HOME=$TMP XDG_CONFIG_HOME=$TMP/config XDG_RUNTIME_DIR=$TMP/run QT_QPA_PLATFORM=offscreen
export LANG=C.UTF-8 LC_ALL=C.UTF-8 DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/never

read -r BUS BUS_PID < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
PIDS+=("$BUS_PID")
export DBUS_SESSION_BUS_ADDRESS=$BUS

"$TMP/app/vesperon" >"$TMP/program.log" 2>&1 &
PIDS+=($!)
deadline=$((SECONDS + 60))
until "$TMP/app/vesperon" --next >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && { echo "the program never answered on the bus" >&2; exit 1; }
    sleep 0.1
done
"$TMP/app/vesperon" --quick "Shut Down" "In 1 Day" # something for --next to tell

for _ in $(seq "$RUNS"); do
    start=$(date +%s%N)
    "$TMP/app/vesperon" --next >/dev/null
    echo $((($(date +%s%N) - start) / 1000))
done | sort -n >"$TMP/times"
awk -v runs="$RUNS" '{ t[NR] = $1 } END {
    printf "vesperon --next against a running copy, %d runs: fastest %.1f ms, median %.1f ms, slowest %.1f ms\n",
        runs, t[1] / 1000, t[int((NR + 1) / 2)] / 1000, t[NR] / 1000 }' "$TMP/times"
