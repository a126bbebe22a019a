#!/usr/bin/env bash
# Builds the Debian package in a build folder (default: build), unpacks it into a scratch root
# (dpkg -x: nothing is installed on this machine) and checks what a user would get: the installed
# kivprism-cli --version, kivprism-demo running for a few seconds on Qt's offscreen platform with
# its settings in the user's configuration folder, the desktop entries (desktop-file-validate), the
# metainfo file (appstreamcli validate) and the package itself (lintian, no errors). Prints the
# package's file list, its size and each step's time. Exits non-zero when any check fails.
#   tools/package-check.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
jobs=${JOBS:-$(nproc)}
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || { echo "package-check: $tool is missing" >&2; exit 1; }
done

scratch=$(mktemp -d)
demo_pid=
cleanup() {
  if [ -n "$demo_pid" ]; then
    kill $(pgrep -P "$demo_pid") "$demo_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
failures=0
step_start=$SECONDS
step() {
  echo "--- $1 ($((SECONDS - step_start)) s so far)"
}
fail() {
  echo "package-check: FAILED: $*" >&2
  failures=$((failures + 1))
}

step "build"
cmake --build "$build" -j "$jobs" --target kivprism kivprism-demo kivprism-cli \
  kivprism_packaging_files >"$scratch/build.log" || { cat "$scratch/build.log"; exit 1; }

step "cpack -G DEB"
rm -f "$build"/kivprism_*.deb
(cd "$build" && cpack -G DEB) >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$build"/kivprism_*.deb)
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
dpkg-deb --field "$deb" Package Version Architecture Installed-Size Depends
dpkg-deb --contents "$deb" | awk '{ print $1, $3, $6 }'

step "unpack into a scratch root"
dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr
for f in bin/kivprism bin/kivprism-demo bin/kivprism-cli lib/udev/rules.d/70-kivprism.rules \
  share/applications/kivprism.desktop share/applications/kivprism-demo.desktop \
  share/icons/hicolor/scalable/apps/kivprism.svg share/icons/hicolor/48x48/apps/kivprism.png \
  share/metainfo/invalid.kivprism.kivprism.metainfo.xml share/doc/kivprism/copyright \
  share/doc/kivprism/changelog.gz share/man/man1/kivprism-cli.1.gz; do
  [ -e "$usr/$f" ] || fail "the package has no /usr/$f"
done

step "installed kivprism-cli --version"
if version=$("$usr/bin/kivprism-cli" --version); then
  echo "$version"
  want=$(dpkg-deb --field "$deb" Version)
  [[ "$version" == "kivprism-cli $want"* ]] || fail "--version says '$version', the package $want"
else
  fail "kivprism-cli --version"
fi

step "installed kivprism-demo for a few seconds, offscreen"
# The installed copy must read its settings from the user's configuration folder, even though
# root may write to the scratch root's usr/bin: a settings file is left there, and strace (when
# installed) shows which one the program opens.
mkdir -m 700 "$scratch/home" "$scratch/run"
mkdir -p "$scratch/home/.config/kivprism"
user_ini=$scratch/home/.config/kivprism/kivprism-demo.ini
printf '[MainSettings]\r\nLang=1\r\n' >"$user_ini"
tracer=()
command -v strace >/dev/null && tracer=(strace -f -qq -e trace=openat -o "$scratch/trace")
(
  cd "$scratch"
  HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_RUNTIME_DIR=$scratch/run \
    QT_QPA_PLATFORM=offscreen exec "${tracer[@]}" "$usr/bin/kivprism-demo"
) >"$scratch/demo.log" 2>&1 &
demo_pid=$!
sleep "${KIVPRISM_DEMO_SECONDS:-4}"
if kill -0 "$demo_pid" 2>/dev/null; then
  # Under strace the program is strace's child: stopping strace would leave it running.
  target=$demo_pid
  if [ ${#tracer[@]} -gt 0 ]; then
    target=$(pgrep -P "$demo_pid" || echo "$demo_pid")
  fi
  kill -TERM $target
  wait "$demo_pid" || true
  demo_pid=
  echo "kivprism-demo ran until stopped"
else
  wait "$demo_pid" || true
  demo_pid=
  fail "kivprism-demo ended by itself: $(cat "$scratch/demo.log")"
fi
[ -e "$usr/bin/kivprism-demo.ini" ] && fail "the installed demo wrote its settings into usr/bin"
if [ ${#tracer[@]} -gt 0 ]; then
  if grep -q "openat(.*\"$user_ini\".*= [0-9]" "$scratch/trace"; then
    echo "settings read from ~/.config/kivprism/kivprism-demo.ini"
  else
    fail "the installed demo did not read ~/.config/kivprism/kivprism-demo.ini"
  fi
  grep -q "\"$usr/bin/kivprism-demo.ini\"" "$scratch/trace" &&
    fail "the installed demo opened a settings file in usr/bin"
else
  echo "strace is not installed: where the settings are read from is not checked"
fi

step "desktop-file-validate"
desktop-file-validate "$usr"/share/applications/*.desktop && echo "desktop entries: no complaint" ||
  fail "desktop-file-validate"

step "appstreamcli validate"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

step "lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

step "done"
echo "package-check: $failures failed check(s), $((SECONDS - step_start)) s"
[ "$failures" -eq 0 ]
