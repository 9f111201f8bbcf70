#!/usr/bin/env bash
# Builds the .deb in BUILD (default build/, configured already) and checks it:
# every installed file is in it, the desktop entry and the AppStream metainfo
# validate, and the programs run from a throwaway root it is unpacked into.
# Usage: scripts/package.sh [BUILD]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
app_id=io.github.cpt.CartesianPairedTest

cmake --build "$build" --target cpt cpt-desktop -j2
rm -f "$build"/cpt_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/cpt_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Package Version Depends

listing=$(dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//')
expected=(
  ./usr/bin/cpt
  ./usr/bin/cpt-desktop
  ./usr/share/applications/$app_id.desktop
  ./usr/share/icons/hicolor/scalable/apps/$app_id.svg
  ./usr/share/metainfo/$app_id.metainfo.xml
  ./usr/share/man/man1/cpt.1
  ./usr/share/man/man1/cpt-desktop.1
)
for example in "$here"/examples/*.txt; do
  case $example in *-[123]_*) continue ;; esac  # what a sort-count of an example leaves
  expected+=("./usr/share/cpt/examples/$(basename "$example")")
done
missing=0
for file in "${expected[@]}"; do
  if ! grep -qxF "$file" <<<"$listing"; then
    echo "package.sh: $file is not in the package" >&2
    missing=1
  fi
done
[ $missing -eq 0 ]
echo "contents: all ${#expected[@]} expected files present"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

"$root/usr/bin/cpt" --help >/dev/null
mkdir "$root/out"
examples=$root/usr/share/cpt/examples
"$root/usr/bin/cpt" cartesian -C "$root/out" --fixed-time "2026-12-09 22:32:02" \
    "$examples/Maize.txt" "$examples/Sorghum.txt" "$examples/Wheat.txt"
report=$(ls "$root"/out/*.txt)
grep -q "Maize" "$report"
echo "package.sh: the package builds, validates and runs"
