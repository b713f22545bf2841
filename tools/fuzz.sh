#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (cmake --preset fuzz) under libFuzzer, each from a
# working copy of its kept corpus and its regression inputs, and prints per target the
# executions, the coverage (edges), the time and the findings. Exits non-zero on any finding.
#   tools/fuzz.sh BUILD_DIR --seconds N   each target for N seconds (make fuzz)
#   tools/fuzz.sh BUILD_DIR --runs N      each target for N executions (make test)
# A finding is kept in BUILD_DIR/fuzz-work/TARGET/findings/; once mended, it belongs in
# fuzz/regressions/TARGET/, which every build with tests replays.
set -uo pipefail
build=$1
mode=$2
limit=$3
case "$mode" in
  --seconds) bound=(-max_total_time="$limit") ;;
  # A bound in time too, so that a slow machine still ends: a run stopped by it is no finding.
  --runs) bound=(-runs="$limit" -max_total_time=60) ;;
  *) echo "usage: $0 BUILD_DIR --seconds N | --runs N" >&2; exit 2 ;;
esac
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets=(date_reader hebrew_words options text_codecs engine_days)
status=0
printf '%-14s %12s %8s %8s %9s\n' target executions edges seconds findings
for target in "${targets[@]}"; do
  work=$build/fuzz-work/$target
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/findings"
  # The kept corpus changes only when someone chooses to keep what a run found.
  cp "$source_dir/fuzz/corpus/$target/"* "$work/corpus/"
  start=$(date +%s.%N)
  "$build/fuzz/${target}_fuzz" "${bound[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" "$work/corpus" "$source_dir/fuzz/regressions/$target" \
    >"$work/log" 2>&1
  result=$?
  end=$(date +%s.%N)
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
  edges=$(grep -o 'cov: [0-9]*' "$work/log" | tail -n 1 | cut -d' ' -f2)
  findings=$(find "$work/findings" -type f | wc -l)
  printf '%-14s %12s %8s %8.0f %9s\n' "$target" "${executions:-?}" "${edges:-?}" "$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')" "$findings"
  if [[ $result -ne 0 || $findings -ne 0 ]]; then
    status=1
    echo "--- $target: exit status $result; its log ends:"
    tail -n 30 "$work/log"
    find "$work/findings" -type f | sed 's/^/finding: /'
  fi
done
exit $status
