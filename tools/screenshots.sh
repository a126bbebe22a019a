#!/usr/bin/env bash
# Saves PNG pictures of the whole program in Russian and in English into the folder given as
# argument: every page, every tab of the parameters page, every event and reaction page of the
# editor, every dialog, the menus, and the rules table at 1366x768 with its menu, on the demo's
# simulated controller, and the exported summary printed by a headless chromium
# (tools/export-shot.sh). The file names say language, place, position and page
# ("en-parameters-08-TabSheetGPS.png", "ru-dialog-01-FormIRCode.png"). Runs kivprism-screenshots
# on Qt's offscreen platform, or under a
# virtual X server when KIVPRISM_SHOTS_X11=1 and xvfb-run is installed. Build first (./run.sh or
# cmake --build build --target kivprism-screenshots).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: tools/screenshots.sh DIR" >&2
  exit 2
fi
out=$(mkdir -p "$1" && cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${KIVPRISM_SCREENSHOTS:-$root/build/src/apps/kivprism-screenshots/kivprism-screenshots}
[ -x "$shots" ] || { echo "screenshots.sh: $shots is not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
if [ "${KIVPRISM_SHOTS_X11:-0}" = 1 ]; then
  command -v xvfb-run >/dev/null || { echo "screenshots.sh: xvfb-run is missing" >&2; exit 1; }
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$shots" "$out"
else
  QT_QPA_PLATFORM=offscreen "$shots" "$out"
fi
# The exported summary as a browser prints it (skipped without chromium).
"$root/tools/export-shot.sh" "$out"
echo "$(ls "$out"/*.png | wc -l) pictures in $out"
