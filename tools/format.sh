#!/usr/bin/env bash
# Reformats every C++ source under version control with the pinned clang-format and .clang-format.
set -euo pipefail
. "$(dirname "$0")/format-common.sh"
cd "$root"
kivprism_sources | xargs -0 -r "$clang_format" -i --style=file
