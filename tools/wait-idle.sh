#!/usr/bin/env bash
# Waits until a process has finished starting up: a whole second in which none of its threads
# was ready to run or used the processor. Fails when the process ends first, or stays busy
# for a minute, far beyond any start-up.
#   tools/wait-idle.sh PID
set -euo pipefail
pid=$1

# Processor time of the process so far, all threads, in nanoseconds; "ready" when any thread
# waits only for a processor.
processor_use() {
  cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%d", sum }'
  grep -q -E '\) R ' /proc/"$pid"/task/*/stat 2>/dev/null && echo " ready"
  echo
}

last=$(processor_use) quiet=0
for _ in $(seq 1200); do
  kill -0 "$pid" 2>/dev/null || { echo "wait-idle: process $pid ended" >&2; exit 1; }
  sleep 0.05
  now=$(processor_use)
  if [[ "$now" == "$last" && "$now" != *ready ]]; then
    quiet=$((quiet + 1))
    [[ $quiet -ge 20 ]] && exit 0
  else
    last=$now quiet=0
  fi
done
echo "wait-idle: process $pid never went idle" >&2
exit 1
