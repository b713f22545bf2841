#!/usr/bin/env bash
# Runs one Windows suite under Wine (ctest preset windows64 or windows, further ctest
# arguments passed on) on an X display of its own, and ends both prefixes' Wine servers
# afterwards, whether the suite passed or not: nothing the suite started outlives it.
#   tools/windows-tests.sh PRESET [CTEST ARGUMENT...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -ge 1 ]] || { echo "usage: $0 PRESET [CTEST ARGUMENT...]" >&2; exit 2; }
cd "$here"
# One Wine server per prefix for the whole suite, ended by --stop below.
export DETRON_WINE_SERVER=keep
# shellcheck disable=SC2016
exec "$here/tools/x-session.sh" --no-wm bash -c '
  status=0
  ctest --preset "$@" || status=$?
  "$0/tools/wine-run.sh" --stop
  exit "$status"' "$here" "$@"
