#!/usr/bin/env bash
# The program's start-up under Wine as the host starts it, beside a plain
# window with as many controls of each kind (bench/win32/plain_window.cpp)
# and a minimal window (the same program started with /minimal): a Windows
# program (startup_launcher.exe) inside one running Wine session, in a Wine
# prefix of the benchmark's own, starts each in turn with CreateProcess and
# times it to its window shown and painted (a quick run, /quick, which shows
# no window, from its start to its end); then each is started once more to
# count its Wine server requests up to that point.
#   run-startup-bench.sh WIN32_BUILD STARTUP_BENCH [--runs=N] [--warmup=N]
# WIN32_BUILD holds vk47_Orvane.exe, bench/plain_window.exe and
# bench/startup_launcher.exe; STARTUP_BENCH is the native driver
# (dialog_startup_bench). Prints its figures.
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
LAUNCHER="$WIN32_BUILD/bench/startup_launcher.exe"
for f in "$PROGRAM" "$PLAIN" "$LAUNCHER"; do
  [ -f "$f" ] || die "$f is missing: build it with 'make bench-startup'"
done
[ -x "$BENCH" ] || die "$BENCH is missing"

# Each program in a folder of its own. The program's holds the files of the
# shipped example of a continued chain, put back before each run (by the
# launcher, from pristine/), so that it shows its dialog filled, with its
# notice.
WORK="$WIN32_BUILD/bench-startup"
rm -rf "$WORK"
mkdir -p "$WORK/program/pristine" "$WORK/plain"
cp "$PROGRAM" "$WORK/program/"
cp "$PLAIN" "$WORK/plain/"
cp "$SOURCE_DIR/examples/continue_chain/JWC_TEMP.TXT" "$SOURCE_DIR/examples/continue_chain/vk38.dat" \
  "$WORK/program/pristine/"
TRACE="$WORK/server-trace.txt"

trap 'timeout 30 wineserver -k >/dev/null 2>&1 || true; stop_session' EXIT
start_display
# The server of this prefix, in the foreground of a background job so that
# its standard error, where it traces requests once a counted run asks it to,
# goes to the trace file. It and Wine's own processes stay up between the
# runs, as they do on a desktop where the host runs.
wineserver -f -p 2>"$TRACE" &
server=$!
# It listens once its socket is there, in the folder it works in; a Wine
# program started before that would start a server of its own.
socket="/proc/$server/cwd/socket"
for _ in $(seq 100); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || die "the Wine server did not start"
# A Windows program stays open throughout, as the host does: without one,
# Wine ends its desktop process shortly after each run, and the next start
# would have to start it again.
mkfifo "$WORK/keep"
wine cmd.exe <"$WORK/keep" >/dev/null 2>&1 &
exec 7>"$WORK/keep"
timeout 60 wine cmd /c exit >/dev/null 2>&1 || true

program=$(winepath -w "$WORK/program/vk47_Orvane.exe")
plain=$(winepath -w "$WORK/plain/plain_window.exe")
subjects=(program "$program" - Orvane
          plain "$plain" - "Plain window"
          minimal "$plain" /minimal "Minimal window")
# The quick run (a continuation without a window), timed from its start to
# its end, where the program has one: started once with /quick, it ends by
# itself (a program without it would wait in its dialog).
cp "$WORK/program/pristine/"* "$WORK/program/"
if (cd "$WORK/program" && timeout 20 wine vk47_Orvane.exe /quick </dev/null >/dev/null 2>&1); then
  subjects+=(quick "$program" /quick -)
else
  echo "run-startup-bench: this program has no quick run (started with /quick it did not end by itself)"
fi
# The launcher's standard error (Wine's messages) goes to a file: were it
# /dev/null, Wine would drop the counted runs' trace request with it.
"$BENCH" --trace="$TRACE" --reference=plain -- \
  timeout 1800 wine "$LAUNCHER" --count "$@" "${subjects[@]}" 2>"$WORK/launcher-messages.txt"
# The quick run started last: its answer is still there. A refusal (he)
# would have been timed, not a drawn continuation.
if [ "${subjects[-1]}" = - ]; then
  head -n 1 "$WORK/program/JWC_TEMP.TXT" | grep -qx $'hr\r' ||
    die "the quick run drew nothing: its answer begins \"$(head -n 1 "$WORK/program/JWC_TEMP.TXT")\""
fi
