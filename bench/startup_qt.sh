#!/usr/bin/env bash
# Start-up of the Linux program against an empty Qt window of the same size: Release build,
# both started side by side, alternating, on a private display with a window manager and a
# session bus, as on a person's desktop. Prints each run, the medians and their ratio, the CPU
# used while idle and the peak memory; the empty window with one line of Hebrew text runs
# beside them, to show what drawing any text costs, and the same controls as plain Qt widgets
# with only the items they show, to show what drawing this window costs at all.
#   bench/startup_qt.sh [RUNS]      (default 11)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" --target detron empty_window >/dev/null
exec tools/x-session.sh --dbus /usr/bin/python3 bench/startup_qt.py \
  build/bench/converter/detron build/bench/bench/empty_window --runs "${1:-11}" \
  --also "build/bench/bench/empty_window --label" --also "build/bench/bench/empty_window --controls"
