#!/usr/bin/env bash
# Configures and builds into the given directory with any extra CMake options.
set -euo pipefail
dir=$1; shift
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE="${KOVALA_BUILD_TYPE:-Debug}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
