#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, quietly, with a Hebrew locale so
# that the ANSI code page is 1255. The prefix is made on first use, under a lock, because ctest
# starts several programs at once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=${DETRON_WINE_LANG:-he_IL.UTF-8}
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"
exec wine "$@"
