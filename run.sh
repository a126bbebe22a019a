#!/usr/bin/env bash
# Builds kivprism and starts it on the built-in simulated controller.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec build/src/apps/kivprism-demo/kivprism-demo
