#!/usr/bin/env bash
# How fast the command-line converter is, Release build: every day of the civil range as JSON
# Lines into /dev/null, and a batch of 100,000 dates (civil and Hebrew, half each) from standard
# input. Prints wall-clock seconds and peak memory of each run, the best of three, and Debian's
# hebcal printing a year and a century of daily Hebrew dates for comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/deps.sh time hebcal
cmake --preset bench >/dev/null
cmake --build --preset bench --target detron-convert -j "$(nproc)" >/dev/null
program=build/bench/cli/detron-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The best wall-clock time of three runs, and the peak memory of that run: "seconds kilobytes".
measure() {
  local best="" memory="" run
  for run in 1 2 3; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null
    end=$(date +%s%N)
    seconds=$(awk -v n=$((end - start)) 'BEGIN { printf "%.3f", n / 1e9 }')
    kilobytes=$(tail -n1 "$work/time")
    if [[ -z "$best" ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
      memory=$kilobytes
    fi
  done
  echo "$best $memory"
}

report() {  # what, days, "seconds kilobytes"
  read -r seconds kilobytes <<<"$3"
  awk -v what="$1" -v days="$2" -v s="$seconds" -v kb="$kilobytes" 'BEGIN {
    rate = s > 0 ? sprintf("%.0f", days / s) : "more than " days;
    printf "%-58s %9d days  %6.3f s  %7s days/s  peak %6.1f MB\n", what, days, s, rate, kb / 1024 }'
}

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
report "detron-convert --format json, -3760-01-01 ... 2240-12-31" 2191851 \
  "$(measure "$program" --format json --from -3760-01-01 --to 2240-12-31)"
report "detron-convert --format text, the same range" 2191851 \
  "$(measure "$program" --from -3760-01-01 --to 2240-12-31)"

# 100,000 dates: civil dates and Hebrew dates in Latin letters, alternately, from 1900 on.
"$program" --format csv --from 1900-01-01 --to 2173-10-15 |
  awk -F, 'NR > 1 { if (NR % 2) print $1; else print $7 " " $6 " " $4 }' >"$work/dates"
lines=$(wc -l <"$work/dates")
report "detron-convert --format json - (civil and Hebrew input)" "$lines" \
  "$(measure sh -c "exec '$program' --format json - <'$work/dates'")"

report "hebcal -d -h 2024 (one year of daily Hebrew dates)" 366 "$(measure hebcal -d -h 2024)"
report "hebcal -d -h for 1900 ... 1999, one year at a time" 36524 \
  "$(measure sh -c 'for y in $(seq 1900 1999); do hebcal -d -h $y; done')"
