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
// page's messages name files without folders): only the names are compared,
// whole paths in quotes and the folders within a table's sources alike.
const temporaryFolders = new RegExp(`${os.tmpdir().replace(/[.*+?^${}()|[\]\\]/g, '\\$&')}/cpt-web-[^/"]*/`, 'g');
function withFileNames(text) {
  return text.replace(/"\/[^"]*\/([^"/]*)"/g, '"$1"')
    .replace(/\/runs\/[a-z-]+\/(in\/\d+|out)\//g, '')
    .replace(temporaryFolders, '');
}

function filesOf(folder, names) {
  return names.map((name) => ({ name, bytes: fs.readFileSync(path.join(folder, name)) }));
}

// What a table lacks, as cpt's options: {parameter, sampleSizes: {NAME: n}, sampleSize, estimates: {NAME: x}}.
function readArguments(run) {
  const args = [];
  if (run.parameter) args.push('--parameter', run.parameter);
  if (run.sheet) args.push('--sheet', run.sheet);
  for (const [name, n] of Object.entries(run.sampleSizes || {})) args.push('--sample-size', `${name}=${n}`);
  if (run.sampleSize) args.push('--sample-size', run.sampleSize);
  for (const [name, x] of Object.entries(run.estimates || {})) args.push('--estimate', `${name}=${x}`);
  return args;
}

// cartesian: {files: [paths], reversed, differences, code, and what tables lack}
function cptCartesian(run) {
  const out = freshFolder('cartesian');
  const args = ['cartesian', '-C', out, '--json', '--fixed-time', fixedTime, ...readArguments(run)];
  if (run.reversed) args.push('--reversed');
  if (run.differences) args.push('--differences');
  if (run.code !== undefined) args.push('--code', run.code);
  args.push(...run.files);
  const done = spawnSync(cptProgram, args, { encoding: 'utf8' });
  const json = done.status === 0 ? done.stdout : '';
  const written = json ? JSON.parse(json).files.map((file) => path.basename(file)) : [];
  return { status: done.status, messages: done.stderr, json, files: filesOf(out, written) };
}

// The files as the page's worker hands them over: each one's name and bytes.
function pageFiles(files) {
  return files.map((file) => ({ name: path.basename(file), bytes: new Uint8Array(fs.readFileSync(file)) }));
}

const withBuffers = (result) => ({ ...result, files: result.files.map((file) => ({ name: file.name, bytes: Buffer.from(file.bytes) })) });

async function webCartesian(core, run) {
  const result = core.runCartesian({
    files: await pageFiles(run.files),
    parameter: run.parameter,
    sampleSizes: run.sampleSizes,
    sampleSize: run.sampleSize,
    estimates: run.estimates,
    reversed: !!run.reversed,
    differences: !!run.differences,
    code: run.code,
    fixedTime,
  });
  return withBuffers(result);
}

// The page's study formats, in the order it writes them.
const studyFormats = ['csv', 'html', 'tex', 'md', 'docx'];

// study: {files: [paths], reversed, code, digits}
function cptStudy(run) {
  const out = freshFolder('study');
  const args = ['study', '-C', out, '--json', '--fixed-time', fixedTime, '--format', studyFormats.join(',')];
  if (run.reversed) args.push('--reversed');
  if (run.code !== undefined) args.push('--code', run.code);
  if (run.digits !== undefined) args.push('--digits', String(run.digits));
  args.push(...run.files);
  const done = spawnSync(cptProgram, args, { encoding: 'utf8' });
  const json = done.status === 0 ? done.stdout : '';
  const written = json ? JSON.parse(json).files.map((file) => path.basename(file)) : [];
  return { status: done.status, messages: done.stderr, json, files: filesOf(out, written) };
}

async function webStudy(core, run) {
  return withBuffers(core.runStudy({
    files: await pageFiles(run.files), reversed: !!run.reversed, code: run.code, digits: run.digits, fixedTime,
  }));
}

// A zip's parts by name, as text, read by Debian's Python (zipfile).
function zipParts(bytes) {
  const script = 'import io, json, sys, zipfile\n' +
    'z = zipfile.ZipFile(io.BytesIO(sys.stdin.buffer.read()))\n' +
    'json.dump({n: z.read(n).decode("utf-8") for n in z.namelist()}, sys.stdout)';
  const done = spawnSync('/usr/bin/python3', ['-c', script], { input: Buffer.from(bytes), encoding: 'utf8' });
  if (done.status !== 0) throw new Error(`zipParts: ${done.stderr}`);
  return JSON.parse(done.stdout);
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
  return withBuffers(result);
}

function loadCore() {
  const modulePath = process.env.CPT_WEB_MODULE || path.join(root, 'build-web/cpt_web.js');
  return require(modulePath)();
}

module.exports = {
  root, cptProgram, fixedTime, withFileNames, pageFiles, cptCartesian, webCartesian, cptStudy, webStudy, zipParts,
  cptSortCount, webSortCount, loadCore, withBuffers,
};
