#!/usr/bin/env bash
# Runs a command on a private X display with a window manager, as on a person's desktop:
# a fresh Xvfb on a display number it picks itself, openbox managing the windows, and with
# --dbus a private D-Bus session bus (what the accessibility bus and its clients need).
# The display and the window manager end with the command; its exit status is passed on.
#   tools/x-session.sh [--dbus] COMMAND [ARG...]
set -euo pipefail
if [[ "${1:-}" == --dbus ]]; then
  shift
  exec dbus-run-session -- "$0" "$@"
fi
[[ $# -gt 0 ]] || { echo "usage: $0 [--dbus] COMMAND [ARG...]" >&2; exit 2; }

ready=$(mktemp)
Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>"$ready" &
xvfb=$!
wm=
cleanup() {
  [[ -n "$wm" ]] && kill "$wm" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -f "$ready"
}
trap cleanup EXIT
number=
for _ in $(seq 400); do
  number=$(head -n1 "$ready" 2>/dev/null || true)
  [[ -n "$number" ]] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
[[ -n "$number" ]] || { echo "x-session: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$number

openbox --sm-disable </dev/null >/dev/null 2>&1 &
wm=$!
# The window manager is ready once it has announced itself on the root window.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

status=0
"$@" || status=$?
exit "$status"
