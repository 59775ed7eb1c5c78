# Shared by the scripts: a private X display and the build's Wine prefix.
# Source it, then call start_display and prepare_wine.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$root/build/win/wineprefix"
export WINEPREFIX_144="$root/build/win/wineprefix-144"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
xvfb_pid=""

start_display() {
  local number=90
  while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X${number}" ] && break
    sleep 0.05
  done
  export DISPLAY=":$number"
}

stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# Boots a prefix once and keeps a wineserver running for it. Wine's
# services inherit the caller's pipes, so everything here is detached from
# them. prepare_prefix <prefix> <dpi>
prepare_prefix() {
  local prefix=$1 dpi=$2
  mkdir -p "$prefix"
  # A persistent server spares every later Wine process its start-up; one
  # that already runs is fine.
  WINEPREFIX="$prefix" wineserver -p </dev/null >/dev/null 2>&1 || true
  # Booting starts Wine's services now, detached, rather than inside the
  # first test (whose pipes they would hold open).
  if [ ! -f "$prefix/system.reg" ]; then
    WINEPREFIX="$prefix" wineboot -i </dev/null >/dev/null 2>&1
  else
    WINEPREFIX="$prefix" wineboot </dev/null >/dev/null 2>&1
  fi
  if [ ! -f "$prefix/.ravo-settings-$dpi" ]; then
    # Debian's Wine does not find its own fonts (Marlett draws the caption
    # buttons, Tahoma the dialogs); give them to the prefix.
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    # Without a window manager Wine waits on every hide and draws no
    # caption unless its windows are unmanaged. Faces Windows has and Linux
    # lacks are mapped to look alike. The screen's resolution is set.
    local reg="$prefix/ravo-settings.reg"
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
      '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"Times New Roman"="Liberation Serif"' \
      '"ＭＳ ゴシック"="IPAGothic"' \
      '"ＭＳ 明朝"="IPAMincho"' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' '' | iconv -f UTF-8 -t UTF-16 >"$reg"
    WINEPREFIX="$prefix" wine regedit /S "$reg" </dev/null >/dev/null 2>&1
    touch "$prefix/.ravo-settings-$dpi"
  fi
}

# The prefix of the tests at 96 DPI, and one at 144 DPI (150 %) for the
# test that the program follows the screen's scale.
prepare_wine() {
  prepare_prefix "$WINEPREFIX" 96
  prepare_prefix "$WINEPREFIX_144" 144
}

# The start the scripts that run the program share: what they need
# installed, the Windows build (of the targets given, else all), and a
# private display and the prefixes, stopped when the script ends.
# start_wine [TARGET...]
start_wine() {
  "$root/scripts/setup"
  cmake --preset win >/dev/null
  if [ $# -gt 0 ]; then cmake --build --preset win --target "$@"; else cmake --build --preset win; fi
  trap 'stop_wine; stop_display' EXIT
  start_display
  prepare_wine
}

stop_wine() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$WINEPREFIX_144" wineserver -k </dev/null >/dev/null 2>&1 || true
}
