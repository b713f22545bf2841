#!/usr/bin/env bash
# Runs a command on a private X display, as on a person's desktop: a fresh Xvfb on a display
# number it picks itself, openbox managing the windows (not with --no-wm, for Wine, which
# draws its own frames), and with --dbus a private D-Bus session bus (what the accessibility
# bus and its clients need). The command's exit status is passed on.
#
# Nothing it starts outlives it: the display, the window manager, the bus and the command end
# with the command, and also when this script is killed (a test that timed out), since each
# of them gets the kernel's parent-death signal when this script's process goes.
#   tools/x-session.sh [--dbus] [--no-wm] COMMAND [ARG...]
set -euo pipefail
dbus=0
wm=1
while [[ $# -gt 0 ]]; do
  case "$1" in
    --dbus) dbus=1; shift ;;
    --no-wm) wm=0; shift ;;
    *) break ;;
  esac
done
[[ $# -gt 0 ]] || { echo "usage: $0 [--dbus] [--no-wm] COMMAND [ARG...]" >&2; exit 2; }

# Started from here directly, so that this script's process is the parent the kernel watches.
tied=(setpriv --pdeathsig KILL --)
helpers=()
files=()
# The helpers are waited for: a display server still shutting down when the next session
# starts could otherwise answer, for a moment, under the number that session takes.
cleanup() {
  for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${helpers[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -f "${files[@]}"
}
trap cleanup EXIT

# Waits for a line in a file that a helper writes once it accepts clients; the helper's end,
# or a deadline far beyond any start-up, fails.
first_line() {
  local file=$1 pid=$2 what=$3 line
  for _ in $(seq 1200); do
    line=$(head -n1 "$file" 2>/dev/null || true)
    [[ -n "$line" ]] && { echo "$line"; return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "x-session: $what did not start" >&2
  return 1
}

# A display number drawn at random among many, not the lowest free one: sessions that run side
# by side then never take a number another session's server is just giving up. A number in use
# makes Xvfb end at once, and another is drawn. -noreset: by default the server starts over
# whenever its last client leaves, and a client connecting just then (the window manager, while
# the probe below comes and goes) is refused the display.
ready=$(mktemp)
files+=("$ready")
number=
for _ in $(seq 50); do
  candidate=$((100 + (RANDOM * 32768 + RANDOM) % 30000))
  "${tied[@]}" Xvfb ":$candidate" -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 \
    8>"$ready" &
  xvfb=$!
  if number=$(first_line "$ready" "$xvfb" Xvfb 2>/dev/null); then
    helpers+=("$xvfb")
    break
  fi
  wait "$xvfb" 2>/dev/null || true
done
[[ -n "$number" ]] || { echo "x-session: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$number

if [[ $dbus == 1 ]]; then
  address=$(mktemp)
  files+=("$address")
  "${tied[@]}" dbus-daemon --session --nofork --nopidfile --print-address=8 </dev/null >/dev/null 2>&1 8>"$address" &
  helpers+=($!)
  DBUS_SESSION_BUS_ADDRESS=$(first_line "$address" "$!" "the session bus")
  export DBUS_SESSION_BUS_ADDRESS
fi

if [[ $wm == 1 ]]; then
  "${tied[@]}" openbox --sm-disable </dev/null >/dev/null 2>&1 &
  wm_pid=$!
  helpers+=("$wm_pid")
  # The window manager is ready once it has announced itself on the root window.
  announced=0
  for _ in $(seq 1200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { announced=1; break; }
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  [[ $announced == 1 ]] || { echo "x-session: openbox did not start" >&2; exit 1; }
fi

status=0
"${tied[@]}" "$@" || status=$?
exit "$status"
