#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, with a Hebrew locale so that the ANSI code page is
# 1255. The program's own header decides the Wine: a 64-bit program runs under wine64 in the
# build's 64-bit prefix, a 32-bit one under the 32-bit loader in the 32-bit prefix, so a machine
# whose kernel runs no 32-bit programs still runs every 64-bit one. Each prefix is made on first
# use, under a lock, because ctest starts several programs at once. Without a DISPLAY, all
# programs share one Xvfb server for the build; its display number is kept in build/, and
#   tools/wine-run.sh --stop
# ends it and both prefixes' Wine servers.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
state=$here/build
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=${DETRON_WINE_LANG:-he_IL.UTF-8}
display_file=$state/wine.display
mkdir -p "$state"

wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64

# 32 or 64, from the machine field of a PE file's header; nothing for anything else.
pe_bits() {
  local offset machine
  [[ -f "$1" ]] || return 0
  [[ "$(head -c 2 "$1")" == MZ ]] || return 0
  offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' ')
  case "$machine" in
    014c) echo 32 ;;
    8664) echo 64 ;;
  esac
}

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
  local ready pid number
  ready=$(mktemp)
  # Not holding the lock: the server outlives this run.
  Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 8>"$ready" 9>&- &
  pid=$!
  disown
  for _ in $(seq 200); do
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

if [[ "${1:-}" == --stop || "${1:-}" == --stop-xvfb ]]; then
  for bits in 32 64; do
    [[ -d "$state/wineprefix$bits" ]] && WINEPREFIX=$state/wineprefix$bits wineserver -k 2>/dev/null || true
  done
  (
    flock 9
    if xvfb_alive >/dev/null; then
      read -r _ pid <"$display_file"
      kill "$pid" 2>/dev/null || true
    fi
    rm -f "$display_file"
  ) 9>"$state/wine.lock"
  exit 0
fi

# --bits PROGRAM: which of the two (32 or 64) runs it.
if [[ "${1:-}" == --bits ]]; then
  bits=$(pe_bits "${2:-}")
  echo "${bits:-64}"
  exit 0
fi

# DETRON_WINE_BITS chooses for a command of Wine's own (reg, msiexec), which has no header to read.
bits=${DETRON_WINE_BITS:-$(pe_bits "${1:-}")}
bits=${bits:-64}
if [[ $bits == 32 ]]; then
  loader=$wine32
  export WINEARCH=win32
else
  loader=$wine64
  export WINEARCH=win64
  export WINELOADER=$wine64
fi
export WINEPREFIX=${WINEPREFIX:-$state/wineprefix$bits}

display=$(
  exec 9>"$state/wine.lock"
  flock 9
  display=${DISPLAY:-}
  if [[ -z "$display" ]]; then
    number=$(xvfb_alive) || number=$(start_xvfb)
    display=:$number
  fi
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    DISPLAY=$display "$loader" wineboot --init >/dev/null 2>&1 || true
    # Wine draws the window frames itself: there is no window manager to ask, and closing a
    # window would otherwise wait two seconds for one to answer.
    DISPLAY=$display "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # A suite (tools/windows-tests.sh sets DETRON_WINE_SERVER=keep) keeps the prefix's server until
  # --stop. Left to itself the server shuts the prefix down whenever none of its programs runs,
  # and a program that starts in that moment is cut off ("wine client error:0: recvmsg:
  # Connection reset by peer"). The server and the prefix's own programs (services, the
  # desktop), started here for the whole suite, must not hold the lock or a test's output.
  if [[ ${DETRON_WINE_SERVER:-} == keep ]] && wineserver -p </dev/null >/dev/null 2>&1 9>&-; then
    DISPLAY=$display "$loader" cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
  echo "$display"
)
export DISPLAY=$display
exec "$loader" "$@"
