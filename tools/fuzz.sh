#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each of them for a while.
#
#   tools/fuzz.sh            every target for FUZZ_SECONDS seconds (default 60)
#   tools/fuzz.sh --short    every target for FUZZ_SHORT_SECONDS (default 10)
#   tools/fuzz.sh TARGET...  only these targets (names as in fuzz/targets)
#   tools/fuzz.sh --build-only   builds the targets and runs none
#
# Each target starts from its seed corpus (fuzz/seeds/TARGET) and keeps what
# it finds in build-fuzz/corpus/TARGET for the next run. An input that makes a
# target fail is saved under build-fuzz/artifacts/TARGET/; rerun it with
#   build-fuzz/TARGET FILE
# Any failure makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${FUZZ_BUILD:-build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
jobs="${JOBS:-$(nproc 2>/dev/null || echo 2)}"
wanted=()
build_only=0
for arg in "$@"; do
  case "$arg" in
    --short) seconds="${FUZZ_SHORT_SECONDS:-10}" ;;
    --build-only) build_only=1 ;;
    *) wanted+=("$arg") ;;
  esac
done

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None >/dev/null
cmake --build "$build" -j "$jobs" >"$build/build.log" 2>&1 || {
  cat "$build/build.log" >&2
  exit 1
}
if [ "$build_only" -eq 1 ]; then
  exit 0
fi

targets=()
if [ "${#wanted[@]}" -gt 0 ]; then
  targets=("${wanted[@]}")
else
  for src in fuzz/targets/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

# Every input is checked for memory errors and leaks. Left out, for the
# throughput of the targets: the allocation stacks of a report (rerun a
# failing input without these options to see them), the filling of new
# memory, and the check for uses of a returned function's stack, which the
# unit tests make under tools/sanitize.sh. Freed memory waits in a quarantine
# of 4 MB rather than 256 MB before it is used again. An input frees about
# 160 KB on average and never 4 MB (the first storage block of every entity
# list takes 1.4 MB, and a whole run reads two files), so whatever an input
# frees stays in quarantine until the input is done and a use after free
# within it is still caught; new memory then comes from blocks still in the
# cache.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:malloc_context_size=0:max_malloc_fill_size=0:detect_stack_use_after_return=0:quarantine_size_mb=4"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

summary="$build/fuzz-summary.txt"
: >"$summary"
failed=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$corpus" "$artifacts"
  # -reload=0: one process fuzzes each corpus, so nothing new appears in it
  # that the fuzzer would have to read back every second.
  options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 -reload=0
           -artifact_prefix="$artifacts/")
  [ -f "fuzz/options/$t.max_len" ] && options+=(-max_len="$(cat "fuzz/options/$t.max_len")")
  [ -f "fuzz/dict/$t.dict" ] && options+=(-dict="fuzz/dict/$t.dict")
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds+=("fuzz/seeds/$t")
  log="$build/$t.log"
  if "$build/$t" "${options[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    units=$(find "$corpus" -type f | wc -l)
    printf '%-22s %10s runs in %4s s, corpus %5s inputs\n' "$t" "${runs:-?}" "${time:-$seconds}" "$units" | tee -a "$summary"
  else
    failed+=("$t")
    echo "fuzz: $t FAILED; the end of its log ($log):" >&2
    tail -60 "$log" >&2
    echo "fuzz: the failing input is in $artifacts/" >&2
  fi
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds} s each without a finding"
