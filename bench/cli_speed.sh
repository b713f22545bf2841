#!/usr/bin/env bash
# How fast the command-line converter is, Release build: every day of the civil range as JSON
# Lines into /dev/null, a batch of 100,000 dates (civil and Hebrew, half each) from standard
# input, the listings of 1,000 years and every day's events (--events) over the range. Prints
# wall-clock seconds and peak memory of each run, the best of three, and Debian's hebcal printing
# a year and a century of daily Hebrew dates for comparison; then the round trip of one line when
# another program uses it as a co-process.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/deps.sh time hebcal python3
cmake --preset bench >/dev/null
cmake --build --preset bench --target detron-convert -j "$(nproc)" >/dev/null
program=build/bench/cli/detron-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The best wall-clock time of three runs, with the peak memory and the processor time (user and
# system) of that run: "seconds kilobytes cpu-seconds". On a busy machine the processor time shows
# what the run itself costs.
measure() {
  local best="" memory="" cpu="" run
  for run in 1 2 3; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M %U %S" -o "$work/time" "$@" >/dev/null
    end=$(date +%s%N)
    seconds=$(awk -v n=$((end - start)) 'BEGIN { printf "%.3f", n / 1e9 }')
    read -r kilobytes user system < <(tail -n1 "$work/time")
    if [[ -z "$best" ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
      memory=$kilobytes
      cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }')
    fi
  done
  echo "$best $memory $cpu"
}

report() {  # what, days, "seconds kilobytes cpu-seconds"
  read -r seconds kilobytes cpu <<<"$3"
  awk -v what="$1" -v days="$2" -v s="$seconds" -v kb="$kilobytes" -v cpu="$cpu" 'BEGIN {
    rate = s > 0 ? sprintf("%.0f", days / s) : "more than " days;
    printf "%-58s %8d days %7.3f s (processor %5.2f s) %8s days/s  peak %5.1f MB\n", what, days, s, cpu, rate, kb / 1024 }'
}

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
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

# Anniversaries and holidays: the holidays of 1,000 Hebrew years, and 1,000 yahrzeits (one death
# on each of 1,000 days from 1900 on) over 100 years each; beside them hebcal's holidays of 100
# years, one year at a time.
lines=$("$program" --holidays --years 5001..6000 | wc -l)
report "detron-convert --holidays, 1,000 Hebrew years" "$lines" \
  "$(measure "$program" --holidays --years 5001..6000)"
"$program" --from 1900-01-01 --to 1902-09-27 | cut -c1-10 | sed 's/^/--yahrzeit /' | tr '\n' ' ' >"$work/deaths"
lines=$(eval "'$program' $(cat "$work/deaths") --years 5701..5800" | wc -l)
report "detron-convert, 1,000 --yahrzeit over 5701..5800" "$lines" \
  "$(measure sh -c "exec '$program' $(cat "$work/deaths") --years 5701..5800")"
# The week's events: every listing of 1,000 years together, and what every day of the range is.
lines=$("$program" --parsha --molad --omer --holidays --years 5001..6000 | wc -l)
report "detron-convert, the week and holidays of 1,000 years" "$lines" \
  "$(measure "$program" --parsha --molad --omer --holidays --years 5001..6000)"
report "detron-convert --events --format json, the whole range" 2191851 \
  "$(measure "$program" --events --from -3760-01-01 --to 2240-12-31 --format json)"
report "hebcal -H for 5701 ... 5800 (holidays), one year at a time" \
  "$(for y in $(seq 5701 5800); do hebcal -H "$y"; done | wc -l)" \
  "$(measure sh -c 'for y in $(seq 5701 5800); do hebcal -H $y; done')"

report "hebcal -d -h 2024 (one year of daily Hebrew dates)" 366 "$(measure hebcal -d -h 2024)"
report "hebcal -d -h for 1900 ... 1999, one year at a time" 36524 \
  "$(measure sh -c 'for y in $(seq 1900 1999); do hebcal -d -h $y; done')"

# A program that writes one date and waits for its answer, line after line.
python3 bench/cli_coprocess.py "$program" 2000
