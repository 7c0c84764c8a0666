#!/usr/bin/env bash
# The host double's runner for the Windows program: runs a launcher of the
# unpacked package under Wine as the host does (cmd /c the batch file, in its
# own folder, which "REM #cd" asks for), then ends the dialog with Enter or
# Esc, and dismisses a message box the program shows. Returns when the batch
# file has ended. Needs the Wine session and the display of its caller
# (host-session.sh). With ORVANE_MOVE_DIALOG="RIGHT DOWN" the user moves the
# dialog by that many arrow key presses once, in the first run that finds no
# file ORVANE_MOVED_MARK. With "none" the run shows no dialog (the quick
# pace): no window may appear on the display at any time until it ends.
#   run-launcher.sh FOLDER LAUNCHER ok|esc|none
set -euo pipefail
FOLDER=${1:?usage: run-launcher.sh FOLDER LAUNCHER ok|esc}
LAUNCHER=${2:?usage: run-launcher.sh FOLDER LAUNCHER ok|esc}
END=${3:?usage: run-launcher.sh FOLDER LAUNCHER ok|esc}
WAIT=30
fail() { echo "run-launcher: $*" >&2; exit 1; }
case "$END" in ok) key=Return ;; esc) key=Escape ;; none) key="" ;; *) fail "unknown end $END" ;; esac

# The windows shown on the display (by name or class, so that a window
# without a title counts too).
shown_windows() {
  { xdotool search --onlyvisible --name '' 2>/dev/null; xdotool search --onlyvisible --class '' 2>/dev/null; } |
    sort -u
}
before=$(shown_windows)

(cd "$FOLDER" && exec timeout --kill-after=5 "${WINE_TIMEOUT:-120}" \
  wine cmd /c "$(winepath -w "$FOLDER/$LAUNCHER")" </dev/null >/dev/null 2>&1) &
pid=$!
# The batch file, once it has ended, ended well.
expect_ended_well() {
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the launcher ended with exit code $status"
}

if [ -z "$key" ]; then
  # Watched until the batch file ends, every 20 ms: any window that shows
  # is a failure.
  polls=0
  while kill -0 "$pid" 2>/dev/null; do
    now=$(shown_windows)
    if [ "$now" != "$before" ]; then
      names=$(comm -13 <(echo "$before") <(echo "$now") | while read -r id; do
        xdotool getwindowname "$id" 2>/dev/null || echo "$id"; done | paste -sd ',')
      kill "$pid" 2>/dev/null
      fail "a run without a dialog showed a window: $names"
    fi
    sleep 0.02
    polls=$((polls + 1))
    [ "$polls" -lt 3000 ] || { kill "$pid" 2>/dev/null; fail "the launcher did not end"; }
  done
  expect_ended_well
  echo "no window shown"
  exit 0
fi

dialog=$(timeout "$WAIT" xdotool search --sync --onlyvisible --name '^Orvane' 2>/dev/null |
  head -1) || true
[ -n "$dialog" ] || { kill "$pid" 2>/dev/null; fail "no dialog within $WAIT s"; }
timeout 10 xdotool windowfocus --sync "$dialog" || fail "cannot focus the dialog"

# Polls until the command succeeds; fails after WAIT seconds.
wait_for() {  # what, command...
  local what=$1 polls=0
  shift
  until "$@"; do
    polls=$((polls + 1))
    [ "$polls" -lt $((WAIT * 20)) ] || fail "$what: not within $WAIT s"
    sleep 0.05
  done
}
pointer() { xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | paste -sd ' '; }
pointer_at() { [ "$(pointer)" = "$1 $2" ]; }
pointer_on_caption() {  # left, top, width of the window
  local x y
  read -r x y <<<"$(pointer)"
  [ "$x" -gt "$1" ] && [ "$x" -lt $(($1 + $3)) ] && [ "$y" -gt "$2" ] && [ "$y" -lt $(($2 + 32)) ]
}
window_at() {  # window, left, top
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  [ "$X $Y" = "$2 $3" ]
}
menu_shown() { [ "$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)" -gt "$1" ]; }
box_gone() { ! xdotool search --onlyvisible --name '^確認$' 2>/dev/null | grep -qx "$1"; }

if [ -n "${ORVANE_MOVE_DIALOG:-}" ] && [ ! -e "${ORVANE_MOVED_MARK:?}" ]; then
  # The user moves the dialog with the system menu's Move and the arrow
  # keys, as Windows offers it (Wine has no window manager here to drag it).
  # Move takes each arrow key's step from where the pointer stood when the
  # key was pressed: it first puts the pointer on the caption and moves it
  # 8 pixels a key. A key pressed before that, or before the previous step
  # has moved the pointer, starts from an older place and moves the dialog
  # elsewhere; so each key waits for the state the previous one led to.
  read -r right down <<<"$ORVANE_MOVE_DIALOG"
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  left=$X top=$Y
  windows=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
  xdotool key alt+space
  wait_for "the system menu" menu_shown "$windows"
  xdotool key m
  wait_for "the move's pointer on the caption" pointer_on_caption "$left" "$top" "$WIDTH"
  read -r x y <<<"$(pointer)"
  for ((i = 0; i < right + down; i++)); do
    if [ "$i" -lt "$right" ]; then xdotool key Right; x=$((x + 8)); else xdotool key Down; y=$((y + 8)); fi
    wait_for "the dialog's move step $((i + 1))" pointer_at "$x" "$y"
  done
  xdotool key Return
  wait_for "the dialog at its new place" window_at "$dialog" $((left + 8 * right)) $((top + 8 * down))
  touch "$ORVANE_MOVED_MARK"
  echo "dialog moved: $right right, $down down"
fi
xdotool key --delay 40 "$key"
echo "dialog: $key"

# Until the batch file ends: a message box of the program is read and
# dismissed with Enter, and then waited for to close.
waited=0
while kill -0 "$pid" 2>/dev/null; do
  box=$(xdotool search --onlyvisible --name '^確認$' 2>/dev/null | head -1 || true)
  if [ -n "$box" ]; then
    timeout 10 xdotool windowfocus --sync "$box" || fail "cannot focus the message box"
    xdotool key --delay 40 Return
    echo "message box: Enter"
    wait_for "the message box closed" box_gone "$box"
  fi
  sleep 0.2
  waited=$((waited + 1))
  [ "$waited" -lt 600 ] || { kill "$pid" 2>/dev/null; fail "the launcher did not end"; }
done
expect_ended_well
