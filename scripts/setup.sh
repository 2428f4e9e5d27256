#!/usr/bin/env bash
# Installs the Debian packages Kovala builds and tests with, when any is missing.
# Packages named as arguments are wanted too (packaging asks for its own).
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev qt6-base-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth
          librdkit-dev libboost-dev qt6-svg-dev openbabel
          xdg-utils python3 xdotool xclip x11-utils x11-apps imagemagick
          desktop-file-utils appstream shared-mime-info libglib2.0-bin
          gettext locales qt6-translations-l10n
          at-spi2-core python3-pyatspi dbus dbus-x11
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

# The language tests run the program in German, French and Spanish; those locales must exist.
wanted_locales=(de_DE.UTF-8 fr_FR.UTF-8 es_ES.UTF-8)
absent=()
for l in "${wanted_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || absent+=("$l")
done
if [ ${#absent[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  for l in "${absent[@]}"; do
    grep -qx "$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
  done
  $SUDO locale-gen >/dev/null
fi
