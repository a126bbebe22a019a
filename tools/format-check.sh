#!/usr/bin/env bash
# Lists the C++ sources that differ from .clang-format (with the pinned clang-format) and exits
# non-zero when there is any; tools/format.sh reformats them.
set -euo pipefail
. "$(dirname "$0")/format-common.sh"
cd "$root"
# One clang-format run over all files; each difference is reported as "FILE:LINE:COL: error: ...".
report=$(kivprism_sources | xargs -0 -r "$clang_format" --style=file --dry-run -Werror 2>&1 || true)
differing=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sort -u || true)
if [ -n "$differing" ]; then
  echo "$differing"
  echo "format-check: $(wc -l <<<"$differing") file(s) differ from .clang-format; run tools/format.sh" >&2
  exit 1
fi
if grep -q . <<<"$report"; then
  echo "$report" >&2
  echo "format-check: clang-format failed" >&2
  exit 1
fi
echo "format-check: every source matches .clang-format"
