#!/usr/bin/env bash
# Writes what detron-convert answers to a fixed set of runs (every day of the range in every
# format and calendar choice, 100,000 dates from standard input, hebcal's Hebrew text, the
# anniversaries and holidays of 1,000 years, messages) into DIR, one file per run, and prints a
# checksum per file. Run it with two builds and compare, to show a change of the program's
# insides left its answers alone: `tools/cli-outputs.sh OLD /tmp/a; tools/cli-outputs.sh NEW /tmp/b`.
# `tools/cli-outputs.sh --normalise DIR` leaves out the marks of the Hebrew numerals in DIR's
# files (every geresh and gershayim, ASCII or Hebrew), names a leap year's first Adar "אדר", and
# unfolds iCalendar lines, for comparing across a change of those texts only, and prints the
# checksums again.
set -euo pipefail
if [[ $1 == --normalise ]]; then
  cd "$2"
  perl -0pi -e "s/\r\n //g; s/\xD7\xB4|\xD7\xB3|(?<=[\xD7][\x90-\xAA])\x27//g; s/\xD7\x90\xD7\x93\xD7\xA8 \xD7\x90 /\xD7\x90\xD7\x93\xD7\xA8 /g" -- *.out *.err
  md5sum -- *.out *.err
  exit
fi
program=$(realpath "$1")
out=$2
mkdir -p "$out"
cd "$out"
export SOURCE_DATE_EPOCH=1700000000
whole=(--from "1 Tishri 0" --to "29 Elul 6001")
run() {  # name, arguments...
  local name=$1
  shift
  "$program" "$@" >"$name.out" 2>"$name.err" || echo "exit $?" >>"$name.err"
}
for calendar in window --gregorian --julian "--switch=1752-09-14"; do
  choice=()
  [[ $calendar == window ]] || choice=("$calendar")
  for format in text csv json; do
    run "range-$format-${calendar#--}" --format "$format" "${choice[@]}" "${whole[@]}"
  done
  run "evening-csv-${calendar#--}" --format csv --after-sunset "${choice[@]}" --from -3000-01-01 --to 2240-12-30
done
run range-ics --format ics --from 0001-01-03 --to 2240-12-31
# 100,000 dates, civil and Hebrew in turn, and Hebrew text as hebcal writes it.
"$program" --format csv --from 1900-01-01 --to 2173-10-15 |
  awk -F, 'NR > 1 { if (NR % 2) print $1; else print $7 " " $6 " " $4 }' >dates.in
run input-json --format json - <dates.in
run input-text - <dates.in
if command -v hebcal >/dev/null; then
  for year in 1900 2024 2239; do hebcal -d -h -g --lang he "$year"; done | cut -d' ' -f2- >hebcal.in
  run input-hebcal - <hebcal.in
fi
for format in text csv json ics; do
  run "holidays-$format" --format "$format" --holidays --years 5001..6000
  run "israel-$format" --format "$format" --holidays --israel --years 5700..5800
  run "anniversaries-$format" --format "$format" --birthday 1990-03-01 --yahrzeit "30 Heshvan 5784" \
    --yahrzeit 2000-02-05 --after-sunset --years 5700..6000
done
printf '%s\n' 2023-02-30 "30 Heshvan 5784" "1 Adar II 5783" bad "" "$(printf '\xff\x1b[2J')" 2024-04-23 \
  "ט״ו ניסן תשפ״ד" "15 Nisan 6002" -4000-01-01 >messages.in
run messages --carry=no - <messages.in || true
run messages-plain - <messages.in
md5sum -- *.out *.err
