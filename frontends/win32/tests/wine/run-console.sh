#!/usr/bin/env bash
# Runs a Windows console program (a unit-test program) under Wine, in a
# virtual display of its own, in a locale whose ANSI code page is not 932.
#   run-console.sh WIN32_BUILD PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
WIN32_BUILD=${1:?usage: run-console.sh WIN32_BUILD PROGRAM.exe [ARGUMENTS...]}
program=${2:?usage: run-console.sh WIN32_BUILD PROGRAM.exe [ARGUMENTS...]}
shift 2
source "$(dirname "$0")/wine-env.sh"
[ -f "$program" ] || die "$program is missing: build it with 'make win32'"
require_prefix
trap stop_session EXIT

start_display
status=0
LANG=C.UTF-8 LC_ALL=C.UTF-8 timeout --kill-after=10 "$WINE_TIMEOUT" wine "$program" "$@" </dev/null || status=$?
[ "$status" -eq 124 ] && echo "FAIL: $program did not end within $WINE_TIMEOUT s" >&2
exit "$status"
