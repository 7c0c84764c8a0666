#!/usr/bin/env bash
# The host double's runner for the Windows program: runs a launcher of the
# unpacked package under Wine as the host does (cmd /c the batch file, in its
# own folder, which "REM #cd" asks for), then ends the dialog with Enter or
# Esc, and dismisses a message box the program shows. Returns when the batch
# file has ended. Needs the Wine session and the display of its caller
# (host-session.sh). With ORVANE_MOVE_DIALOG="RIGHT DOWN" the user moves the
# dialog by that many arrow key presses once, in the first run that finds no
# file ORVANE_MOVED_MARK.
#   run-launcher.sh FOLDER LAUNCHER ok|esc
set -euo pipefail
FOLDER=${1:?usage: run-launcher.sh FOLDER LAUNCHER ok|esc}
LAUNCHER=${2:?usage: run-launcher.sh FOLDER LAUNCHER ok|esc}
END=${3:?usage: run-launcher.sh FOLDER LAUNCHER ok|esc}
WAIT=30
fail() { echo "run-launcher: $*" >&2; exit 1; }
case "$END" in ok) key=Return ;; esc) key=Escape ;; *) fail "unknown end $END" ;; esac

(cd "$FOLDER" && exec timeout --kill-after=5 "${WINE_TIMEOUT:-120}" \
  wine cmd /c "$(winepath -w "$FOLDER/$LAUNCHER")" </dev/null >/dev/null 2>&1) &
pid=$!

dialog=$(timeout "$WAIT" xdotool search --sync --onlyvisible --name '^Orvane' 2>/dev/null |
  head -1) || true
[ -n "$dialog" ] || { kill "$pid" 2>/dev/null; fail "no dialog within $WAIT s"; }
timeout 10 xdotool windowfocus --sync "$dialog" || fail "cannot focus the dialog"
if [ -n "${ORVANE_MOVE_DIALOG:-}" ] && [ ! -e "${ORVANE_MOVED_MARK:?}" ]; then
  # The user moves the dialog with the system menu's Move and the arrow
  # keys, as Windows offers it (Wine has no window manager here to drag it).
  read -r right down <<<"$ORVANE_MOVE_DIALOG"
  xdotool key --delay 100 alt+space m
  for ((i = 0; i < right; i++)); do xdotool key --delay 20 Right; done
  for ((i = 0; i < down; i++)); do xdotool key --delay 20 Down; done
  xdotool key --delay 100 Return
  sleep 0.5
  touch "$ORVANE_MOVED_MARK"
  echo "dialog moved: $right right, $down down"
fi
xdotool key --delay 40 "$key"
echo "dialog: $key"

# Until the batch file ends: a message box of the program is read and
# dismissed with Enter.
waited=0
while kill -0 "$pid" 2>/dev/null; do
  box=$(xdotool search --onlyvisible --name '^確認$' 2>/dev/null | head -1 || true)
  if [ -n "$box" ]; then
    timeout 10 xdotool windowfocus --sync "$box" || fail "cannot focus the message box"
    xdotool key --delay 40 Return
    echo "message box: Enter"
    sleep 0.5
  fi
  sleep 0.2
  waited=$((waited + 1))
  [ "$waited" -lt 600 ] || { kill "$pid" 2>/dev/null; fail "the launcher did not end"; }
done
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the launcher ended with exit code $status"
