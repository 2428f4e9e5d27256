#!/usr/bin/env bash
# Builds the Debian package from a copy of this folder in build-deb/ and says
# where the .deb is. With --check, also runs lintian on it and validates the
# AppStream data it installs. Extra DEB_BUILD_OPTIONS (for example nocheck)
# pass through.
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
[ "${1:-}" = --check ] && check=true

scripts/setup.sh
# What only packaging needs.
packages=(debhelper dpkg-dev fakeroot lintian appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

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
