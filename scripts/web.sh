#!/usr/bin/env bash
# Builds the web page into build-web/: the core compiled to WebAssembly by
# emscripten (installed from Debian's archive when missing) behind a small
# binding, and the static page of web/. Open build-web/index.html in a
# browser, or serve the folder from any static host.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-web"

"$here/scripts/install-missing.sh" emscripten nodejs nlohmann-json3-dev cmake ninja-build pandoc

# emscripten's JavaScript optimiser needs Debian's node modules (acorn), which
# a node from elsewhere does not look for by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# The C libraries the native build takes from Debian (zlib, libzip, expat),
# compiled to WebAssembly from Debian's own source packages (setup.sh adds the
# deb-src lines; emscripten's ports would download from elsewhere), into a
# prefix kept for the machine, as its packages are (CPT_WEB_DEPS sets
# another): a library built already, by this clone or another, is not built
# again.
deps="${CPT_WEB_DEPS:-/var/cache/cpt/web-deps}"
prefix="$deps/prefix"
fetch_source() {  # package: its unpacked source under $deps/src/package
  local package=$1 version
  [ -d "$deps/src/$package" ] && return
  mkdir -p "$deps/download" "$deps/src"
  local versions
  versions=$(apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -ruV)
  if [ -z "$versions" ]; then
    echo "web.sh: apt knows no source of $package: add Debian's deb-src lines (scripts/setup.sh does)" >&2
    exit 1
  fi
  # The newest version first; a mirror may no longer hold it, then an older one.
  for version in $versions; do
    rm -rf "$deps/download/$package"
    mkdir -p "$deps/download/$package"
    if (cd "$deps/download/$package" && apt-get source --download-only "$package=$version" > fetch.log 2>&1); then
      (cd "$deps/download/$package" && dpkg-source -x --no-check ./*.dsc "$deps/src/$package" > unpack.log)
      return
    fi
  done
  echo "web.sh: no version of the source package $package could be fetched (see $deps/download/$package/fetch.log)" >&2
  exit 1
}
build_library() {  # package, the file it installs, then its CMake options
  local package=$1 installed=$2
  shift 2
  [ -e "$prefix/$installed" ] && return
  fetch_source "$package"
  local source="$deps/src/$package"
  [ -f "$source/CMakeLists.txt" ] || source="$source/$package"  # expat keeps its library in expat/
  emcmake cmake -S "$source" -B "$deps/build/$package" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
      -DBUILD_SHARED_LIBS=OFF "$@" > "$deps/build-$package.log"
  cmake --build "$deps/build/$package" -j2 >> "$deps/build-$package.log"
  cmake --install "$deps/build/$package" >> "$deps/build-$package.log"
}
# zlib's CMake file wants Windows resources Debian's source leaves out: its
# own configure script, in a copy of the source.
if [ ! -e "$prefix/lib/libz.a" ]; then
  fetch_source zlib
  rm -rf "$deps/build/zlib"
  mkdir -p "$deps/build"
  cp -r "$deps/src/zlib" "$deps/build/zlib"
  (cd "$deps/build/zlib" && emconfigure ./configure --static --prefix="$prefix" && emmake make -j2 libz.a \
     && emmake make install) > "$deps/build-zlib.log"
fi
# Debian's security patches test XML_DTD as a number, which expat's CMake
# template defines empty: it is made 1, as Debian's own build has it.
fetch_source expat
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$deps/src/expat/expat/expat_config.h.cmake"
build_library expat lib/libexpat.a -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=ON
# CMake's size checks misread emscripten's objects: wasm32's sizes, told.
build_library libzip lib/libzip.a -DSIZEOF_OFF_T=8 -DHAVE_SIZEOF_OFF_T=TRUE -DSIZEOF_SIZE_T=4 -DHAVE_SIZEOF_SIZE_T=TRUE \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=OFF

# Optimised, but the sums keep their order: the top-level build adds
# -ffp-contract=off and never -ffast-math.
emcmake cmake -S "$here" -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCPT_BUILD_APP=OFF -DCPT_BUILD_CLI=OFF -DCPT_BUILD_BENCH=OFF -DCPT_BUILD_TESTS=OFF -DCPT_BUILD_WEB=ON \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix"
cmake --build "$out/cmake" --target cpt_web -j2

# The page: its own files, the module, and the worker's source as a script,
# since a page opened from a folder may not load a worker from a file.
cp "$here"/web/index.html "$here"/web/style.css "$here"/web/page.js "$here"/web/chart.js "$here"/web/bench_files.js "$out/"
# The licence the footer links to, as .txt so that any static host shows it.
cp "$here/LICENSE" "$out/LICENSE.txt"
# The user guide the footer links to is made from the native cpt's output;
# without a native build the page goes without the link.
native_cpt=${CPT_NATIVE_CPT:-$here/build/src/cli/cpt}
if [ -x "$native_cpt" ]; then
  "$here/scripts/make-guide.sh" "$native_cpt" "$out"
else
  sed -i '/id="guide-link"/d' "$out/index.html"
  echo "web.sh: no native cpt at $native_cpt (build it, or set CPT_NATIVE_CPT): the page has no user guide link" >&2
fi
cp "$out/cmake/src/web/cpt_web.js" "$out/cpt_web.js"
node "$here/web/bundle_worker.js" "$out/worker_source.js" "$out/cpt_web.js" "$here/web/bench_files.js" \
    "$here/web/worker.js"
echo "Built the page: $out/index.html"
