#!/usr/bin/env bash
# Builds the unit and run tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build tree of their own and runs them, and
# the reader's tests with ThreadSanitizer in another. Any
# sanitizer report stops the test program with a non-zero exit code and so
# fails the run.
#
#   tools/sanitize.sh [--build-only] [BUILD_DIR]     (default build-asan)
#
# --build-only builds both trees and runs nothing (make test builds them
# beside the other trees, then runs them).
set -euo pipefail
cd "$(dirname "$0")/.."

build_only=0
if [ "${1:-}" = "--build-only" ]; then
  build_only=1
  shift
fi
build="${1:-build-asan}"
jobs="${JOBS:-$(nproc 2>/dev/null || echo 2)}"

# -fno-sanitize-recover makes every undefined-behaviour report fatal; the
# library assertions add bounds checks to the standard containers.
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
flags+=" -D_GLIBCXX_ASSERTIONS"
# The sanitizers' instrumentation makes GCC's flow-based warnings about string
# copies and array bounds fire on code that is sound; they stay on in the
# normal build, which is where they mean something.
flags+=" -Wno-restrict -Wno-stringop-overflow -Wno-stringop-overread -Wno-array-bounds -Wno-maybe-uninitialized"
# -O1, as the sanitizers' documentation advises, and only the line tables of
# the debug information (-g1), all that a report's stack needs: the checks are
# the same as at -O2 with full debug information, and the compile is much
# shorter (the optimised build and its warnings are the normal build's).
optimise="-O1 -g1 -DNDEBUG"
# Each layer of the core is compiled as one source (ORVANE_UNITY_LAYERS): its
# headers are read once, not once per source; the checks are the same. The
# header check is the normal build's.
tree_options=(-DORVANE_UNITY_LAYERS=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON
              -DORVANE_HEADER_CHECK=OFF -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$optimise")

cmake -S . -B "$build" "${tree_options[@]}" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null

# The reader splits a large file's lines in a second thread: its tests run
# once more under ThreadSanitizer, in a tree of their own.
tsan_build="$build-thread"
tsan_targets=(block_reading_test exchange_reader_test)
cmake -S . -B "$tsan_build" "${tree_options[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer -Wno-tsan" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null

# The test programs, one per tests/*_test.cpp, are built and run, with the
# programs that some of them start (the benchmarks are left out): the one
# target orvane_test_programs, so that they compile side by side. The small
# thread-sanitizer tree builds at the same time, so that neither waits for
# the other's last, lone compile.
targets=()
for src in tests/*_test.cpp; do
  targets+=("$(basename "$src" .cpp)")
done
cmake --build "$build" -j "$jobs" --target orvane_test_programs >"$build/build.log" 2>&1 &
asan_builder=$!
tsan_status=0
cmake --build "$tsan_build" -j "$jobs" --target "${tsan_targets[@]}" >"$tsan_build/build.log" 2>&1 || tsan_status=$?
asan_status=0
wait "$asan_builder" || asan_status=$?
[ "$asan_status" -eq 0 ] || cat "$build/build.log" >&2
[ "$tsan_status" -eq 0 ] || cat "$tsan_build/build.log" >&2
if [ "$asan_status" -ne 0 ] || [ "$tsan_status" -ne 0 ]; then
  exit 1
fi
if [ "$build_only" -eq 1 ]; then
  exit 0
fi

export ASAN_OPTIONS="abort_on_error=0:halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TSAN_OPTIONS="halt_on_error=1"

# The test programs run side by side, $jobs at a time (as ctest runs them
# in the normal build), each with its own log and exit status; a report or
# failure is shown and counted once all have ended.
runs=()
for t in "${targets[@]}"; do runs+=("$build $t"); done
for t in "${tsan_targets[@]}"; do runs+=("$tsan_build $t"); done
for run in "${runs[@]}"; do
  read -r tree t <<<"$run"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  log="$tree/sanitize-$t.log"
  rm -f "$log.status"
  ( status=0
    (cd "$tree/tests" && exec "./$t" --gtest_brief=1) >"$log" 2>&1 || status=$?
    echo "$status" >"$log.status" ) &
done
wait

failed=()
for run in "${runs[@]}"; do
  read -r tree t <<<"$run"
  log="$tree/sanitize-$t.log"
  label=""
  [ "$tree" = "$tsan_build" ] && label=" (ThreadSanitizer)"
  if [ "$(cat "$log.status" 2>/dev/null)" != 0 ]; then
    failed+=("$t$label")
    echo "sanitize: $t$label FAILED, its output:" >&2
    cat "$log" >&2
  fi
done

echo "sanitize: ${#runs[@]} test programs, ${#failed[@]} with findings"
[ "${#failed[@]}" -eq 0 ]
