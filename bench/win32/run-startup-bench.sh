#!/usr/bin/env bash
# The program's start-up under Wine beside a plain window with as many
# controls of each kind (bench/win32/plain_window.cpp): both started in turn
# from fresh processes in a private virtual display, in a Wine prefix of the
# benchmark's own (so that it neither waits for nor disturbs the Wine tests'),
# whose server stays up between the runs.
#   run-startup-bench.sh WIN32_BUILD STARTUP_BENCH [--runs=N] [--warmup=N]
# WIN32_BUILD holds vk47_Orvane.exe and bench/plain_window.exe; STARTUP_BENCH
# is the native driver (dialog_startup_bench). Prints its figures, and then
# the time of a run at the quick pace, which shows no window, from its start
# to its end (ORVANE_QUICK_RUNS runs, 15 unless set).
set -euo pipefail
WIN32_BUILD=${1:?usage: run-startup-bench.sh WIN32_BUILD STARTUP_BENCH [OPTIONS]}
BENCH=$(cd "$(dirname "${2:?usage: run-startup-bench.sh WIN32_BUILD STARTUP_BENCH [OPTIONS]}")" && pwd)/$(basename "$2")
shift 2
here=$(cd "$(dirname "$0")" && pwd)
SOURCE_DIR=$(cd "$here/../.." && pwd)
WINE_SCRIPTS="$SOURCE_DIR/frontends/win32/tests/wine"
WIN32_BUILD=$(cd "$WIN32_BUILD" && pwd)
export ORVANE_WINEPREFIX="$WIN32_BUILD/bench-wineprefix"
bash "$WINE_SCRIPTS/prepare-prefix.sh" "$WIN32_BUILD"
source "$WINE_SCRIPTS/wine-env.sh"
require_prefix
ensure_japanese_locale
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

PROGRAM="$WIN32_BUILD/vk47_Orvane.exe"
PLAIN="$WIN32_BUILD/bench/plain_window.exe"
[ -f "$PROGRAM" ] || die "$PROGRAM is missing: build it with 'make win32-programs'"
[ -f "$PLAIN" ] || die "$PLAIN is missing"
[ -x "$BENCH" ] || die "$BENCH is missing"

# Each program in a folder of its own; the program's holds the files of a
# usual run (the exchange file and the settings file of the Wine tests), so
# that it shows its dialog, filled, with the notice.
WORK="$WIN32_BUILD/bench-startup"
rm -rf "$WORK"
mkdir -p "$WORK/program" "$WORK/plain"
cp "$PROGRAM" "$WORK/program/"
cp "$PLAIN" "$WORK/plain/"
DATA="$WINE_SCRIPTS/../data"
for f in JWC_TEMP.TXT vk38.dat; do
  iconv -f UTF-8 -t CP932 "$DATA/$f" | sed 's/$/\r/' >"$WORK/program/$f"
done

trap 'timeout 30 wineserver -k >/dev/null 2>&1 || true; stop_session' EXIT
start_display
# The server and Wine's own processes stay up between the runs, as they do
# on a desktop where other Windows programs run.
wineserver -p
# A Windows program stays open throughout, as the host does that starts the
# program: without one, Wine ends its desktop process shortly after each
# run, and the next start would have to start it again.
mkfifo "$WORK/keep"
wine cmd.exe <"$WORK/keep" >/dev/null 2>&1 &
exec 7>"$WORK/keep"
timeout 60 wine cmd /c exit >/dev/null 2>&1 || true
# The processor time of a start counts that of the Wine server of this prefix
# and of the X server as well: much of a window's work is done there.
servers=$XVFB_PID
for pid in $(pgrep '^wineserver' || true); do
  if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    servers="$servers,$pid"
  fi
done
status=0
"$BENCH" --servers="$servers" "$@" "$WORK/plain/plain_window.exe" "Plain window" \
  "$WORK/program/vk47_Orvane.exe" Orvane || status=$?

# A run at the quick pace shows no window: its time is from its start to its
# end, started as the driver starts the others, on the worked example (put
# back before each run, outside the time), which it draws.
QUICK_RUNS=${ORVANE_QUICK_RUNS:-15}
GOLDEN="$SOURCE_DIR/tests/data/worked_example"
mkdir -p "$WORK/quick"
cp "$PROGRAM" "$WORK/quick/"
quick_ms=()
for ((i = 0; i < QUICK_RUNS; i++)); do
  cp "$GOLDEN/JWC_TEMP.TXT" "$GOLDEN/vk38.dat" "$WORK/quick/"
  start=$(date +%s%N)
  sh -c 'cd "$1" && exec wine "$2" /quick' sh "$WORK/quick" "$WORK/quick/vk47_Orvane.exe" \
    </dev/null >/dev/null 2>&1 || die "the quick run failed"
  end=$(date +%s%N)
  head -n 1 "$WORK/quick/JWC_TEMP.TXT" | grep -qx $'hr\r' || die "the quick run drew nothing"
  quick_ms+=("$(((end - start) / 100000))")  # tenths of a millisecond
done
sorted=($(printf '%s\n' "${quick_ms[@]}" | sort -n))
tenths() { printf '%d.%d ms' $(($1 / 10)) $(($1 % 10)); }
echo "quick run (/quick), start to exit, $QUICK_RUNS runs: median $(tenths "${sorted[$((QUICK_RUNS / 2))]}")," \
  "least $(tenths "${sorted[0]}"), greatest $(tenths "${sorted[$((QUICK_RUNS - 1))]}")"
exit "$status"
