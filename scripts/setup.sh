#!/usr/bin/env bash
# Installs what the build, the tests and the screenshots need, from Debian's
# archive, skipping what is there already (the web page's emscripten,
# chromium and npm too, so that a full test run updates the package lists
# once).
# Run as root (or through sudo).
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev libcli11-dev xvfb xauth imagemagick fonts-dejavu-core
          desktop-file-utils appstream dpkg-dev file lintian man-db python3 pandoc zip clang libclang-rt-14-dev emscripten chromium
          pkg-config libxlsxwriter-dev libzip-dev libexpat1-dev libfmt-dev libfast-float-dev python3-openpyxl python3-docx
          r-base-dev r-cran-rcpp r-cran-testthat devscripts ccache
          python3-dev python3-pybind11 python3-setuptools python3-pandas python3-numpy python3-pytest python3-venv
          poppler-utils libreoffice-writer-nogui)
# Debian's npm clashes with a NodeSource nodejs, which brings an npm of its own.
command -v npm > /dev/null || packages+=(npm)
"$(dirname "$0")/install-missing.sh" "${packages[@]}"

# The web build compiles zlib, expat and libzip from Debian's own source
# packages (scripts/web.sh fetches them with apt-get source): apt needs the
# deb-src lines of the archive the system already uses.
if [ -z "$(apt-cache showsrc zlib 2>/dev/null)" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/debian-src.sources > /dev/null
  else
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/debian-src.list > /dev/null
  fi
  $sudo apt-get update
fi
