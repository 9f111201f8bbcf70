#!/usr/bin/env bash
# Builds the .deb in BUILD (default build/, configured already) and checks it:
# every installed file is in it; lintian finds no error and no warning; the
# desktop entry and the AppStream metainfo validate; every library the
# programs load comes from a package its Depends names. Then, on this machine
# itself (not in a throwaway root), it installs the package with apt-get
# (Depends alone, no Recommends), runs the installed programs and man, removes
# the package and checks that nothing of it, and nothing else, went or stayed.
# Usage: scripts/package.sh [BUILD]   (as root, or with sudo)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
app_id=io.github.cpt.CartesianPairedTest
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

cmake --build "$build" --target cpt cpt-desktop cpt_compressed_docs guide -j2
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
  ./usr/share/man/man1/cpt.1.gz
  ./usr/share/man/man1/cpt-desktop.1.gz
  ./usr/share/doc/cpt/copyright
  ./usr/share/doc/cpt/changelog.gz
  ./usr/share/doc/cpt/guide.html
  ./usr/share/doc-base/cpt.cpt-guide
)
for picture in "$build"/docs/guide/guide-pictures/*; do
  expected+=("./usr/share/doc/cpt/guide-pictures/$(basename "$picture")")
done
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

# Any error or warning fails; the informational tags are shown, not fatal.
lintian_root=()
[ "$(id -u)" -ne 0 ] || lintian_root=(--allow-root)
echo "lintian:"
lintian "${lintian_root[@]}" --tag-display-limit 0 --fail-on error,warning --display-info "$deb" | sed 's/^/  /'
echo "lintian: no error and no warning"

root=$(mktemp -d)
cleanup() { rm -rf "$root"; }
trap cleanup EXIT
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

# Each library the programs load must be owned by a package Depends names
# (directly; what those packages pull in is theirs to name).
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/^ *([^ (]+).*/\1/')
owner() {  # the package that holds a library path; merged /usr lists some under /lib
  local path=$1
  dpkg -S "$path" 2>/dev/null && return
  dpkg -S "$(realpath "$path")" 2>/dev/null && return
  case $path in
    /usr/lib/*) dpkg -S "${path#/usr}" 2>/dev/null ;;
    /lib/*) dpkg -S "/usr$path" 2>/dev/null ;;
  esac
}
unlisted=0
for program in cpt cpt-desktop; do
  binary=$root/usr/bin/$program
  for library in $(objdump -p "$binary" | awk '/NEEDED/ {print $2}'); do
    path=$(ldd "$binary" | awk -v l="$library" '$1 == l {print $3}')
    if [ -z "$path" ] || [ "$path" = "not" ]; then
      echo "package.sh: $program needs $library, which is not found" >&2
      unlisted=1
      continue
    fi
    package=$(owner "$path" | head -1 | cut -d: -f1)
    if ! grep -qxF "$package" <<<"$depends"; then
      echo "package.sh: $program loads $library from $package, which Depends does not name" >&2
      unlisted=1
    fi
  done
done
[ $unlisted -eq 0 ]
echo "depends: every library cpt and cpt-desktop load comes from a package Depends names"

# What apt-get would pull in on a fresh Debian machine (its required and
# essential packages only), simulated against the archive's lists.
"$here/scripts/fresh-debian-status.py" >"$root/fresh-status"
if ! apt-get -s -o Dir::State::status="$root/fresh-status" install --no-install-recommends "$deb" \
     >"$root/fresh-install.log" 2>&1; then
  cat "$root/fresh-install.log" >&2
  echo "package.sh: apt-get cannot install the package on a fresh Debian machine" >&2
  exit 1
fi
pulled_qt=$(awk '$1 == "Inst" && $2 ~ /qt6/ {print $2}' "$root/fresh-install.log" | tr '\n' ' ')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 qt6-qpa-plugins; do
  grep -qw "$package" <<<"$pulled_qt" || { echo "package.sh: a fresh install would not pull in $package" >&2; exit 1; }
done
echo "fresh machine (simulated): apt-get install would pull in $(grep -c '^Inst' "$root/fresh-install.log") packages, among them $pulled_qt"

# Install, use and remove it on this machine. One check at a time on the
# machine (several worktrees build here), and never over a cpt someone
# installed by hand.
exec 9>/tmp/cpt-package-check.lock
flock 9
if dpkg-query -W -f '${Status}' cpt 2>/dev/null | grep -q 'ok installed'; then
  echo "package.sh: a package cpt is installed on this machine already; remove it first" >&2
  exit 1
fi
installed() { dpkg-query -W -f '${Package}:${Architecture} ${db:Status-Abbrev}\n' | awk '$2 ~ /^ii/ {print $1}' | sort; }
before=$(installed)
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=600 "$@"; }
remove_cpt() { apt_get remove cpt >/dev/null || true; }
trap 'remove_cpt; cleanup' EXIT

apt_get install --no-install-recommends "$deb" >"$root/apt-install.log" 2>&1 || {
  cat "$root/apt-install.log" >&2
  exit 1
}
pulled=$(comm -13 <(echo "$before") <(installed) | grep -v '^cpt:' || true)
echo "install: apt-get install $(basename "$deb") on this machine; it pulled in: ${pulled:-nothing (all there already)}" | tr '\n' ' '
echo

for program in cpt cpt-desktop; do
  if [ "$(command -v $program)" != /usr/bin/$program ]; then
    echo "package.sh: $program is not found as /usr/bin/$program once installed" >&2
    exit 1
  fi
done
cpt --help >/dev/null
work=$root/run
mkdir -p "$work/out"
examples=/usr/share/cpt/examples
(cd "$work" && cpt cartesian -C out --fixed-time "2026-12-09 22:32:02" \
    "$examples/Maize.txt" "$examples/Sorghum.txt" "$examples/Wheat.txt" >/dev/null)
report=$(ls "$work"/out/*.txt)
grep -q "Maize" "$report"
for page in cpt cpt-desktop; do
  if [ "$(man -w $page)" != /usr/share/man/man1/$page.1.gz ]; then
    echo "package.sh: man -w $page does not find /usr/share/man/man1/$page.1.gz" >&2
    exit 1
  fi
done
# The guide the desktop program's Help opens, with every picture it shows.
guide=/usr/share/doc/cpt/guide.html
for picture in $(grep -o '<img src="[^"]*"' "$guide" | sed 's/^<img src="//; s/"$//'); do
  if [ ! -f "/usr/share/doc/cpt/$picture" ]; then
    echo "package.sh: the installed guide shows $picture, which is not installed" >&2
    exit 1
  fi
done
man -P cat cpt >"$work/cpt.man" 2>/dev/null
grep -q "cpt cartesian" "$work/cpt.man"
if ldd /usr/bin/cpt-desktop | grep "not found" >&2; then
  echo "package.sh: the installed cpt-desktop lacks the libraries above" >&2
  exit 1
fi
# The desktop program has no quit switch: it must still be up after 5
# seconds on the offscreen platform (timeout's 124), not have failed.
status=0
(cd "$work" && HOME=$work QT_QPA_PLATFORM=offscreen timeout 5 cpt-desktop >"$work/desktop.log" 2>&1) || status=$?
if [ $status -ne 124 ]; then
  echo "package.sh: the installed cpt-desktop ended with status $status within 5 seconds:" >&2
  cat "$work/desktop.log" >&2
  exit 1
fi
echo "installed: cpt --help, cpt cartesian on the installed examples, man -w cpt and cpt-desktop, the guide with its pictures, cpt-desktop started offscreen"

apt_get remove cpt >/dev/null
trap cleanup EXIT
if dpkg -L cpt >/dev/null 2>&1; then
  echo "package.sh: dpkg still lists files of cpt after its removal" >&2
  exit 1
fi
left=0
while read -r entry; do
  path=${entry#.}
  [ -n "$path" ] && [ "$path" != / ] || continue
  if [ -d "$path" ]; then
    # A folder may stay only while another package uses it.
    [ -n "$(dpkg -S "$path" 2>/dev/null)" ] && continue
  elif [ ! -e "$path" ] && [ ! -L "$path" ]; then
    continue
  fi
  echo "package.sh: $path is still there after the removal" >&2
  left=1
done <<<"$listing"
[ $left -eq 0 ]
after=$(installed)
gone=$(comm -23 <(echo "$before") <(echo "$after"))
if [ -n "$gone" ]; then
  echo "package.sh: the install and removal took away packages that were there before: $gone" >&2
  exit 1
fi
echo "removed: apt-get remove cpt leaves none of its files and every package that was there before"
echo "package.sh: the package builds, passes lintian and validates; it installed, ran and was removed on this machine itself"
