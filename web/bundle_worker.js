// Writes the worker's whole source (the module, then worker.js) as one string
// in a script the page loads with a plain <script> tag: a page opened from a
// folder (file://) may not start a worker from a file, but it may from a Blob.
// Usage: node bundle_worker.js cpt_web.js worker.js worker_source.js
'use strict';
const fs = require('fs');
const [moduleFile, workerFile, outFile] = process.argv.slice(2);
if (!outFile) {
  console.error('bundle_worker.js: usage: node bundle_worker.js MODULE.js WORKER.js OUT.js');
  process.exit(2);
}
const source = fs.readFileSync(moduleFile, 'utf8') + '\n' + fs.readFileSync(workerFile, 'utf8');
fs.writeFileSync(outFile, `self.cptWorkerSource = ${JSON.stringify(source)};\n`);
