#!/usr/bin/env bash
# Runs a Windows console program (a unit-test program) under Wine, in a
# virtual display of its own, in a locale whose ANSI code page is not 932.
#   run-console.sh WIN32_BUILD PROGRAM.exe [ARGUMENTS...]
# With ORVANE_WINE_DPI set, the program sees a screen of that scale.
set -euo pipefail
WIN32_BUILD=${1:?usage: run-console.sh WIN32_BUILD PROGRAM.exe [ARGUMENTS...]}
program=${2:?usage: run-console.sh WIN32_BUILD PROGRAM.exe [ARGUMENTS...]}
shift 2
source "$(dirname "$0")/wine-env.sh"
[ -f "$program" ] || die "$program is missing: build it with 'make win32'"
require_prefix

output=$(mktemp)
trap 'rm -f "$output"; stop_session' EXIT

run_program() {
  status=0
  LANG=C.UTF-8 LC_ALL=C.UTF-8 timeout --kill-after=10 "$WINE_TIMEOUT" wine "$program" "$@" </dev/null \
    >"$output" 2>&1 || status=$?
  cat "$output"
}

start_display
set_screen_dpi
run_program "$@"
# A test program always says something. A failure without a word means that
# Wine did not get as far as starting it (seen once in a loaded test run):
# say so, and start it once more in a fresh session.
if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ ! -s "$output" ]; then
  echo "run-console: wine ended with status $status before $program said anything; starting it once more" >&2
  stop_session
  start_display
  set_screen_dpi
  run_program "$@"
fi
[ "$status" -eq 124 ] && echo "FAIL: $program did not end within $WINE_TIMEOUT s" >&2
[ "$status" -ne 0 ] && [ ! -s "$output" ] && echo "FAIL: wine ended with status $status and no output" >&2
exit "$status"
