#!/usr/bin/env bash
# Installs the named Debian packages that dpkg does not report installed,
# with one apt-get update first; does nothing when all are there.
# Usage: scripts/install-missing.sh PACKAGE...
set -euo pipefail
missing=()
for package in "$@"; do
  dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
