#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, quietly, with a Hebrew locale so
# that the ANSI code page is 1255. The prefix is made on first use, under a lock, because ctest
# starts several programs at once. Without a DISPLAY, the programs share one Xvfb server for
# the build; its display number is kept next to the prefix, and `tools/wine-run.sh --stop-xvfb`
# ends it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=${DETRON_WINE_LANG:-he_IL.UTF-8}
display_file=$WINEPREFIX.display
mkdir -p "$(dirname "$WINEPREFIX")"

# The server whose display number and process id the file names, if it still runs. Its socket
# file is not checked: clients also reach it through the abstract socket, and /tmp cleaners
# delete the file.
xvfb_alive() {
  local number pid
  [[ -f "$display_file" ]] || return 1
  read -r number pid <"$display_file" || return 1
  [[ -n "$number" && -n "$pid" ]] || return 1
  [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == Xvfb ]] || return 1
  [[ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" != Z ]] || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -- "-displayfd" || return 1
  echo "$number"
}

# Xvfb picks a free display number itself and writes it once it accepts clients.
start_xvfb() {
  local ready pid number tries
  ready=$(mktemp)
  # Not holding the lock: the server outlives this run.
  Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>"$ready" 9>&- &
  pid=$!
  disown
  for tries in $(seq 200); do
    number=$(head -n1 "$ready" 2>/dev/null || true)
    if [[ -n "$number" ]]; then
      rm -f "$ready"
      echo "$number $pid" >"$display_file"
      echo "$number"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null || true
  rm -f "$ready"
  echo "wine-run: could not start Xvfb" >&2
  return 1
}

if [[ "${1:-}" == --stop-xvfb ]]; then
  (
    flock 9
    if number=$(xvfb_alive); then
      read -r _ pid <"$display_file"
      kill "$pid" 2>/dev/null || true
    fi
    rm -f "$display_file"
  ) 9>"$WINEPREFIX.lock"
  exit 0
fi

display=$(
  exec 9>"$WINEPREFIX.lock"
  flock 9
  display=${DISPLAY:-}
  if [[ -z "$display" ]]; then
    number=$(xvfb_alive) || number=$(start_xvfb)
    display=:$number
  fi
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    DISPLAY=$display wineboot --init >/dev/null 2>&1 || true
    # Wine draws the window frames itself: there is no window manager to ask, and closing a
    # window would otherwise wait two seconds for one to answer.
    DISPLAY=$display wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  echo "$display"
)
export DISPLAY=$display
exec wine "$@"
