#!/usr/bin/env bash
# Installs what the build, the tests and the screenshots need, from Debian's
# archive, skipping what is there already. Run as root (or through sudo).
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev libcli11-dev xvfb xauth imagemagick fonts-dejavu-core
          desktop-file-utils appstream dpkg-dev file clang libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
