# Sourced by the scripts that run the Windows program and its tests under
# Wine. Sets up the environment and offers: a Japanese locale, a private
# virtual X display, and an end to exactly the processes a script started.
#
# Needs WIN32_BUILD: the cross build's folder (its Wine prefix lives there).

: "${WIN32_BUILD:?WIN32_BUILD must name the cross build folder}"
WIN32_BUILD=$(cd "$WIN32_BUILD" && pwd)
export WINEPREFIX="${ORVANE_WINEPREFIX:-$WIN32_BUILD/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# No installers for the .NET and HTML engines: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

WINE_TIMEOUT=${WINE_TIMEOUT:-120}
XVFB_PID=""

die() {
  echo "FAIL: $*" >&2
  exit 1
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code
# page 932, as on a Japanese Windows.
ensure_japanese_locale() {
  if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "wine-env: generating the ja_JP.UTF-8 locale"
    as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
}

# Starts a virtual X display on a free display number that the server picks
# itself, and exports DISPLAY.
start_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp \
    5>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  local waited=0
  while ! grep -q '[0-9]' "$number_file" 2>/dev/null; do
    kill -0 "$XVFB_PID" 2>/dev/null || die "the X server did not start"
    [ "$waited" -ge 100 ] && die "the X server did not start in 10 s"
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -dc '0-9' <"$number_file")"
  rm -f "$number_file"
}

# Ends the Wine session of this prefix (only this script's programs run in
# it) and the X server this script started.
stop_session() {
  restore_screen_dpi
  if [ -d "$WINEPREFIX" ]; then
    timeout 30 wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# The screen's scale in dots per inch that Wine gives the programs of this
# session: ORVANE_WINE_DPI when set (else as the prefix has it), put back to
# 96 by stop_session.
SCALE_SET=""
set_screen_dpi() {
  local dpi=${ORVANE_WINE_DPI:-}
  [ -n "$dpi" ] || return 0
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1 || die "cannot set the screen scale to $dpi dpi"
  SCALE_SET=1
}
restore_screen_dpi() {
  [ -n "$SCALE_SET" ] || return 0
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
    >/dev/null 2>&1 || true
  SCALE_SET=""
}

require_prefix() {
  [ -f "$WINEPREFIX/.orvane-prepared" ] ||
    die "no prepared Wine prefix at $WINEPREFIX (run prepare-prefix.sh)"
}
