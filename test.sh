#!/usr/bin/env bash
# Builds kivprism and runs every test, then the core and window tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, then each fuzz target for a few seconds (when clang is installed).
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"

# The format, static and package checks, off until the tree is formatted once:
# KIVPRISM_CHECKS="format tidy package" ./test.sh runs them after the tests of the first build.
checks=${KIVPRISM_CHECKS:-}
if [ -n "$checks" ]; then
  tools/install-deps.sh --checks
else
  tools/install-deps.sh
fi

# No POSIX or Win32 call above the platform layer, no ANSI Win32 call anywhere.
tools/check-platform-calls.sh --self-test
tools/check-platform-calls.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVPRISM_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300
for check in $checks; do
  case $check in
    format) tools/format-check.sh ;;
    tidy) JOBS=$jobs tools/tidy.sh build ;;
    package) JOBS=$jobs tools/package-check.sh build ;;
    *) echo "test.sh: unknown check '$check' (format, tidy, package)" >&2; exit 2 ;;
  esac
done

# Sanitizers: the core and the window tests. Qt itself is not instrumented; tools/lsan.supp
# suppresses the leaks of Qt and the system libraries below it.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKIVPRISM_SANITIZE=ON \
  -DKIVPRISM_CORE_ONLY=OFF -DKIVPRISM_BENCH=OFF -DKIVPRISM_WERROR=ON
cmake --build build-asan -j "$jobs"
LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600 -L 'core|ui'

# Each fuzz target a few seconds on its seed corpus, when clang and its libFuzzer runtime are here.
fuzz_probe=$(mktemp -d)
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$fuzz_probe/probe.cpp"
if command -v clang++ >/dev/null &&
  clang++ -fsanitize=fuzzer,address,undefined "$fuzz_probe/probe.cpp" -o "$fuzz_probe/probe" \
    >/dev/null 2>&1; then
  rm -rf "$fuzz_probe"
  FUZZ_JOBS="$jobs" tools/fuzz.sh 5
else
  rm -rf "$fuzz_probe"
  echo "fuzz targets skipped: clang++ with the libFuzzer runtime is not installed"
fi

# The Windows cross build under Wine (tools/windows-check.sh) is not run by default: from a cold
# compiler cache it adds more than the time this script may take in CI; KIVPRISM_WINDOWS_CHECK=1
# runs it here as well.
if [ "${KIVPRISM_WINDOWS_CHECK:-0}" = 1 ]; then
  tools/windows-check.sh
fi
