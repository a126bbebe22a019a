#!/usr/bin/env bash
# Pictures of the exported summary as a reader gets it: the demo's configuration exported as HTML
# by kivprism-cli (from the simulated controller, so the controller is named) in both languages,
# printed to PDF by a headless chromium and its pages turned into PNGs with pdftoppm
# ("en-export-summary-1.png"), plus chromium's own screenshot of the page on screen. Skipped with a
# message when chromium is missing (CI has none; ./test.sh does not need it).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: tools/export-shot.sh DIR" >&2
  exit 2
fi
out=$(mkdir -p "$1" && cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${KIVPRISM_CLI:-$root/build/src/apps/cli/kivprism-cli}
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "export-shot.sh: no chromium, the summary pictures are skipped" >&2
  exit 0
fi
[ -x "$cli" ] || { echo "export-shot.sh: $cli is not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for lang in ru en; do
  html="$work/$lang-summary.html"
  "$cli" export device --simulator --format html --lang "$lang" -o "$html"
  # --no-sandbox: the check also runs as root in containers, where chromium's sandbox cannot start.
  flags=(--headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$work/profile")
  "$browser" "${flags[@]}" --window-size=900,1300 --screenshot="$out/$lang-export-screen.png" \
    "file://$html" >/dev/null 2>&1
  if command -v pdftoppm >/dev/null; then
    "$browser" "${flags[@]}" --no-pdf-header-footer --print-to-pdf="$work/$lang.pdf" \
      "file://$html" >/dev/null 2>&1
    pdftoppm -png -r 80 "$work/$lang.pdf" "$out/$lang-export-summary"
  fi
done
echo "export-shot.sh: summary pictures in $out"
