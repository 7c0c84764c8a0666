#!/usr/bin/env bash
# Runs vk47_Orvane.exe for real under Wine, as the host does: a copy of the
# program in a folder of its own (whose name code page 932 cannot write),
# with a prepared JWC_TEMP.TXT and vk38.dat, started from another working
# directory, and driven with the keyboard (and once the mouse) in a private
# virtual display. Then checks the files the program left and its exit code.
#   run-dialog.sh WIN32_BUILD CASE
# Cases: ok_worked_example escape close_box alt_f4_on_list inside_refusal
#        missing_settings typed_values unheld_characters failed_start launcher
#        new_chain_launcher unknown_word unwritable_answer unwritable_after_refusal_escape
#        unwritable_after_refusal_alt_f4 unwritable_after_unsaved_settings
#        unwritable_after_missing_settings_escape
#        unwritable_after_missing_settings_alt_f4
#        scaled_96 scaled_120 scaled_144 scaled_192
#        scaled_96_pick_refusal scaled_144_pick_refusal (and _h: horizontal)
set -euo pipefail
WIN32_BUILD=${1:?usage: run-dialog.sh WIN32_BUILD CASE}
CASE=${2:?usage: run-dialog.sh WIN32_BUILD CASE}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
SOURCE_DIR=$(cd "$here/../../../.." && pwd)
DATA="$here/../data"
GOLDEN="$SOURCE_DIR/tests/data/worked_example"
PROGRAM="$WIN32_BUILD/vk47_Orvane.exe"
PACKAGE="$WIN32_BUILD/vk47_Orvane.zip"
PUT_ON_CLIPBOARD="$WIN32_BUILD/tests/put_on_clipboard.exe"
REFUSED_CONTROLS="$WIN32_BUILD/tests/refused_controls.exe"
ARTIFACTS="$WIN32_BUILD/artifacts"
WAIT=30  # seconds for any window to appear

[ -f "$PROGRAM" ] || die "$PROGRAM is missing: build it with 'make win32'"
require_prefix
ensure_japanese_locale
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

WORK="$WIN32_BUILD/wine-cases/$CASE"
rm -rf "$WORK"
FOLDER="$WORK/Jw_cad 外部変形 é한"  # the program's folder
ELSEWHERE="$WORK/elsewhere"           # the working directory it starts in
mkdir -p "$FOLDER" "$ELSEWHERE" "$ARTIFACTS"
PROGRAM_PID=""

cleanup() {
  if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    kill "$PROGRAM_PID" 2>/dev/null || true
  fi
  stop_session
}
trap cleanup EXIT

# Text kept as UTF-8 with LF in the repository, as the host writes it:
# Shift-JIS with CR LF.
sjis_crlf() { iconv -f UTF-8 -t CP932 "$1" | sed 's/$/\r/' >"$2"; }

start_program() {
  (cd "$ELSEWHERE" && exec timeout --kill-after=5 "$WINE_TIMEOUT" wine "$@" </dev/null) &
  PROGRAM_PID=$!
}

# The window id of the visible window whose title is exactly $1.
wait_window() {
  local id
  id=$(timeout "$WAIT" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1) ||
    true
  [ -n "$id" ] || die "no window \"$1\" within $WAIT s"
  echo "$id"
}

# The id of a visible window titled exactly $1 other than window $2: the
# next message box after the one the user has just dismissed.
wait_next_window() {
  local waited=0 id
  while [ "$waited" -lt $((WAIT * 10)) ]; do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
      [ "$id" != "$2" ] && { echo "$id"; return; }
    done
    kill -0 "$PROGRAM_PID" 2>/dev/null || die "the program ended without showing another \"$1\""
    sleep 0.1
    waited=$((waited + 1))
  done
  die "no further window \"$1\" within $WAIT s"
}

# From now on the program cannot write its answer: the exchange file, which
# it has read, gives way to a folder of the same name.
block_answer() {
  rm "$FOLDER/JWC_TEMP.TXT"
  mkdir "$FOLDER/JWC_TEMP.TXT"
}

# The message that the answer was not written: the user sees it and
# dismisses it; the program then ends, and the folder is still there.
expect_unwritten_message() {  # the box dismissed before it, screenshot name
  local box
  box=$(wait_next_window 確認 "$1")
  screenshot "$box" "$2"
  focus "$box"
  keys Return
  expect_exit_zero
  [ -d "$FOLDER/JWC_TEMP.TXT" ] || die "JWC_TEMP.TXT was replaced although it could not be"
}

# Until window $1 is no longer shown: the message box the user has just
# dismissed has closed, and the window under it has the keyboard again.
wait_closed() {
  local waited=0
  while xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1"; do
    [ "$waited" -lt $((WAIT * 10)) ] || die "window $1 still shown after $WAIT s"
    sleep 0.1
    waited=$((waited + 1))
  done
}

focus() { timeout 10 xdotool windowfocus --sync "$1" || die "cannot focus window $1"; }
keys() { xdotool key --delay 40 "$@"; }

# A message box that shows in place of the dialog, the dialog itself never
# showing: kept as a picture and dismissed with Enter.
dismiss_box_without_dialog() {  # box caption, screenshot name, failure if the dialog shows
  local box
  box=$(wait_window "$1")
  [ -z "$(xdotool search --onlyvisible --name '^Orvane$' 2>/dev/null || true)" ] || die "$3"
  screenshot "$box" "$2"
  focus "$box"
  keys Return
}

expect_exit_code() {
  local status=0
  wait "$PROGRAM_PID" || status=$?
  PROGRAM_PID=""
  [ "$status" -ne 124 ] || die "the program did not end within $WINE_TIMEOUT s"
  [ "$status" -eq "$1" ] || die "the program ended with exit code $status, not $1"
}
expect_exit_zero() { expect_exit_code 0; }

screenshot() {  # window id, file name
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$ARTIFACTS/$2" ||
    die "cannot take the screenshot $2"
  echo "screenshot: $ARTIFACTS/$2"
}

# Until the picture of window $1 is the same in three looks in a row: the
# dialog has drawn its notice pane and its lists, however long that takes.
wait_drawn() {
  local WINDOW X Y WIDTH HEIGHT SCREEN previous="" picture same=0 looks=0
  eval "$(xdotool getwindowgeometry --shell "$1")"
  while [ "$same" -lt 2 ]; do
    picture=$(import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage rgb:- | md5sum)
    if [ "$picture" = "$previous" ]; then same=$((same + 1)); else same=0; fi
    previous=$picture
    looks=$((looks + 1))
    [ "$looks" -lt $((WAIT * 5)) ] || die "the picture of window $1 still changes after $WAIT s"
    sleep 0.1
  done
}

same_file() {  # actual, expected, what
  cmp -s "$1" "$2" || {
    echo "--- expected ($2)" >&2
    od -c "$2" | head -20 >&2
    echo "--- actual ($1)" >&2
    od -c "$1" 2>/dev/null | head -20 >&2
    die "$3 differs"
  }
}

expect_hq_only() { same_file "$FOLDER/JWC_TEMP.TXT" <(printf 'hq\r\n') "JWC_TEMP.TXT (hq alone)"; }

# The settings file's line n (without CR LF).
settings_line() { sed -n "${1}p" "$FOLDER/vk38.dat" | tr -d '\r'; }

prepare_inputs() {
  sjis_crlf "$DATA/JWC_TEMP.TXT" "$FOLDER/JWC_TEMP.TXT"
  sjis_crlf "$DATA/vk38.dat" "$FOLDER/vk38.dat"
  cp "$PROGRAM" "$FOLDER/"
  cp "$FOLDER/vk38.dat" "$WORK/vk38.before"
}

start_display

case "$CASE" in
  ok_worked_example)
    # OK on the worked example: the same golden files as the headless run.
    for f in JWC_TEMP.TXT vk38.dat expected_JWC_TEMP.TXT expected_vk38.dat; do
      [ -f "$GOLDEN/$f" ] || die "missing golden file $GOLDEN/$f"
    done
    cp "$GOLDEN/JWC_TEMP.TXT" "$GOLDEN/vk38.dat" "$FOLDER/"
    cp "$PROGRAM" "$FOLDER/"
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys Return
    expect_exit_zero
    same_file "$FOLDER/JWC_TEMP.TXT" "$GOLDEN/expected_JWC_TEMP.TXT" "JWC_TEMP.TXT"
    same_file "$FOLDER/vk38.dat" "$GOLDEN/expected_vk38.dat" "vk38.dat"
    ;;

  escape)
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys Escape
    expect_exit_zero
    expect_hq_only
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after Cancel"
    ;;

  close_box)
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    # The close box is the last button of the caption bar, at its right end.
    xdotool mousemove --window "$dialog" $((WIDTH - 15)) 12 click 1
    expect_exit_zero
    expect_hq_only
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after the close box"
    ;;

  alt_f4_on_list)
    # At start the first drop-down list has the focus; Alt+F4 there closes
    # the dialog as the close box does.
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys alt+F4
    expect_exit_zero
    expect_hq_only
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after Alt+F4"
    ;;

  inside_refusal)
    prepare_inputs
    # The new point lies between the ends of the stored chain.
    sed 's/^hp1 .*/hp1 0 500/' "$DATA/JWC_TEMP.TXT" >"$WORK/inside.txt"
    sjis_crlf "$WORK/inside.txt" "$FOLDER/JWC_TEMP.TXT"
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys Return
    box=$(wait_window 確認)
    screenshot "$box" vk47_Orvane-inside-refusal.png
    focus "$box"
    keys Return
    expect_exit_zero
    expect_hq_only
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after the refusal"
    ;;

  missing_settings)
    prepare_inputs
    rm "$FOLDER/vk38.dat"
    start_program "$FOLDER/vk47_Orvane.exe"
    dismiss_box_without_dialog 確認 vk47_Orvane-missing-settings.png \
      "the dialog showed although the settings file is missing"
    expect_exit_zero
    expect_hq_only
    [ ! -e "$FOLDER/vk38.dat" ] || die "a vk38.dat was left behind"
    ;;

  typed_values)
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    wait_drawn "$dialog"
    screenshot "$dialog" vk47_Orvane-dialog.png
    # Tab to the prefix (tab order 6) and type more than its 32 bytes; two
    # more tabs reach the precision list: one entry down, then OK.
    keys Tab Tab Tab Tab Tab Tab
    xdotool type --delay 30 "L=abcdefghijklmnopqrstuvwxyz0123456789"
    keys Tab Tab Down Return
    expect_exit_zero
    prefix="L=abcdefghijklmnopqrstuvwxyz0123"
    [ "$(settings_line 9)" = "$prefix" ] ||
      die "vk38.dat line 9 (prefix) is \"$(settings_line 9)\", not \"$prefix\""
    [ "$(settings_line 6)" = "4" ] ||
      die "vk38.dat line 6 (precision) is \"$(settings_line 6)\", not 4"
    grep -q "$prefix" "$FOLDER/JWC_TEMP.TXT" || die "the value text lacks the typed prefix"
    ;;

  unheld_characters)
    # Text pasted into the prefix stops before the first character that
    # Shift-JIS lacks (the euro sign), and typing goes on after it: the
    # settings file and the value text get exactly what the field showed.
    [ -f "$PUT_ON_CLIPBOARD" ] || die "$PUT_ON_CLIPBOARD is missing: build it with 'make win32'"
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    timeout 30 wine "$PUT_ON_CLIPBOARD" "寸法€値😀" </dev/null || die "cannot fill the clipboard"
    focus "$dialog"
    keys Tab Tab Tab Tab Tab Tab ctrl+v
    xdotool type --delay 30 "x"
    keys Return
    expect_exit_zero
    prefix=$(printf '寸法x' | iconv -f UTF-8 -t CP932)
    [ "$(settings_line 9)" = "$prefix" ] ||
      die "vk38.dat line 9 (prefix) is \"$(settings_line 9 | iconv -f CP932 -t UTF-8)\", not \"寸法x\""
    LC_ALL=C grep -qF "$prefix" "$FOLDER/JWC_TEMP.TXT" || die "the value text lacks the prefix"
    ;;

  failed_start)
    # The same run on a system that refuses to create the dialog's controls:
    # the error shows in a message box, and the host gets "hq" all the same.
    [ -f "$REFUSED_CONTROLS" ] || die "$REFUSED_CONTROLS is missing: build it with 'make win32'"
    prepare_inputs
    cp "$REFUSED_CONTROLS" "$FOLDER/"
    start_program "$FOLDER/refused_controls.exe"
    dismiss_box_without_dialog vk47_Orvane vk47_Orvane-failed-start.png \
      "a dialog showed although it could not be created"
    expect_exit_code 1
    expect_hq_only
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after the failed start"
    ;;

  unknown_word)
    # A command line that no launcher gives: no dialog, a message box that
    # names the launchers, and "hq" for the host; vk38.dat as it was.
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe" /new /bogus
    dismiss_box_without_dialog vk47_Orvane vk47_Orvane-unknown-word.png \
      "a dialog showed for a command line that no launcher gives"
    expect_exit_code 1
    expect_hq_only
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after the refused start"
    ;;

  launcher)
    # The package as the user unzips it, started through its batch file.
    [ -f "$PACKAGE" ] || die "$PACKAGE is missing: build it with 'make win32'"
    (cd "$FOLDER" && cmake -E tar xf "$PACKAGE") || die "cannot unpack $PACKAGE"
    for f in vk47_Orvane.exe vk47_Orvane.bat readme.txt; do
      [ -f "$FOLDER/$f" ] || die "the package lacks $f"
    done
    sjis_crlf "$DATA/JWC_TEMP.TXT" "$FOLDER/JWC_TEMP.TXT"
    sjis_crlf "$DATA/vk38.dat" "$FOLDER/vk38.dat"
    start_program cmd /c "$(winepath -w "$FOLDER/vk47_Orvane.bat")"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys Escape
    expect_exit_zero  # the batch file waited for the program
    expect_hq_only
    ;;

  new_chain_launcher)
    # A new chain through the package's second launcher, with no vk38.dat:
    # the defaults serve, and OK gives the same golden files as the
    # headless run.
    [ -f "$PACKAGE" ] || die "$PACKAGE is missing: build it with 'make win32'"
    (cd "$FOLDER" && cmake -E tar xf "$PACKAGE") || die "cannot unpack $PACKAGE"
    [ -f "$FOLDER/vk47_Orvane_new.bat" ] || die "the package lacks vk47_Orvane_new.bat"
    NEW_CHAIN="$SOURCE_DIR/tests/data/new_chain"
    cp "$NEW_CHAIN/JWC_TEMP.TXT" "$FOLDER/"
    start_program cmd /c "$(winepath -w "$FOLDER/vk47_Orvane_new.bat")"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys Return
    expect_exit_zero
    same_file "$FOLDER/JWC_TEMP.TXT" "$NEW_CHAIN/expected_JWC_TEMP.TXT" "JWC_TEMP.TXT"
    same_file "$FOLDER/vk38.dat" "$NEW_CHAIN/expected_vk38.dat" "vk38.dat"
    ;;

  scaled_*_pick_refusal*)
    # A range selection that holds lines along the chain's axis but no
    # dimension line, picked through the package's pick launcher of either
    # direction: the dialog shows the refusal in its notice pane, every row
    # of it, and is kept as a picture; Esc ends the run with "hq" alone.
    ORVANE_WINE_DPI=${CASE#scaled_}
    ORVANE_WINE_DPI=${ORVANE_WINE_DPI%%_*}
    set_screen_dpi
    WAIT=90  # the first start at a new scale renders its fonts anew
    [ -f "$PACKAGE" ] || die "$PACKAGE is missing: build it with 'make win32'"
    (cd "$FOLDER" && cmake -E tar xf "$PACKAGE") || die "cannot unpack $PACKAGE"
    case "$CASE" in
      *_h) launcher=vk47_Orvane_h_pick.bat caption="Orvane 水平寸法" lines='0 0 1000 0|0 -500 1000 -500' ;;
      *) launcher=vk47_Orvane_pick.bat caption=Orvane lines='0 0 0 1000|-500 0 -500 1000' ;;
    esac
    { sed -n '1,/^hp2 /p' "$SOURCE_DIR/tests/data/picked_chain/JWC_TEMP.TXT"
      tr '|' '\n' <<<"$lines" | sed 's/$/\r/'; } >"$FOLDER/JWC_TEMP.TXT"
    start_program cmd /c "$(winepath -w "$FOLDER/$launcher")"
    dialog=$(wait_window "$caption")
    focus "$dialog"
    wait_drawn "$dialog"
    screenshot "$dialog" "vk47_Orvane-pick-refusal-${ORVANE_WINE_DPI}dpi${CASE##*_refusal}.png"
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    [ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ] ||
      die "the ${WIDTH}x${HEIGHT} window at $X $Y reaches past the 1280 x 1024 screen"
    keys Escape
    expect_exit_zero
    expect_hq_only
    ;;

  scaled_*)
    # The dialog on a screen of that scale, kept as a picture. Its stored
    # position (500, 400) suits 96 dpi; at a larger scale the window would
    # reach past the 1280 x 1024 screen (the work area: no task bar here), so
    # it is moved, not shrunk, until all of it shows; OK stores the position
    # where the user sees it.
    ORVANE_WINE_DPI=${CASE#scaled_}
    set_screen_dpi
    WAIT=90  # the first start at a new scale renders its fonts anew
    prepare_inputs
    { printf '500\r\n400\r\n'; sed '1,2d' "$FOLDER/vk38.dat"; } >"$WORK/stored.dat"
    mv "$WORK/stored.dat" "$FOLDER/vk38.dat"
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    wait_drawn "$dialog"
    screenshot "$dialog" "vk47_Orvane-dialog-${ORVANE_WINE_DPI}dpi.png"
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    inside() {  # stored start, size, screen size
      local at=$(($1 < $3 - $2 ? $1 : $3 - $2))
      echo $((at < 0 ? 0 : at))
    }
    [ "$X $Y" = "$(inside 500 "$WIDTH" 1280) $(inside 400 "$HEIGHT" 1024)" ] ||
      die "the ${WIDTH}x${HEIGHT} window stands at $X $Y, not inside the screen nearest to 500 400"
    keys Return
    expect_exit_zero
    [ "$(settings_line 1) $(settings_line 2)" = "$X $Y" ] ||
      die "OK stored the position $(settings_line 1) $(settings_line 2), not $X $Y where the window stood"
    ;;

  unwritable_answer)
    # Cancel with an answer that cannot be written: its message shows.
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    block_answer
    focus "$dialog"
    keys Escape
    expect_unwritten_message "" vk47_Orvane-unwritable-answer.png
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after Cancel"
    ;;

  unwritable_after_refusal_escape | unwritable_after_refusal_alt_f4)
    # A point inside the chain is refused in a message box, which the user
    # dismisses with Esc or Alt+F4; the close that follows cannot write the
    # answer, and that message shows too, after the first, as the headless
    # run prints them.
    prepare_inputs
    sed 's/^hp1 .*/hp1 0 500/' "$DATA/JWC_TEMP.TXT" >"$WORK/inside.txt"
    sjis_crlf "$WORK/inside.txt" "$FOLDER/JWC_TEMP.TXT"
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    block_answer
    focus "$dialog"
    keys Return
    refusal=$(wait_window 確認)
    focus "$refusal"
    if [ "$CASE" = unwritable_after_refusal_escape ]; then keys Escape; else keys alt+F4; fi
    expect_unwritten_message "$refusal" "vk47_Orvane-$CASE.png"
    same_file "$FOLDER/vk38.dat" "$WORK/vk38.before" "vk38.dat after the refusal"
    ;;

  unwritable_after_missing_settings_escape | unwritable_after_missing_settings_alt_f4)
    # Without vk38.dat the show sequence gives its message before the dialog
    # appears; the user dismisses it with Esc or Alt+F4, and the close that
    # follows cannot write the answer.
    prepare_inputs
    rm "$FOLDER/vk38.dat"
    start_program "$FOLDER/vk47_Orvane.exe"
    missing=$(wait_window 確認)
    block_answer
    focus "$missing"
    if [ "$CASE" = unwritable_after_missing_settings_escape ]; then keys Escape; else keys alt+F4; fi
    expect_unwritten_message "$missing" "vk47_Orvane-$CASE.png"
    ;;

  unwritable_after_unsaved_settings)
    # OK cannot save the settings file: its message, and the dialog stays
    # open. Esc there closes it, and the answer that cannot be written has
    # its message as well.
    prepare_inputs
    start_program "$FOLDER/vk47_Orvane.exe"
    dialog=$(wait_window Orvane)
    block_answer
    rm "$FOLDER/vk38.dat"
    mkdir "$FOLDER/vk38.dat"
    focus "$dialog"
    keys Return
    unsaved=$(wait_window 確認)
    focus "$unsaved"
    keys Return
    wait_closed "$unsaved"
    focus "$dialog"
    keys Escape
    expect_unwritten_message "$unsaved" vk47_Orvane-unwritable-after-unsaved-settings.png
    ;;

  pick_chain_launcher)
    # A chain selected in the drawing, continued through the package's third
    # launcher with no vk38.dat: the same golden files as the headless run.
    [ -f "$PACKAGE" ] || die "$PACKAGE is missing: build it with 'make win32'"
    (cd "$FOLDER" && cmake -E tar xf "$PACKAGE") || die "cannot unpack $PACKAGE"
    [ -f "$FOLDER/vk47_Orvane_pick.bat" ] || die "the package lacks vk47_Orvane_pick.bat"
    PICKED_CHAIN="$SOURCE_DIR/tests/data/picked_chain"
    cp "$PICKED_CHAIN/JWC_TEMP.TXT" "$FOLDER/"
    start_program cmd /c "$(winepath -w "$FOLDER/vk47_Orvane_pick.bat")"
    dialog=$(wait_window Orvane)
    focus "$dialog"
    keys Return
    expect_exit_zero
    same_file "$FOLDER/JWC_TEMP.TXT" "$PICKED_CHAIN/expected_JWC_TEMP.TXT" "JWC_TEMP.TXT"
    same_file "$FOLDER/vk38.dat" "$PICKED_CHAIN/expected_vk38.dat" "vk38.dat"
    ;;

  *)
    die "unknown case $CASE"
    ;;
esac
echo "PASS: $CASE"
