#!/usr/bin/env bash
# Installs the Debian packages kivprism needs to build, test and run, when any is missing.
# --checks adds those of the format, static and package checks (tools/format-check.sh,
# tools/tidy.sh, tools/package-check.sh) and clang for test.sh's sanitizer build and fuzz run.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libhidapi-dev
  xvfb xauth fonts-dejavu-core
)
if [ "${1:-}" = "--checks" ]; then
  # clang and its sanitizer and fuzzer runtime: test.sh's sanitizer build and fuzz run.
  packages+=(clang-format clang-tidy clang libclang-rt-14-dev desktop-file-utils appstream lintian
             help2man strace)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
