#!/usr/bin/env bash
# Builds kivprism's programs and benchmarks; runs the format, clang-tidy and Debian package checks;
# builds and runs every test under AddressSanitizer and UndefinedBehaviorSanitizer (with clang
# when it is installed); each fuzz target for a few seconds (when clang's libFuzzer is installed);
# and the Windows cross build under Wine.
# Prints each stage's wall and CPU time as it ends and a table of them all at the end.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"

# The format, static and package checks run after the first build;
# KIVPRISM_CHECKS="format" (or an empty value) runs fewer.
checks=${KIVPRISM_CHECKS-format tidy package}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Stage times. The CPU time is that of the stage's finished child processes (user + system, from
# the shell's own accounting), so it shows what a stage costs on a busy machine too.
stage_rows=()
stage_name=
stage_times=$(mktemp)
# "1m2.345s" or "1733771234.123456" in milliseconds, into $ms.
to_ms() {
  local minutes=0 rest=$1
  if [[ $rest == *m* ]]; then
    minutes=${rest%%m*}
    rest=${rest#*m}
  fi
  rest=${rest%s}
  local fraction=${rest#*.}000
  ms=$((10#$minutes * 60000 + 10#${rest%.*} * 1000 + 10#${fraction:0:3}))
}
# The CPU time of the finished child processes so far in $ms; `times` runs in this shell, since a
# subshell would count only its own children.
cpu_ms() {
  local user sys
  times >"$stage_times"
  { read -r _ && read -r user sys; } <"$stage_times"
  to_ms "$user"
  local user_ms=$ms
  to_ms "$sys"
  ms=$((user_ms + ms))
}
format_ms() {
  printf '%d:%02d' $(($1 / 60000)) $(($1 / 1000 % 60))
}
stage() {
  local name=$1 ms
  shift
  stage_name=$name
  to_ms "$EPOCHREALTIME"
  local wall_start=$ms
  cpu_ms
  local cpu_start=$ms
  echo "=== $name"
  "$@"
  to_ms "$EPOCHREALTIME"
  local wall=$((ms - wall_start))
  cpu_ms
  local cpu=$((ms - cpu_start))
  stage_rows+=("$(printf '%-18s %8s %8s' "$name" "$(format_ms "$wall")" "$(format_ms "$cpu")")")
  echo "=== $name: $(format_ms "$wall") wall, $(format_ms "$cpu") CPU"
  stage_name=
}
skipped() {
  stage_rows+=("$(printf '%-18s %8s %8s  %s' "$1" - - "skipped: $2")")
  echo "$1 skipped: $2"
}
summary() {
  local status=$? ms
  cpu_ms
  rm -f "$stage_times"
  echo
  printf '%-18s %8s %8s\n' stage wall CPU
  local row
  for row in "${stage_rows[@]}"; do
    echo "$row"
  done
  [ -n "$stage_name" ] && printf '%-18s %8s %8s  %s\n' "$stage_name" - - "FAILED"
  printf '%-18s %8s %8s\n' total "$(format_ms $((SECONDS * 1000)))" "$(format_ms "$ms")"
  if [ "$status" -eq 0 ]; then
    echo "test.sh: every test passed in $((SECONDS / 60)) min $((SECONDS % 60)) s"
  else
    echo "test.sh: FAILED in stage '${stage_name:-?}' after $((SECONDS / 60)) min $((SECONDS % 60)) s"
  fi
}
trap summary EXIT
# A run stopped by a signal is a failed run: without these the summary would see status 0.
trap 'exit 130' INT
trap 'exit 143' TERM

deps() {
  if [ -n "$checks" ]; then
    tools/install-deps.sh --checks
  else
    tools/install-deps.sh
  fi
}
stage deps deps

# No POSIX or Win32 call above the platform layer, no ANSI Win32 call anywhere.
platform_check() {
  tools/check-platform-calls.sh --self-test
  tools/check-platform-calls.sh
  # The window's ui folders include one way only.
  tools/check-ui-layers.sh --self-test
  tools/check-ui-layers.sh
}
stage "platform check" platform_check

# Precompiled headers and the fastest linker installed (cmake/build_speed.cmake); line tables only
# for debug information (file and line in every stack trace, a quarter less compile time).
fast_build=(-DKIVPRISM_PCH=ON -DKIVPRISM_LINKER=auto)
# Every build compiles each target's files in batches (KIVPRISM_UNITY; a third less CPU time for
# the optimised one). So that each file is still compiled alone somewhere, the sanitizer build
# compiles the libraries outside the core file by file, and the tidy check each core file.
unity_build=(-DKIVPRISM_UNITY=ON -DKIVPRISM_UNITY_BATCH_SIZE=16)
stage configure cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVPRISM_WERROR=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" "${fast_build[@]}" "${unity_build[@]}"
# The optimised build makes the programs and the benchmarks, which the package check uses too,
# not the test programs: every test file is compiled once, in the sanitizer build below,
# which runs every test. Compiling the tests at -O2 as well took more than half of this build's
# CPU time, and their optimised run another minute, while a run under the sanitizers with
# assertions on reports what an optimised run could (undefined behaviour that shows only at -O2)
# and more. The libraries are still compiled at -O2 with warnings as errors here, and the Windows
# check compiles the core tests with flow analysis on.
stage build cmake --build build -j "$jobs" --target kivprism_programs
for check in format tidy package; do
  if [[ " $checks " != *" $check "* ]]; then
    skipped "$check" "not in KIVPRISM_CHECKS"
  fi
done
for check in $checks; do
  case $check in
    format) stage format tools/format-check.sh ;;
    tidy) JOBS=$jobs stage tidy tools/tidy.sh ;;
    package) JOBS=$jobs stage package tools/package-check.sh build ;;
    *) echo "test.sh: unknown check '$check' (format, tidy, package)" >&2; exit 2 ;;
  esac
done

# Every test program, under the sanitizers: the core and the window tests. Qt itself is not
# instrumented; tools/lsan.supp suppresses the leaks of Qt and the system libraries below it.
# Compiled by clang where it and its sanitizer runtime are installed: it compiles the
# instrumented code in about half GCC's time, and GCC still compiles every library and program
# above (and the core tests in the Windows check) with warnings as errors.

# Whether clang++ links the C++ source $1 with the flags that follow: a runtime is installed.
clang_links() {
  local probe status=0
  probe=$(mktemp -d)
  echo "$1" >"$probe/probe.cpp"
  shift
  command -v clang++ >/dev/null && clang++ "$@" "$probe/probe.cpp" -o "$probe/probe" \
    >/dev/null 2>&1 || status=1
  rm -rf "$probe"
  return "$status"
}
sanitizer_options=()
fuzz_targets=no
if clang_links 'int main() { return 0; }' -fsanitize=address,undefined; then
  sanitizer_options=(-DCMAKE_CXX_COMPILER=clang++)
  # The fuzz targets are built beside the tests: the core libraries are compiled once for both.
  if clang_links 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) {
      return 0; }' -fsanitize=fuzzer,address,undefined; then
    sanitizer_options+=(-DKIVPRISM_FUZZ_TARGETS=ON)
    fuzz_targets=yes
  fi
fi
sanitizer_build() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKIVPRISM_SANITIZE=ON \
    -DKIVPRISM_CORE_ONLY=OFF -DKIVPRISM_BENCH=OFF -DKIVPRISM_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    "${sanitizer_options[@]}" "${fast_build[@]}" "${unity_build[@]}" \
    -DKIVPRISM_UNITY_FILE_BY_FILE=ON
  local targets=(kivprism_tests)
  [ "$fuzz_targets" = yes ] && targets+=(fuzz_all)
  cmake --build build-asan -j "$jobs" --target "${targets[@]}"
}
stage "sanitizer build" sanitizer_build
sanitizer_tests() {
  LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600
}
stage "sanitizer tests" sanitizer_tests

# Each fuzz target a few seconds on its seed corpus, when clang and its libFuzzer runtime are here:
# every target still gets through its corpus, and a short search beyond it. tools/fuzz.sh alone
# makes a fuzz build of its own, for longer runs.
if [ "$fuzz_targets" = yes ]; then
  FUZZ_BUILD=build-asan FUZZ_JOBS="$jobs" stage fuzz tools/fuzz.sh 3
else
  skipped fuzz "clang++ with the libFuzzer runtime is not installed"
fi

# The Windows cross build under Wine (about 2 minutes from a cold start). CI allows this script
# 30 minutes: when the run so far took longer than usual the check is left out, and says so, rather
# than pushing the whole run past its limit. KIVPRISM_WINDOWS_CHECK=0 leaves it out, =1 always runs it.
windows_check=${KIVPRISM_WINDOWS_CHECK:-auto}
if [ "$windows_check" = 1 ] || { [ "$windows_check" = auto ] && [ "$SECONDS" -lt $((20 * 60)) ]; }; then
  stage "windows check" tools/windows-check.sh
elif [ "$windows_check" = auto ]; then
  skipped "windows check" "the run took $((SECONDS / 60)) minutes so far; run tools/windows-check.sh"
else
  skipped "windows check" "KIVPRISM_WINDOWS_CHECK=0"
fi
