#!/usr/bin/env bash
# Builds the libFuzzer targets (reader, numbers) with clang++-14 + ASan + UBSan and runs each for a
# bounded time on a copy of its seed corpus. Fails on any crash, sanitizer report or violated check.
#   scripts/run-fuzz.sh            # 30 s per target
#   FUZZ_SECONDS=300 scripts/run-fuzz.sh reader
# Crash inputs land in build-fuzz/artifacts/; add each (once fixed) to fuzz/corpus/<target>/.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}
SECONDS_PER_TARGET=${FUZZ_SECONDS:-30}
CXX=${FUZZ_CXX:-clang++-14}
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(reader numbers)

declare -A SOURCES=(
  [reader]="fuzz/fuzz_reader.cpp src/datafile/PlotReader.cpp src/model/ProgressSteps.cpp src/platform/FreeFormatInput.cpp src/platform/NumberText.cpp src/platform/LargePages.cpp"
  [numbers]="fuzz/fuzz_numbers.cpp src/platform/FreeFormatInput.cpp src/platform/NumberText.cpp"
)
# Records are small; long inputs only slow the search (the 100,000-character line is a unit test).
declare -A MAX_LEN=([reader]=8192 [numbers]=512)

mkdir -p "$OUT/artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for t in "${TARGETS[@]}"; do
  [ -n "${SOURCES[$t]:-}" ] || { echo "unknown fuzz target: $t" >&2; exit 2; }
  bin="$OUT/fuzz_$t"
  echo "== building fuzz_$t"
  (cd "$ROOT" && $CXX -std=c++20 -g -O1 -Wall -Wextra -fno-omit-frame-pointer \
      -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
      -Isrc -Itests -Ifuzz ${SOURCES[$t]} -o "$bin")

  # Fuzz a scratch copy so new finds do not pile up in the repository's seed corpus.
  work="$OUT/corpus-$t"
  rm -rf "$work"; mkdir -p "$work"
  cp "$ROOT/fuzz/corpus/$t/"* "$work/"
  log="$OUT/fuzz_$t.log"
  echo "== fuzzing fuzz_$t for ${SECONDS_PER_TARGET}s ($(ls "$work" | wc -l) seeds)"
  start=$(date +%s)
  if "$bin" "$work" -max_total_time="$SECONDS_PER_TARGET" -max_len="${MAX_LEN[$t]}" -timeout=10 \
        -rss_limit_mb=2048 -dict="$ROOT/fuzz/plotdata.dict" -print_final_stats=1 \
        -artifact_prefix="$OUT/artifacts/$t-" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED; status=1
    grep -E 'ERROR|runtime error|property violated|Test unit written' "$log" | head -20 >&2 || true
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 || true)
  echo "fuzz_$t: $result, ${execs:-?} executions in $(( $(date +%s) - start ))s, $cov, log $log"
done
exit $status
