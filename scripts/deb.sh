#!/usr/bin/env bash
# Builds the Debian package from a copy of this folder in build-deb/ and says
# where the .deb is. With --check, also runs lintian on it and validates the
# AppStream data it installs. Extra DEB_BUILD_OPTIONS (for example nocheck)
# pass through.
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
[ "${1:-}" = --check ] && check=true

# Packaging needs a few packages beyond the build's own.
scripts/setup.sh debhelper dpkg-dev fakeroot lintian appstream

# dpkg-buildpackage writes beside the source folder, so the source is copied
# (the files git knows, committed or not) into a folder of its own.
out=$(pwd)/build-deb
version=$(dpkg-parsechangelog -S Version)
rm -rf "$out"
mkdir -p "$out/kovala-$version"
git ls-files -z --cached --others --exclude-standard | xargs -0 tar -cf - | tar -xf - -C "$out/kovala-$version"

if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
export DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}"
(cd "$out/kovala-$version" && dpkg-buildpackage -us -uc -b)

deb=$(ls "$out"/kovala_"$version"_*.deb)
if $check; then
  echo "== lintian"
  lintian --fail-on error,warning --info "$out"/kovala_"$version"_*.changes
  echo "== appstreamcli validate"
  rm -rf "$out/root"
  dpkg-deb -x "$deb" "$out/root"
  appstreamcli validate --no-net --explain "$out/root/usr/share/metainfo/org.kovala.Kovala.metainfo.xml"
  desktop-file-validate "$out/root/usr/share/applications/org.kovala.Kovala.desktop"
fi
echo "The package is $deb"
