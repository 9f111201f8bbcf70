#!/usr/bin/env bash
# Assembles the R package cartesianpt (r/cartesianpt with the core's sources)
# in build-r/, builds its source package, checks it as CRAN would (without
# the network) and installs it into the R library LIBRARY (default: the
# user library; made when missing).
#
#     scripts/r-package.sh [LIBRARY]
#
# The check must end with no error and no warning; its notes are listed.
# CPT_BINARY (default build/src/cli/cpt, when built) lets the package's
# tests compare with a fresh cpt as well.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-r"
stage="$out/cartesianpt"
version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "no project VERSION in CMakeLists.txt" >&2; exit 1; }
library=${1:-$(Rscript -e 'cat(path.expand(Sys.getenv("R_LIBS_USER")))')}
mkdir -p "$library"
library=$(cd "$library" && pwd)

rm -rf "$stage" "$out/cartesianpt.Rcheck" "$out"/cartesianpt_*.tar.gz
mkdir -p "$out"
cp -R "$here/r/cartesianpt" "$stage"
sed -i "s/@VERSION@/$version/" "$stage/DESCRIPTION"
# The core keeps its include layout: "core/analysis/..." resolves from src/.
mkdir -p "$stage/src/core" "$stage/src/study_files" "$stage/src/xlsx" "$stage/inst/extdata"
cp -R "$here/src/core/." "$stage/src/core/"
cp "$here"/src/study_files/*.cpp "$here"/src/study_files/*.h "$stage/src/study_files/"
# The readers of workbooks, and the one entry point for every input file.
cp "$here"/src/xlsx/*.cpp "$here"/src/xlsx/*.h "$stage/src/xlsx/"
# The bootstrap examples (the sort-and-count's "Egg duration.txt" is not
# for this package, and its blank is no portable file name).
cp "$here"/examples/{Maize,Sorghum,Wheat}.txt "$stage/inst/extdata/"

# The glue's registrations first: RcppExports.cpp is one of the objects.
Rscript -e 'Rcpp::compileAttributes(commandArgs(TRUE)[1])' "$stage"
objects=$(cd "$stage/src" && find . -name '*.cpp' | sed 's|^\./||; s|\.cpp$|.o|' | LC_ALL=C sort)
{
  echo "# Written by scripts/r-package.sh; configure makes Makevars of it."
  echo "CXX_STD = CXX20"
  echo "PKG_CPPFLAGS = -I. -DFMT_HEADER_ONLY=1"
  echo "PKG_CXXFLAGS = @CPT_FP_CONTRACT@"
  echo "PKG_LIBS = -lxlsxwriter -lzip -lexpat"
  printf 'OBJECTS ='
  for object in $objects; do printf ' \\\n  %s' "$object"; done
  echo
} > "$stage/src/Makevars.in"

cd "$out"
R CMD build --no-manual cartesianpt
tarball="cartesianpt_$version.tar.gz"
[ -n "${CPT_BINARY:-}" ] || { [ -x "$here/build/src/cli/cpt" ] && export CPT_BINARY="$here/build/src/cli/cpt"; } || true
export MAKEFLAGS="${MAKEFLAGS:--j2}"
# R's own flags without -g: the core's debug information would take most of
# the build's time and make the installed library ten times its size. A
# caller's own Makevars come first.
if [ -z "${R_MAKEVARS_USER:-}" ]; then
  export R_MAKEVARS_USER="$out/Makevars-no-debug"
  echo "CXX20FLAGS = $(R CMD config CXX20FLAGS | sed 's/\(^\| \)-g\( \|$\)/\1/')" >"$R_MAKEVARS_USER"
  # A second check on this machine compiles only what changed.
  if command -v ccache > /dev/null; then echo "CXX20 = ccache $(R CMD config CXX20)" >>"$R_MAKEVARS_USER"; fi
fi
# No network here: neither CRAN's incoming checks nor the clock's.
_R_CHECK_CRAN_INCOMING_=false _R_CHECK_SYSTEM_CLOCK_=false \
  R CMD check --as-cran --no-manual "$tarball" || true
log="$out/cartesianpt.Rcheck/00check.log"
status=$(sed -n 's/^Status: //p' "$log")
echo "R CMD check: ${status:-no status}"
# Each finding with the lines that explain it.
awk '/^\* / { shown = / \.\.\. .*(NOTE|WARNING|ERROR)$/ } shown' "$log"
case "$status" in
  *ERROR* | *WARNING* | "") echo "R CMD check found errors or warnings (see $log)" >&2; exit 1 ;;
esac

# The check installed the package it checked; that installation is the one
# kept, so the core is not compiled a second time.
rm -rf "$library/cartesianpt"
cp -R "$out/cartesianpt.Rcheck/cartesianpt" "$library/cartesianpt"
Rscript -e 'library(cartesianpt, lib.loc = commandArgs(TRUE)[1]); cat("installed cartesianpt", format(packageVersion("cartesianpt", lib.loc = commandArgs(TRUE)[1])), "\n")' "$library"
