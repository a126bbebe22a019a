#!/usr/bin/env bash
# Saves PNG screenshots of the main window of kivprism-demo (parameters page, terminal page, the
# message-panel menu) in Russian and in English into the folder given as argument. Runs the demo
# under a virtual X server (xvfb-run), clicks with xdotool and takes the pictures with ImageMagick's
# import. Build first (./run.sh or cmake --build build).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: tools/screenshots.sh DIR" >&2
  exit 2
fi
out=$(mkdir -p "$1" && cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
demo=${KIVPRISM_DEMO:-$root/build/src/apps/kivprism-demo/kivprism-demo}
for tool in xvfb-run import xdotool; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done
[ -x "$demo" ] || { echo "screenshots.sh: $demo is not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy of the program keeps its settings file (beside the program) away from the user's own.
cp "$demo" "$work/kivprism-demo"
mkdir -m 700 "$work/run"

# The window at the top left corner of an 720 x 513 screen area; the demo connects at once and
# streams monitoring text for a few seconds before each picture.
cat >"$work/shoot.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
for lang in ru en; do
  index=0
  [ "$lang" = en ] && index=1
  printf '[MainSettings]\r\nMainTop=0\r\nMainLeft=0\r\nLang=%s\r\nTXHeight=64\r\n' "$index" \
    >kivprism-demo.ini
  ./kivprism-demo &
  pid=$!
  sleep 6
  shot() { import -window root -crop 720x513+0+0 +repage "$shots/$1-$lang.png"; }
  # The window starts on the parameters page.
  shot parameters
  # The terminal tab, then the menu of the message panel.
  xdotool mousemove 38 51 click 1
  sleep 3
  shot terminal
  xdotool mousemove 340 19 click 3
  sleep 1
  shot menu
  xdotool key Escape
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
INNER
chmod +x "$work/shoot.sh"
XDG_RUNTIME_DIR="$work/run" xvfb-run -a -s "-screen 0 1024x768x24" "$work/shoot.sh" "$work" "$out"
ls "$out"/*.png
