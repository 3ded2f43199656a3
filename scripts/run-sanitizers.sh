#!/usr/bin/env bash
# Builds everything with AddressSanitizer + UndefinedBehaviorSanitizer in build-asan and runs the
# whole test suite there. Fails on a failed test and on any sanitizer report (errors abort the
# test; leaks turn its exit code non-zero). Leak suppressions (scripts/lsan.supp) cover only
# libraries outside this project.
#   scripts/run-sanitizers.sh                # configure, build, run all tests
#   scripts/run-sanitizers.sh -R tst_reader  # extra arguments go to ctest
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${ASAN_BUILD_DIR:-$ROOT/build-asan}
JOBS=${JOBS:-2}

# -O1 keeps the build quick and the stack traces readable.
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCORVEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" >/dev/null
cmake --build "$BUILD" -j"$JOBS"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0

log="$BUILD/sanitizer-ctest.log"
status=0
ctest --test-dir "$BUILD" -j"$JOBS" --output-on-failure --output-log "$log" "$@" || status=1
# A report that some test harness swallowed still fails the run.
if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$log"; then
  echo "sanitizer report found in $log" >&2
  grep -nE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$log" | head -20 >&2
  status=1
fi
[ $status -eq 0 ] && echo "sanitizers: all tests clean"
exit $status
