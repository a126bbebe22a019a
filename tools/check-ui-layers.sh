#!/usr/bin/env bash
# Fails when a folder of src/ui includes a folder above it: the window's folders point one way,
#   common < dialogs < editor < params < rules, monitor < app
# (rules and monitor are side by side and include neither each other nor app). The main window's
# own pieces (main_window*.cpp) belong to app wherever they sit beside the page they build.
#
#   tools/check-ui-layers.sh [UI_ROOT]   check UI_ROOT (default: src/ui)
#   tools/check-ui-layers.sh --self-test show that a wrong include and an unknown folder are caught
set -uo pipefail
cd "$(dirname "$0")/.."

rank() {
  case $1 in
    common) echo 0 ;;
    dialogs) echo 1 ;;
    editor) echo 2 ;;
    params) echo 3 ;;
    rules | monitor) echo 4 ;;
    app) echo 5 ;;
    *) echo -1 ;;
  esac
}

check() {
  local root=$1 found=0 file folder own target included line
  while IFS= read -r file; do
    folder=${file#"$root"/}
    folder=${folder%%/*}
    own=$folder
    case $(basename "$file") in main_window*.cpp) own=app ;; esac
    if [ "$(rank "$own")" -lt 0 ]; then
      echo "$file: folder '$folder' has no place in the order of tools/check-ui-layers.sh"
      found=1
      continue
    fi
    while IFS= read -r line; do
      included=${line#*\"ui/}
      target=${included%%/*}
      if [ "$target" = "$own" ]; then
        continue
      fi
      if [ "$(rank "$target")" -lt 0 ] || [ "$(rank "$target")" -ge "$(rank "$own")" ]; then
        echo "$file: ui/$own must not include ui/$included"
        found=1
      fi
    done < <(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"ui/[^"]+"' "$file")
  done < <(find "$root" -mindepth 2 -type f \( -name '*.cpp' -o -name '*.hpp' \) | sort)
  return $found
}

if [ "${1:-}" = "--self-test" ]; then
  tree=$(mktemp -d)
  trap 'rm -rf "$tree"' EXIT
  mkdir -p "$tree/common" "$tree/params" "$tree/rules" "$tree/monitor" "$tree/app"
  failures=0
  expect() {
    local want=$1 what=$2
    check "$tree" >/dev/null
    local got=$?
    if [ "$got" -ne "$want" ]; then
      echo "self-test: $what: expected $want, got $got"
      failures=$((failures + 1))
    fi
    find "$tree" -type f -delete
  }
  expect 0 "an empty tree"
  printf '#include "ui/common/qt_text.hpp"\n' >"$tree/params/page.cpp"
  expect 0 "a page on the common folder"
  printf '#include "ui/app/main_window.hpp"\n' >"$tree/common/form.cpp"
  expect 1 "the common folder on the window"
  printf '#include "ui/rules/rules_pane.hpp"\n' >"$tree/monitor/log.cpp"
  expect 1 "two side-by-side folders on each other"
  printf '#include "ui/params/parameters_page.hpp"\n' >"$tree/monitor/main_window_log.cpp"
  expect 0 "the window's own piece beside its page"
  mkdir -p "$tree/misc"
  printf '#include "ui/common/qt_text.hpp"\n' >"$tree/misc/x.cpp"
  expect 1 "a folder outside the order"
  if [ "$failures" -ne 0 ]; then
    exit 1
  fi
  echo "check-ui-layers self-test: ok"
  exit 0
fi

root=${1:-src/ui}
if check "$root"; then
  echo "ui layers: ok"
else
  exit 1
fi
