#!/usr/bin/env bash
# Makes the release artefacts in dist/, each named with the version of the
# top CMakeLists.txt's project(... VERSION ...), and their SHA256SUMS:
#   cpt_VERSION_ARCH.deb        built and checked by scripts/package.sh
#   the R source package        built and checked by scripts/r-package.sh
#   the Python sdist and wheel  built by scripts/python-package.sh
#   cpt-web-VERSION.zip         the static web page (build-web/ without cmake/)
#   cpt-VERSION.tar.gz          the sources of the commit checked out (git archive)
# Usage: scripts/release.sh [BUILD]   (BUILD: the native build folder, default
# build/, configured here when it is not; as root or with sudo, for package.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
dist=$here/dist
cd "$here"

version=$(sed -nE 's/^project\([A-Za-z]+ +VERSION +([0-9][0-9.]*).*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
  echo "release.sh: no project(... VERSION ...) in CMakeLists.txt" >&2
  exit 1
fi
echo "release $version"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: note: the source tarball holds the commit $(git rev-parse --short HEAD), not the uncommitted changes"
fi
rm -rf "$dist"
mkdir -p "$dist"

# The .deb, with lintian and the install and removal checks.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCPT_BUILD_APP=ON -DCPT_BUILD_CLI=ON -DCPT_BUILD_BENCH=OFF -DCPT_BUILD_TESTS=OFF
fi
"$here/scripts/package.sh" "$build"
deb=$(ls "$build"/cpt_"$version"_*.deb)
cp "$deb" "$dist/"

# The R source package: its script builds it into build-r/, checks it and
# installs it into a throwaway library.
r_library=$(mktemp -d)
bash "$here/scripts/r-package.sh" "$r_library"
rm -rf "$r_library"
r_package="$here/build-r/cartesianpt_$version.tar.gz"
if [ ! -f "$r_package" ]; then
  echo "release.sh: scripts/r-package.sh left no $(basename "$r_package") in build-r/" >&2
  exit 1
fi
cp "$r_package" "$dist/"

# The Python package: the sdist with the core's sources, and the wheel
# built from it.
bash "$here/scripts/python-package.sh"
cp "$here/build-python/cartesianpt-$version.tar.gz" "$here"/build-python/cartesianpt-"$version"-*.whl "$dist/"

# The static web page, when it is built or can be.
if [ -f "$here/build-web/index.html" ] || command -v emcc >/dev/null || [ "$(id -u)" -eq 0 ]; then
  CPT_NATIVE_CPT="$build/src/cli/cpt" "$here/scripts/web.sh"
  web_name=cpt-web-$version
  stage=$(mktemp -d)
  # Without the build folder and the screenshots scripts/web-test.sh leaves.
  mkdir "$stage/$web_name"
  (cd "$here/build-web" && find . -mindepth 1 -maxdepth 1 ! -name cmake ! -name 'screenshot-*.png' \
       -exec cp -r {} "$stage/$web_name/" \;)
  (cd "$stage" && zip -qrX "$dist/$web_name.zip" "$web_name")
  rm -rf "$stage"
else
  echo "release.sh: note: no build-web/ and no emscripten to make it, so no web page zip"
fi

# The sources, as committed.
git archive --format=tar.gz --prefix="cpt-$version/" --output="$dist/cpt-$version.tar.gz" HEAD

(cd "$dist" && sha256sum -- * >SHA256SUMS && sha256sum --check --quiet SHA256SUMS)
echo "release.sh: in $dist:"
(cd "$dist" && ls -l)
