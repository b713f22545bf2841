#!/usr/bin/env bash
# Start-up of the Windows programs under Wine, against an empty Win32 window of the same client
# size built the same way (bench/windows/empty_window.cpp), and beside them the same window with
# the converter's controls made plainly, each list holding one item, once as a plain program and
# once started as the program is (its manifest's themed controls, the common-control and COM
# calls): what making and drawing these controls costs at all under Wine. All are started in turn, RUNS
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

# One run of program $1 with arguments $2...; prints the milliseconds from launch until ready.
time_one() {
  local start pid mapped=0 last=-1 changed now polls=0
  start=$(now_us)
  "$here/tools/wine-run.sh" "$@" >/dev/null 2>&1 &
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

# The programs of one build, in turn, after one unmeasured run of each (Wine's server and the
# prefix come up then): the program, the empty window, and the two windows with the same
# controls made plainly (one item a list), started as a plain program and as the program starts.
compare() {
  local build=$1 label=$2 i j
  local program=$build/converter/detron.exe
  local empty=$build/bench/windows/empty_window.exe
  local themed=$build/bench/windows/themed_window.exe
  [[ -f $program && -f $empty && -f $themed ]] || { echo "$label: not built ($build)"; return 0; }
  local -a names=("detron.exe" "empty window" "the same controls, plain" "the same controls, started as the program")
  local -a commands=("$program" "$empty" "$empty --controls" "$themed --controls")
  local -a times=() medians=()
  for ((j = 0; j < ${#commands[@]}; j++)); do
    # shellcheck disable=SC2086  # a command and its arguments
    time_one ${commands[j]} >/dev/null
  done
  for ((i = 0; i < runs; i++)); do
    for ((j = 0; j < ${#commands[@]}; j++)); do
      # shellcheck disable=SC2086
      times[j]+="$(time_one ${commands[j]}) "
    done
  done
  for ((j = 0; j < ${#commands[@]}; j++)); do
    # shellcheck disable=SC2086
    medians[j]=$(printf '%s\n' ${times[j]} | median)
  done
  echo "$label: detron.exe ${medians[0]} ms, empty window ${medians[1]} ms (medians of $runs), ratio" \
    "$(awk -v a="${medians[0]}" -v b="${medians[1]}" 'BEGIN { printf "%.2f", a / b }')"
  for ((j = 2; j < ${#commands[@]}; j++)); do
    echo "  ${names[j]}: ${medians[j]} ms, ratio" \
      "$(awk -v a="${medians[j]}" -v b="${medians[1]}" 'BEGIN { printf "%.2f", a / b }')"
  done
  for ((j = 0; j < ${#commands[@]}; j++)); do
    echo "  ${names[j]}: ${times[j]}"
  done
  echo "  sizes: detron.exe $(stat -c %s "$program") bytes, empty_window.exe $(stat -c %s "$empty") bytes"
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
