#!/usr/bin/env bash
# Fails when a POSIX or a Win32 call, or a header that brings them, appears in src/ outside
# src/platform/, or when an ANSI Win32 call (the ...A twin of a wide call) appears anywhere in src/:
# everything above the platform layer builds unchanged on Linux, macOS and Windows, and every file
# name reaches Windows in UTF-16.
#
#   tools/check-platform-calls.sh [SOURCE_ROOT]   check SOURCE_ROOT (default: src)
#   tools/check-platform-calls.sh --self-test     show that each kind of slip is caught
set -uo pipefail
cd "$(dirname "$0")/.."

posix_and_win32='(#[[:space:]]*include[[:space:]]*<(unistd\.h|signal\.h|csignal|fcntl\.h|dirent\.h|dlfcn\.h|pthread\.h|termios\.h|poll\.h|sys/[a-z_]+\.h|windows\.h|winbase\.h|shellapi\.h|setupapi\.h|hidsdi\.h|io\.h|direct\.h)>)|\b(localtime_r|gmtime_r|localtime_s|gmtime_s|isatty|_isatty|fileno|_fileno|sigaction|sigprocmask|sigemptyset|sigaddset|popen|pclose|_popen|fork|execv[pe]?|waitpid|getpid|geteuid|usleep|readlink|statvfs|lstat|chmod|unlink|SetConsoleCtrlHandler|SetConsoleOutputCP|GetLastError|CreateFileW|MoveFileExW|ReplaceFileW|GetModuleFileNameW|CreateMutexW)[[:space:]]*\('
ansi_calls='\b(Get|Set|Create|Find|Delete|Remove|Move|Replace|Copy|Load|Open|Write|Read|Reg|SetupDi|Shell)[A-Za-z]*A[[:space:]]*\('

check() {
  local tree=$1 found=0
  # Comments may name the calls; only code counts.
  local hits
  hits=$(grep -rnE --include='*.cpp' --include='*.hpp' --include='*.h' "$posix_and_win32" "$tree" |
    grep -v "^$tree/platform/" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//')
  if [ -n "$hits" ]; then
    echo "POSIX or Win32 calls outside $tree/platform/:"
    echo "$hits"
    found=1
  fi
  hits=$(grep -rnE --include='*.cpp' --include='*.hpp' --include='*.h' "$ansi_calls" "$tree" |
    grep -vE '^[^:]+:[0-9]+:[[:space:]]*//')
  if [ -n "$hits" ]; then
    echo "ANSI Win32 calls (use the wide ones):"
    echo "$hits"
    found=1
  fi
  return $found
}

if [ "${1:-}" = "--self-test" ]; then
  tree=$(mktemp -d)
  trap 'rm -rf "$tree"' EXIT
  mkdir -p "$tree/core" "$tree/platform"
  failures=0
  expect() {
    local want=$1 what=$2
    check "$tree" >/dev/null
    local got=$?
    if [ "$got" -ne "$want" ]; then
      echo "self-test: $what: expected $want, got $got"
      failures=$((failures + 1))
    fi
    rm -f "$tree"/core/* "$tree"/platform/*
  }
  expect 0 "an empty tree"
  printf '#include <unistd.h>\n' >"$tree/core/a.cpp"
  expect 1 "unistd.h in the core"
  printf 'void f() { std::tm t; localtime_r(&now, &t); }\n' >"$tree/core/a.cpp"
  expect 1 "localtime_r in the core"
  printf 'bool b = ::isatty(::fileno(stderr));\n' >"$tree/core/a.cpp"
  expect 1 "isatty in the core"
  printf '#  include <windows.h>\n' >"$tree/core/a.hpp"
  expect 1 "windows.h in a core header"
  printf '#include <unistd.h>\nvoid f() { ::sigaction(SIGINT, &a, nullptr); }\n' \
    >"$tree/platform/a.cpp"
  expect 0 "POSIX calls inside the platform layer"
  printf 'UINT t = GetDriveTypeA(root);\n' >"$tree/platform/a.cpp"
  expect 1 "an ANSI call inside the platform layer"
  printf '// localtime_r is not thread-safe on Windows\nint x;\n' >"$tree/core/a.cpp"
  expect 0 "a comment naming a call"
  printf 'std::tm t = platform::localTime(now);\n' >"$tree/core/a.cpp"
  expect 0 "the platform layer's own function"
  [ "$failures" -eq 0 ] && echo "check-platform-calls self-test: passed"
  exit $((failures != 0))
fi

tree=${1:-src}
if check "$tree"; then
  echo "check-platform-calls: no POSIX or Win32 call outside $tree/platform/"
else
  exit 1
fi
