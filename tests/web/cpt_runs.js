// Runs the batch program cpt and the WebAssembly core on the same answers
// and gathers what each wrote, for the web tests to compare byte for byte.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const root = path.resolve(__dirname, '../..');
const cptProgram = process.env.CPT || path.join(root, 'build/src/cli/cpt');
const fixedTime = '2026-12-09 22:32:02';

function freshFolder(label) {
  return fs.mkdtempSync(path.join(os.tmpdir(), `cpt-web-${label}-`));
}

// Paths differ between the two (a temporary folder, the in-memory one; the
// page's messages name files without folders): only the names are compared.
function withFileNames(text) {
  return text.replace(/"\/[^"]*\/([^"/]*)"/g, '"$1"');
}

function filesOf(folder, names) {
  return names.map((name) => ({ name, bytes: fs.readFileSync(path.join(folder, name)) }));
}

// cartesian: {files: [paths], reversed, differences, code}
function cptCartesian(run) {
  const out = freshFolder('cartesian');
  const args = ['cartesian', '-C', out, '--json', '--fixed-time', fixedTime];
  if (run.reversed) args.push('--reversed');
  if (run.differences) args.push('--differences');
  if (run.code !== undefined) args.push('--code', run.code);
  args.push(...run.files);
  const done = spawnSync(cptProgram, args, { encoding: 'utf8' });
  const json = done.status === 0 ? done.stdout : '';
  const written = json ? JSON.parse(json).files.map((file) => path.basename(file)) : [];
  return { status: done.status, messages: done.stderr, json, files: filesOf(out, written) };
}

function webCartesian(core, run) {
  const result = core.runCartesian({
    files: run.files.map((file) => ({ name: path.basename(file), bytes: fs.readFileSync(file) })),
    reversed: !!run.reversed,
    differences: !!run.differences,
    code: run.code,
    fixedTime,
  });
  return { ...result, files: result.files.map((file) => ({ name: file.name, bytes: Buffer.from(file.bytes) })) };
}

// sort-count: {file: path, kind, decimals, serialNumbers}; cpt writes beside
// the data file, so it gets a copy in a folder of its own.
function cptSortCount(run) {
  const folder = freshFolder('sort');
  const copy = path.join(folder, path.basename(run.file));
  fs.copyFileSync(run.file, copy);
  const args = ['sort-count', '--json', '--fixed-time', fixedTime, '--kind', run.kind];
  if (run.decimals !== undefined) args.push('--decimals', run.decimals);
  if (run.serialNumbers) args.push('--serial-numbers');
  args.push(copy);
  const done = spawnSync(cptProgram, args, { encoding: 'utf8' });
  const json = done.status === 0 ? done.stdout : '';
  const written = json ? JSON.parse(json).files.map((file) => path.basename(file)) : [];
  return { status: done.status, messages: done.stderr, json, files: filesOf(folder, written) };
}

function webSortCount(core, run) {
  const result = core.runSortCount({
    file: { name: path.basename(run.file), bytes: fs.readFileSync(run.file) },
    kind: run.kind,
    decimals: run.decimals,
    serialNumbers: !!run.serialNumbers,
    fixedTime,
  });
  return { ...result, files: result.files.map((file) => ({ name: file.name, bytes: Buffer.from(file.bytes) })) };
}

function loadCore() {
  const modulePath = process.env.CPT_WEB_MODULE || path.join(root, 'build-web/cpt_web.js');
  return require(modulePath)();
}

module.exports = { root, cptProgram, fixedTime, withFileNames, cptCartesian, webCartesian, cptSortCount, webSortCount, loadCore };
