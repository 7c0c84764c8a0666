#!/usr/bin/env bash
# A scripted session of a user clicking out a chain, run by the host double
# (tests/support/hostdouble) with the launchers of the package as the user unzips it:
# every run of the Windows program goes through its batch file under Wine.
# The drawing the host ends with must be the golden one, the same as the
# headless sessions give; it is also drawn as a picture.
#   host-session.sh WIN32_BUILD NATIVE_BUILD SESSION
set -euo pipefail
WIN32_BUILD=${1:?usage: host-session.sh WIN32_BUILD NATIVE_BUILD SESSION}
NATIVE_BUILD=$(cd "${2:?usage: host-session.sh WIN32_BUILD NATIVE_BUILD SESSION}" && pwd)
SESSION=${3:?usage: host-session.sh WIN32_BUILD NATIVE_BUILD SESSION}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
SOURCE_DIR=$(cd "$here/../../../.." && pwd)
SESSIONS="$SOURCE_DIR/tests/data/host_sessions"
PACKAGE="$WIN32_BUILD/vk47_Orvane.zip"
HOST_DOUBLE="$NATIVE_BUILD/orvane-host-double"
PREVIEW="$NATIVE_BUILD/orvane-preview"
case "$SESSION" in
  clicked_chain | ended_at_prompt | quick_chain) golden="$SESSIONS/clicked_chain_drawing.txt" ;;
  quick_both_directions) golden="$SESSIONS/both_directions_drawing.txt" ;;
  quick_one_click_picks) golden="$SESSIONS/one_click_continued_drawing.txt" ;;
  *) golden="$SESSIONS/${SESSION}_drawing.txt" ;;
esac

[ -f "$PACKAGE" ] || die "$PACKAGE is missing: build it with 'make win32'"
[ -x "$HOST_DOUBLE" ] || die "$HOST_DOUBLE is missing: build the native tree"
require_prefix
ensure_japanese_locale
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

WORK="$WIN32_BUILD/wine-cases/host_session_$SESSION"
rm -rf "$WORK"
FOLDER="$WORK/Jw_cad 外部変形"
mkdir -p "$FOLDER" "$WORK/host" "$WIN32_BUILD/artifacts"
trap stop_session EXIT
(cd "$FOLDER" && cmake -E tar xf "$PACKAGE") || die "cannot unpack $PACKAGE"

start_display
# The user moves the dialog once, in the first run, ten steps right and five
# down (8 pixels a step) from where a first run places it (194, 107); every
# later run must show it there and store it so again.
export ORVANE_MOVE_DIALOG="10 5" ORVANE_MOVED_MARK="$WORK/moved"
(cd "$WORK/host" && "$HOST_DOUBLE" --runner "bash $here/run-launcher.sh" \
  "$FOLDER" "$SESSIONS/$SESSION.session" "$WORK/drawing.txt") | tee "$WORK/transcript.txt" ||
  die "the session failed"
# What the host showed of each answer (its notices and errors) and where it
# went on are those of the same session with the headless runner.
HEADLESS="$NATIVE_BUILD/frontends/headless/orvane-headless"
if [ -x "$HEADLESS" ]; then
  mkdir -p "$WORK/headless/program" "$WORK/headless/host"
  cp "$FOLDER"/*.bat "$WORK/headless/program/"
  (cd "$WORK/headless/host" && "$HOST_DOUBLE" --headless "$HEADLESS" "$WORK/headless/program" \
    "$SESSIONS/$SESSION.session" "$WORK/headless/drawing.txt") >"$WORK/headless/transcript.txt" ||
    die "the headless session failed"
  told() { grep -E '^(host shows|answer:)' "$1"; }
  diff <(told "$WORK/headless/transcript.txt") <(told "$WORK/transcript.txt") >&2 ||
    die "the host was told otherwise than by the headless runs"
fi
cmp -s "$WORK/drawing.txt" "$golden" || {
  diff <(tr -d '\r' <"$golden") <(tr -d '\r' <"$WORK/drawing.txt") >&2 || true
  die "the drawing differs from $golden"
}
position="$(sed -n '1p;2p' "$FOLDER/vk38.dat" | tr -d '\r' | tr '\n' ' ')"
[ "$position" = "274 147 " ] || die "the dialog's stored position is $position, not 274 147"
if [ -x "$PREVIEW" ]; then
  "$PREVIEW" "$WORK/drawing.txt" "$WIN32_BUILD/artifacts/host-session-$SESSION.svg" ||
    die "the drawing cannot be drawn"
  echo "picture: $WIN32_BUILD/artifacts/host-session-$SESSION.svg"
fi
echo "PASS: $SESSION"
