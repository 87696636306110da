#!/usr/bin/env bash
# Runs fuzz targets of a fuzzing build tree for a set time each and prints, per target, the
# executions, the coverage reached and the result.
#   tools/fuzz.sh BUILD_DIR SECONDS [NAME ...]     (no NAME: every target)
# Seeds come from fuzz/corpus/NAME; new inputs go to BUILD_DIR/corpus/NAME, crashes to
# BUILD_DIR/artifacts. Exits non-zero when a target found a fault.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd); seconds=$2; shift 2
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for exe in "$build"/*_fuzz; do names+=("$(basename "${exe%_fuzz}")"); done
fi
failed=0
mkdir -p "$build/artifacts" "$build/logs"
for name in "${names[@]}"; do
  seeds="$here/fuzz/corpus/$name"; work="$build/corpus/$name"; log="$build/logs/$name.log"
  mkdir -p "$work" "$seeds"
  # Runs in a scratch directory: some readers take fixed file names in the working directory.
  scratch=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
  (cd "$scratch" && "$build/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" "$work" "$seeds") >"$log" 2>&1
  status=$?
  rm -rf "$scratch"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  if [ $status -eq 0 ]; then result=ok; else result="FAULT (see $log)"; failed=1; tail -40 "$log"; fi
  printf '%-16s %12s execs  cov %6s  %s\n' "$name" "${runs:-0}" "${cov:-?}" "$result"
done
exit $failed
