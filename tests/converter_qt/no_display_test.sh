#!/usr/bin/env bash
# The program started where there is no display: without one (and with one that cannot be
# reached) it says in one line what it needs and how to run it offscreen, and ends with status
# 1; with Qt's own option -platform offscreen it starts, converts and waits.
#   no_display_test.sh PROGRAM SOURCE_DIR
set -euo pipefail
program=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
bare=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work")

for display in none :999; do
  status=0
  if [[ $display == none ]]; then
    "${bare[@]}" "$program" >"$work/out" 2>"$work/err" || status=$?
  else
    "${bare[@]}" DISPLAY=$display "$program" >"$work/out" 2>"$work/err" || status=$?
  fi
  echo "display $display: status $status: $(cat "$work/err")"
  [[ $status -eq 1 ]] || fail "display $display: status $status, not 1"
  [[ $(wc -l <"$work/err") -eq 1 ]] || fail "display $display: not one line: $(cat "$work/err")"
  grep -q 'graphical display' "$work/err" || fail "display $display: the line does not say what is missing"
  grep -qF -- '-platform offscreen' "$work/err" || fail "display $display: the line does not say how to run offscreen"
  [[ ! -s "$work/out" ]] || fail "display $display: wrote to standard output"
done

"${bare[@]}" "$program" -platform offscreen 2>"$work/offscreen.err" &
started=$!
if "$source/tools/wait-idle.sh" "$started"; then
  echo "-platform offscreen: started and idle"
else
  fail "-platform offscreen: the program did not start and go idle: $(cat "$work/offscreen.err")"
fi
kill "$started" 2>/dev/null || true
wait "$started" 2>/dev/null || true
exit $((failures > 0))
