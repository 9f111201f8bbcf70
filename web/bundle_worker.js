// Writes the worker's whole source (the module, then worker.js) as one string
// in a script the page loads with a plain <script> tag: a page opened from a
// folder (file://) may not start a worker from a file, but it may from a Blob.
// Usage: node bundle_worker.js OUT.js cpt_web.js bench_files.js worker.js
'use strict';
const fs = require('fs');
const [outFile, ...parts] = process.argv.slice(2);
if (parts.length === 0) {
  console.error('bundle_worker.js: usage: node bundle_worker.js OUT.js SCRIPT.js...');
  process.exit(2);
}
const source = parts.map((part) => fs.readFileSync(part, 'utf8')).join('\n');
fs.writeFileSync(outFile, `self.cptWorkerSource = ${JSON.stringify(source)};\n`);
