#!/usr/bin/env bash
# Installs what is missing, makes a Release build and says where its dist/
# folder is: the folder to copy to a school machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
KOVALA_BUILD_TYPE=Release scripts/build.sh build-dist -DKOVALA_TESTS=OFF -DKOVALA_BENCH=OFF
dist="$(pwd)/build-dist/dist"
for name in kovala install uninstall kovala.png readme.doc; do
  if [ ! -f "$dist/$name" ]; then
    echo "dist.sh: $dist/$name is missing" >&2
    exit 1
  fi
done
# The translations travel with it.
for language in $(grep -v '^#' po/LINGUAS); do
  if [ ! -f "$dist/locale/$language/LC_MESSAGES/kovala.mo" ]; then
    echo "dist.sh: $dist/locale/$language/LC_MESSAGES/kovala.mo is missing" >&2
    exit 1
  fi
done
echo "The distribution folder is $dist"
