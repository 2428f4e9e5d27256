#!/usr/bin/env bash
# Installs the Debian packages Kovala builds and tests with, when any is missing.
# Packages named as arguments are wanted too (packaging asks for its own).
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev qt6-base-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth
          librdkit-dev libboost-dev qt6-svg-dev openbabel
          xdg-utils python3 xdotool xclip x11-utils x11-apps imagemagick
          desktop-file-utils appstream shared-mime-info libglib2.0-bin
          "$@")

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
