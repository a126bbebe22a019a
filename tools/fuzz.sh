#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz (the core libraries and the
# targets only) and runs each for SECONDS (default 60) on a copy of its seed corpus
# tests/fuzz/corpus/NAME. Prints executions per target; exits non-zero when a target finds a
# crash, a leak, a hang or a broken property (the input is kept in the build's artifacts folder).
#   tools/fuzz.sh [SECONDS] [NAME...]     e.g. tools/fuzz.sh 30 config_file transport
# FUZZ_JOBS=N runs N targets at a time (default 1). FUZZ_BUILD=DIR takes the targets of a build
# configured with KIVPRISM_FUZZ_TARGETS (test.sh's sanitizer build) instead.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-build-fuzz}
jobs=${FUZZ_JOBS:-1}

# Line tables only (a crash's stack trace keeps file and line) and each target's files compiled in
# batches (KIVPRISM_UNITY): the fuzzer's coverage is that of a file-by-file build. -O1 compiles in
# less time than -O2 and keeps the instrumented code fast enough for a few seconds' run.
if [ -z "${FUZZ_BUILD:-}" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DKIVPRISM_UNITY=ON \
    -DKIVPRISM_UNITY_BATCH_SIZE=16 -DKIVPRISM_FUZZ=ON -DKIVPRISM_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target fuzz_all

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in tests/fuzz/*_fuzz.cpp; do
    base=$(basename "$source" _fuzz.cpp)
    names+=("$base")
  done
fi

artifacts="$build/artifacts"
logs="$build/logs"
mkdir -p "$artifacts" "$logs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_one() {
  local name=$1
  local corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -d "tests/fuzz/corpus/$name" ]; then
    cp tests/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  fi
  local log="$logs/$name.log"
  local rc=0
  "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$corpus" >"$log" 2>&1 || rc=$?
  local runs rate
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  if [ "$rc" -ne 0 ]; then
    echo "fuzz_$name: FAILED (exit $rc) after ${runs:-?} runs; log $log"
    grep -E "ERROR|property broken|SUMMARY|Test unit written" "$log" | head -20 || true
    return 1
  fi
  printf 'fuzz_%-20s %10s runs in %ss, %7s runs/s, corpus %s files\n' "$name" "${runs:-?}" \
    "$seconds" "${rate:-?}" "$(ls "$corpus" | wc -l)"
}

failed=0
if [ "$jobs" -le 1 ]; then
  for name in "${names[@]}"; do
    run_one "$name" || failed=$((failed + 1))
  done
else
  pids=()
  for name in "${names[@]}"; do
    run_one "$name" >"$work/$name.out" 2>&1 &
    pids+=($!)
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
      wait -n || true
    done
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || failed=$((failed + 1))
    cat "$work/${names[$i]}.out"
  done
fi

# One line per target above; the summary in the form test runners close with.
echo "fuzzing: $((${#names[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
