#!/usr/bin/env bash
# Tests of the web page, after scripts/web.sh and the native build: the
# WebAssembly core under Node against build/src/cli/cpt, then the page in
# Debian's chromium driven headless by puppeteer-core (which never downloads
# a browser of its own). Installs chromium and npm when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

"$here/scripts/install-missing.sh" chromium
command -v npm > /dev/null || "$here/scripts/install-missing.sh" npm

cd "$here/tests/web"
npm ci --no-audit --no-fund
node --test node_outputs_test.js browser_test.js
echo "Screenshots of the page: $here/build-web/screenshot-cartesian.png, $here/build-web/screenshot-page.png," \
     "$here/build-web/screenshot-table.png, $here/build-web/screenshot-study.png"
