#!/usr/bin/env bash
# Runs the checks of .clang-tidy over the Qt-free core (src/core), each file compiled alone, with
# the compile commands of a build folder: BUILD_DIR, or build-tidy, configured here (core only,
# file by file) when missing. Exits non-zero on any warning.
#   tools/tidy.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ] && [ ! -f "$root/build-tidy/compile_commands.json" ]; then
  cmake -S "$root" -B "$root/build-tidy" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKIVPRISM_CORE_ONLY=ON -DKIVPRISM_BENCH=OFF >/dev/null
fi
build=$(cd "${1:-$root/build-tidy}" && pwd)
jobs=${JOBS:-$(nproc)}
runner=
for candidate in run-clang-tidy-14 run-clang-tidy; do
  command -v "$candidate" >/dev/null && { runner=$candidate; break; }
done
[ -n "$runner" ] || { echo "tidy.sh: run-clang-tidy is missing (apt-get install clang-tidy)" >&2; exit 2; }
[ -f "$build/compile_commands.json" ] || { echo "tidy.sh: configure $build first" >&2; exit 2; }
# The version source is generated at build time; build it so that every core file compiles.
cmake --build "$build" --target kivprism_version_source >/dev/null
# A batched build lists its batches, not the core's files: checking it would check almost nothing.
for source in "$root"/src/core/*/*.cpp; do
  grep -qF "\"file\": \"$source\"" "$build/compile_commands.json" || {
    echo "tidy.sh: $build does not compile $source on its own (configure it without" \
      "KIVPRISM_UNITY)" >&2
    exit 2
  }
done
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
"$runner" -p "$build" -j "$jobs" -quiet "^$root/src/core/" >"$log" 2>&1 || status=$?
grep -E 'warning:|error:' "$log" | grep -v '^Suppressed\|^Use -header-filter' || true
if [ "$status" -ne 0 ] || grep -qE '(warning|error):' "$log"; then
  echo "tidy.sh: the core has clang-tidy findings (full output above)" >&2
  exit 1
fi
echo "tidy.sh: no findings in src/core"
