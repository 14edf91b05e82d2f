#!/usr/bin/env bash
# Installs every Debian package that building, testing and the end-to-end runs need,
# skipping the ones already present. Safe to run again.
set -euo pipefail

packages=(
  # build
  cmake g++ make ninja-build pkg-config clang clang-format libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins
  libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
  # real peers for the tests
  dbus dbus-bin python3 python3-dbus python3-dbusmock python3-gi libglib2.0-bin
  xvfb xauth xdotool trayer imagemagick x11-utils
  # Windows back ends, built with mingw-w64 and run under Wine
  g++-mingw-w64-x86-64 wine64 wine
  # packaging and help
  desktop-file-utils appstream fpc dpkg-dev file
  # time zones for the daylight-saving tests
  tzdata
  # fonts for readable screenshots
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
