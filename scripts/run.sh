#!/usr/bin/env bash
# Installs what is missing, builds Kovala and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
KOVALA_BUILD_TYPE=RelWithDebInfo scripts/build.sh build-release -DKOVALA_TESTS=OFF -DKOVALA_BENCH=OFF
if [ ! -x build-release/app/kovala ]; then
  echo "Kovala's window is not built yet: the build finished, nothing to start."
  exit 0
fi
exec build-release/app/kovala
