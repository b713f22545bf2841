#!/usr/bin/env bash
# Start-up of the Windows programs under Wine, against an empty Win32 window of the same client
# size built the same way (bench/windows/empty_window.cpp). The two are started in turn, RUNS
# times each, and each run is timed from launch until the program is ready as a person waits
# for it: its window mapped, and the process gone idle, at the moment of its last processor use
# (the window shows before the lists are filled, so its appearing is not enough). Prints the
# medians and their ratio for each build present: build/windows64 and build/windows (32-bit,
# where this machine runs 32-bit programs). Build them first with `make windows`.
#   bench/windows_startup.sh [RUNS]        RUNS: at least 9, default 11
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-11}
((runs >= 9)) || { echo "at least 9 runs each" >&2; exit 2; }
idle_us=400000  # this long without processor use, the program is idle

exec {never}<> <(:)
nap() { read -r -t "$1" -u "$never" || true; }

# Microseconds since the epoch, from bash's own clock: no process is started to read it.
now_us() {
  local t=${EPOCHREALTIME/./}
  echo $((10#$t))
}

# The processor time, in nanoseconds, used so far by all threads of process $1; into $cpu.
read_cpu() {
  local task used sum=0
  for task in /proc/"$1"/task/*/schedstat; do
    read -r used _ <"$task" 2>/dev/null || continue
    sum=$((sum + used))
  done
  cpu=$sum
}

# One run of program $1; prints the milliseconds from launch until ready.
time_one() {
  local start pid mapped=0 last=-1 changed now polls=0
  start=$(now_us)
  "$here/tools/wine-run.sh" "$1" >/dev/null 2>&1 &
  pid=$!
  changed=$start
  while kill -0 "$pid" 2>/dev/null; do
    now=$(now_us)
    read_cpu "$pid"
    if ((cpu != last)); then
      last=$cpu
      changed=$now
    fi
    if ((mapped == 0 && polls++ % 10 == 0)) && xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then
      mapped=1
    fi
    if ((mapped == 1 && now - changed >= idle_us)); then
      break
    fi
    nap 0.002
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  ((mapped == 1)) || { echo "$1: no window was mapped" >&2; exit 1; }
  echo $(((changed - start) / 1000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Both programs of one build, alternating, after one unmeasured run of each (Wine's server and
# the prefix come up then).
compare() {
  local build=$1 label=$2 program yardstick i
  program=$build/converter/detron.exe
  yardstick=$build/bench/windows/empty_window.exe
  [[ -f $program && -f $yardstick ]] || { echo "$label: not built ($build)"; return 0; }
  time_one "$yardstick" >/dev/null
  time_one "$program" >/dev/null
  local -a ours=() empty=()
  for ((i = 0; i < runs; i++)); do
    empty+=("$(time_one "$yardstick")")
    ours+=("$(time_one "$program")")
  done
  local ours_median empty_median
  ours_median=$(printf '%s\n' "${ours[@]}" | median)
  empty_median=$(printf '%s\n' "${empty[@]}" | median)
  echo "$label: detron.exe $ours_median ms, empty window $empty_median ms (medians of $runs), ratio" \
    "$(awk -v a="$ours_median" -v b="$empty_median" 'BEGIN { printf "%.2f", a / b }')"
  echo "  detron.exe: ${ours[*]}"
  echo "  empty window: ${empty[*]}"
  echo "  sizes: detron.exe $(stat -c %s "$program") bytes, empty_window.exe $(stat -c %s "$yardstick") bytes"
}

# xdotool looks at the display the programs use: Wine's shared Xvfb unless one is set.
if [[ -z "${DISPLAY:-}" ]]; then
  "$here/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
  read -r number _ <"$here/build/wine.display"
  export DISPLAY=:$number
fi
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1), $(wine --version)"
compare "$here/build/windows64" "64-bit"
if "$here/tools/can-run-32bit.sh" >/dev/null; then
  compare "$here/build/windows" "32-bit"
else
  echo "32-bit: skipped, this machine runs no 32-bit programs"
fi
