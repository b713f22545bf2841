#!/usr/bin/env bash
# Runs the tests that act through a real display, the accessibility bus or Wine (ctest label
# "desktop") RUNS times, with BUSY busy processes (a shell loop each) running beside them the
# whole time, as on a machine doing other work. Prints every failure with its test and message,
# the count, and any process the runs left behind. Uses the builds `make test` made: build/ci,
# build/windows64 and, where 32-bit programs run, build/windows.
#   tools/stress-tests.sh RUNS BUSY
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
[[ $# -eq 2 && $1 =~ ^[0-9]+$ && $2 =~ ^[0-9]+$ ]] || { echo "usage: $0 RUNS BUSY" >&2; exit 2; }
runs=$1
busy=$2
jobs=$(nproc)

presets=()
[[ -d build/ci ]] && presets+=(ci)
[[ -d build/windows64 ]] && presets+=(windows64)
[[ -d build/windows ]] && ./tools/can-run-32bit.sh >/dev/null && presets+=(windows)
[[ ${#presets[@]} -gt 0 ]] || { echo "no builds: run make test first" >&2; exit 2; }

logs=$(mktemp -d)
# The processes a test session may start; whatever of them the runs leave is reported.
watched='Xvfb|openbox|dbus-daemon|dbus-run-session|at-spi|wineserver|wine64|wine|winedevice|explorer|services|plugplay|rpcss|conhost|\.exe$|detron'
living() { ps -eo pid=,stat=,args= | awk '$2 !~ /^Z/' | grep -E "$watched" | grep -v -E 'grep|stress-tests' || true; }
living | awk '{print $1}' | sort >"$logs/before"

loops=()
stop_loops() { for pid in "${loops[@]}"; do kill "$pid" 2>/dev/null; done; loops=(); }
trap 'stop_loops; rm -rf "$logs"' EXIT
for _ in $(seq "$busy"); do
  bash -c 'while :; do :; done' &
  loops+=($!)
done

echo "stress: ${presets[*]}, $runs runs, $busy busy processes, $(nproc) cores"
started=$SECONDS
failures=0
for run in $(seq "$runs"); do
  for preset in "${presets[@]}"; do
    junit=$logs/$preset-$run.xml
    if [[ $preset == ci ]]; then
      ctest --preset ci -L desktop -j "$jobs" --output-junit "$junit" >"$logs/$preset-$run.log" 2>&1
    else
      ./tools/windows-tests.sh "$preset" -L desktop -j "$jobs" --output-junit "$junit" >"$logs/$preset-$run.log" 2>&1
    fi
    status=$?
    # ctest writes the file relative to the build folder.
    [[ -f $junit ]] || junit=build/$preset/$junit
    found=$(python3 - "$junit" "$preset" "$run" <<'PY'
import re, sys
import xml.etree.ElementTree as ET
path, preset, run = sys.argv[1:]
try:
    cases = ET.parse(path).getroot().iter("testcase")
except (OSError, ET.ParseError):
    print(f"run {run} {preset}: no results (ctest did not finish)")
    sys.exit()
for case in cases:
    if case.get("status") in ("run", "notrun", "disabled", None) and case.find("failure") is None:
        continue
    output = case.findtext("system-out") or ""
    # gtest's and unittest's own lines that say what went wrong.
    said = [line.strip() for line in output.splitlines()
            if re.search(r"Failure|Expected|Which is|Value of|actual|timed out|Timeout|Error|error:|"
                         r"did not|never|AssertionError|FAILED", line)]
    print(f"run {run} {preset}: {case.get('name')} ({case.get('status')})")
    for line in dict.fromkeys(said[:12]):
        print(f"    {line[:200]}")
PY
)
    if [[ -n "$found" ]]; then
      echo "$found"
      failures=$((failures + $(grep -c '^run ' <<<"$found")))
    elif [[ $status -ne 0 ]]; then
      echo "run $run $preset: the suite failed with status $status (log follows)"
      tail -n 20 "$logs/$preset-$run.log" | sed 's/^/    /'
      failures=$((failures + 1))
    fi
    echo "run $run $preset: $(grep -E 'tests passed' "$logs/$preset-$run.log" | tail -n 1)"
  done
done
stop_loops
wine_stopped=$(./tools/wine-run.sh --stop 2>&1 || true)
[[ -z "$wine_stopped" ]] || echo "$wine_stopped"

left=$(living | awk 'NR == FNR { before[$1]; next } !($1 in before)' "$logs/before" -)
echo "stress: $failures failures in $runs runs with $busy busy processes ($((SECONDS - started)) s)"
if [[ -n "$left" ]]; then
  echo "stress: left behind:"
  echo "$left" | sed 's/^/    /'
else
  echo "stress: nothing left behind"
fi
[[ $failures -eq 0 && -z "$left" ]]
