#!/usr/bin/env bash
# Tests of the web page, after scripts/web.sh and the native build: the
# WebAssembly core under Node against build/src/cli/cpt, then the page in
# Debian's chromium driven headless by puppeteer-core (which never downloads
# a browser of its own). Installs chromium and npm when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

missing=()
dpkg -s chromium 2>/dev/null | grep -q '^Status: install ok installed' || missing+=(chromium)
command -v npm > /dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cd "$here/tests/web"
npm ci --no-audit --no-fund
node --test node_outputs_test.js browser_test.js
echo "Screenshots of the page: $here/build-web/screenshot-cartesian.png, $here/build-web/screenshot-page.png"
