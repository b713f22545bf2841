#!/usr/bin/env bash
# Start-up of the Windows programs under Wine against an empty Win32 window of the same size:
# Release builds, both started side by side, alternating, on a private display with a window
# manager, with the prefix's Wine server kept running so that neither start pays for it.
# The 64-bit program always; the 32-bit one where this machine runs 32-bit programs.
# Prints each run, both medians, their ratio, the CPU used while idle and the peak memory.
#   bench/startup_windows.sh [RUNS]      (default 11)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
builds=(windows64)
if reason=$(tools/can-run-32bit.sh); then
  builds+=(windows)
else
  echo "The 32-bit program is not measured: this machine cannot run 32-bit programs ($reason)."
fi
for build in "${builds[@]}"; do
  cmake --preset "$build" >/dev/null
  cmake --build --preset "$build" -j "$(nproc)" --target detron empty_window >/dev/null
  size=$(stat -c %s "build/$build/converter/detron.exe")
  echo "== $build: detron.exe $size bytes"
  tools/x-session.sh bash -c '
    set -euo pipefail
    build=$1 runs=$2
    tools/wine-run.sh "build/$build/bench/windows/empty_window.exe" & pid=$!
    sleep 3; kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
    prefix=build/wineprefix32; [[ $build == windows64 ]] && prefix=build/wineprefix64
    WINEPREFIX=$PWD/$prefix wineserver -p 2>/dev/null || true  # already running is as good
    status=0
    python3 bench/startup.py "build/$build/converter/detron.exe" \
      "build/$build/bench/windows/empty_window.exe" --runs "$runs" --runner tools/wine-run.sh || status=$?
    WINEPREFIX=$PWD/$prefix wineserver -k || true
    exit "$status"' _ "$build" "$runs"
done
