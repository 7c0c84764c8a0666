#!/usr/bin/env bash
# Creates (once) and configures the Wine prefix in which the tests run the
# Windows program: windows without a window manager, the dialog font mapped
# to an installed Japanese font, no crash dialog.
#   prepare-prefix.sh WIN32_BUILD
set -euo pipefail
WIN32_BUILD=${1:?usage: prepare-prefix.sh WIN32_BUILD}
source "$(dirname "$0")/wine-env.sh"
trap stop_session EXIT

ensure_japanese_locale
stamp="$WINEPREFIX/.orvane-prepared"
signature=$(md5sum "$0" | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$signature" ]; then
  echo "prepare-prefix: $WINEPREFIX is ready"
  exit 0
fi

start_display
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
started=$(date +%s)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "prepare-prefix: creating $WINEPREFIX"
  timeout 300 wineboot --init >/dev/null 2>&1 || die "wineboot failed"
fi

# Wine's own fonts (the caption buttons' symbols among them) where the
# prefix looks for them.
if compgen -G '/usr/share/wine/fonts/*.ttf' >/dev/null; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

reg_add() {
  timeout 60 wine reg add "$@" /f >/dev/null 2>&1 || die "wine reg add $*"
}
# Unmanaged windows: the tests give them the focus themselves, and a close
# does not wait for a window manager that is not there.
reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# The dialog's font and the usual Japanese interface fonts.
fonts='HKCU\Software\Wine\Fonts\Replacements'
reg_add "$fonts" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic
reg_add "$fonts" /v 'MS Gothic' /t REG_SZ /d IPAGothic
reg_add "$fonts" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic
reg_add "$fonts" /v 'MS PGothic' /t REG_SZ /d IPAPGothic
reg_add "$fonts" /v 'MS UI Gothic' /t REG_SZ /d IPAPGothic
# A crash ends the program instead of waiting in a dialog.
reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
timeout 60 wineserver -w || true

echo "$signature" >"$stamp"
echo "prepare-prefix: $WINEPREFIX prepared in $(( $(date +%s) - started )) s"
