# Shared by tools/format.sh and tools/format-check.sh: the pinned clang-format and the sources it
# formats. clang-format changes its output between major versions, so everyone (developers and CI)
# formats with the one Debian 12 ships; another version would report files that are fine.
kivprism_clang_format_major=14

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
clang_format=
for candidate in "clang-format-$kivprism_clang_format_major" clang-format; do
  if command -v "$candidate" >/dev/null &&
    "$candidate" --version | grep -q "version $kivprism_clang_format_major\."; then
    clang_format=$candidate
    break
  fi
done
if [ -z "$clang_format" ]; then
  echo "$(basename "$0"): clang-format $kivprism_clang_format_major is needed" \
    "(Debian 12: apt-get install clang-format)" >&2
  exit 2
fi

# The C++ sources under version control.
kivprism_sources() {
  git -C "$root" ls-files -z -- '*.cpp' '*.hpp' '*.h'
}
