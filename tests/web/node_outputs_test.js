// The WebAssembly core under Node against the batch program: the same
// answers give the same exit status, messages, JSON document (paths aside)
// and the same bytes in every written file.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const runs = require('./cpt_runs');
const { writeTables, wideSampleSizes, wideEstimates } = require('./table_fixtures');
const { writeForeignFiles } = require('./foreign_fixtures');

const examples = (name) => path.join(runs.root, 'examples', name);

// Numbers that take every way through reading and writing a double: the
// quick exact cases, long digit strings, exponents, the ends of the range.
function generalDataFile(name, values) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-numbers-'));
  const file = path.join(folder, name);
  fs.writeFileSync(file, ['"Numbers","units","N1"', ...values, '-1', ''].join('\r\n'));
  return file;
}
const awkwardNumbers = generalDataFile('awkward numbers.txt', [
  '0.1', '0.30000000000000004', '-0', '.5', '-.25', '1E5', '5e-5', '1e-300', '2.2250738585072014e-308',
  '4.9e-324', '1.7976931348623157e308', '123456789012345678', '9007199254740993', '1.000000000000001',
  '1234567.890123456789', '0.000123456789012345', '3.14159265358979323846', '2.5', '2.5', '-7.0000001',
  '1e22', '1e23', '8.98846567431158e307', '0.1e-2', '100000000000000000000000000']);
const outOfRange = generalDataFile('out of range.txt', ['1', '2', '1e400', '3']);
const fixture = (name) => path.join(runs.root, 'tests/core/cartesian/fixtures', name);

const cartesianCases = [
  { label: 'three examples in entry order', files: ['Maize.txt', 'Sorghum.txt', 'Wheat.txt'].map(examples) },
  { label: 'two examples, reversed, a code, difference files', files: ['Maize.txt', 'Wheat.txt'].map(examples),
    reversed: true, differences: true, code: 'trial' },
  { label: 'code 1 gives the date-time name', files: ['Wheat.txt', 'Sorghum.txt'].map(examples), code: '1' },
  { label: 'fixtures with difference files', files: ['kale_2_6.txt', 'cabbage_1_2.txt'].map(fixture), differences: true },
  { label: 'three fixture means reversed', files: ['mean_010.txt', 'mean_020.txt', 'mean_030.txt'].map(fixture),
    reversed: true, code: 'means' },
  { label: 'four fixtures with difference files', differences: true,
    files: ['kale_3_5.txt', 'cabbage_1_5.txt', 'radish_1_3.txt', 'mustard_0_1_5.txt'].map(fixture) },
  { label: 'a file that is not a treatment file is refused', status: 1,
    files: [examples('Maize.txt'), examples('Egg duration.txt')],
    pageWords: 'the table gives no sample size for treatment "Egg duration"; give it with a column "n" in the table' },
  { label: 'one described file is too few', status: 2, files: [examples('Maize.txt')] },
];

// Tables: one file may give the whole run, or some of it beside described files.
const tables = writeTables();
const tableCases = [
  { label: 'a wide table, n and estimates given by name', files: [tables.wide],
    sampleSizes: wideSampleSizes, estimates: wideEstimates },
  { label: 'a wide table after a described file, one n for every treatment, reversed', reversed: true,
    files: [examples('Wheat.txt'), tables.wide], sampleSize: '25', estimates: wideEstimates },
  { label: 'a long table of two parameters, R0 chosen', files: [tables.long], parameter: 'R0' },
  { label: 'a workbook of two parameters, r chosen', files: [tables.workbook], parameter: 'r', code: 'book' },
  { label: 'a wide table without its sample sizes is refused', status: 1, files: [tables.wide],
    estimates: wideEstimates, pageWords: 'give it with a column "n" in the table, as in Maize=N' },
  { label: 'a wide table without its estimates is refused', status: 1, files: [tables.wide],
    sampleSizes: wideSampleSizes, pageWords: 'give it with a column "estimate" in the table, as in Maize=X.' },
  { label: 'a long table of two parameters without a choice is refused', status: 1, files: [tables.workbook],
    pageWords: 'name one with the menu "Parameter of the long tables", by its CODE.' },
  { label: 'a file named .xlsx that is no workbook is refused', status: 1,
    files: [tables.notWorkbook, examples('Maize.txt')] },
];

// A file of another kind: refused for what it is, by the page as by cpt.
const foreignFiles = writeForeignFiles();
const foreignCases = foreignFiles.map((file) => ({ label: `${file.name} is refused for what it is`, status: 1,
  files: [examples('Maize.txt'), file.path, examples('Wheat.txt')] }));

const studyCases = [
  { label: 'a long table gives a study of two parameters', files: [tables.long] },
  { label: 'the same study from the workbook, reversed, 3 digits, a code', files: [tables.workbook],
    reversed: true, digits: 3, code: 'study' },
  { label: 'described files of one parameter', files: ['Maize.txt', 'Sorghum.txt', 'Wheat.txt'].map(examples) },
  { label: 'a treatment given twice is refused', status: 1, files: [tables.long, tables.workbook] },
];

const sortCountCases = [
  { label: 'general data', file: examples('Egg duration.txt'), kind: 'general' },
  { label: 'bootstrap results, 3 decimals', file: examples('Maize.txt'), kind: 'boot', decimals: '3' },
  { label: 'bootstrap results, whole numbers', file: examples('Wheat.txt'), kind: 'boot', decimals: '0' },
  { label: 'fixture treatment, all decimals', file: fixture('mustard_0_1_5.txt'), kind: 'boot' },
  { label: 'paired-test results', kind: 'results',
    file: fixture('differences/25A-Cartesian diff_5-A-1 to 2_diff-All (for N. sort).txt') },
  { label: 'awkward numbers', file: awkwardNumbers, kind: 'general' },
  { label: 'awkward numbers, 5 decimals', file: awkwardNumbers, kind: 'general', decimals: '5' },
  { label: 'a number beyond the double range is refused', file: outOfRange, kind: 'general', status: 1 },
  { label: 'a bad decimal count is refused', file: examples('Maize.txt'), kind: 'boot', decimals: '7', status: 2,
    pageWords: '"Decimals" takes a number from -1 to 5, not "7".' },
];

// Each case's expected status (0 unless given) keeps a case that fails on
// both sides alike from passing unseen. Where cpt's complaint names its
// options, the page's names its own controls (pageWords) instead.
const optionName = /(^|\s)--?[a-zA-Z]/;
function assertSameRun(web, cpt, expectedStatus = 0, pageWords = undefined) {
  assert.equal(cpt.status, expectedStatus, 'cpt exit status');
  assert.equal(web.status, cpt.status, 'exit status');
  if (pageWords) {
    assert.match(cpt.messages, optionName, 'cpt names its option');
    assert.ok(web.messages.includes(pageWords), `"${pageWords}" in: ${web.messages}`);
    assert.doesNotMatch(web.messages, optionName, 'an option name');
  } else {
    assert.equal(runs.withFileNames(web.messages), runs.withFileNames(cpt.messages), 'messages');
  }
  assert.equal(runs.withFileNames(web.json), runs.withFileNames(cpt.json), 'JSON document');
  assert.deepEqual(web.files.map((file) => file.name), cpt.files.map((file) => file.name), 'written files');
  for (let k = 0; k < cpt.files.length; k++) {
    assert.ok(web.files[k].bytes.equals(cpt.files[k].bytes), `bytes of ${cpt.files[k].name}`);
  }
}

test('the WebAssembly core writes what cpt writes', async (t) => {
  const core = await runs.loadCore();
  for (const run of [...cartesianCases, ...tableCases, ...foreignCases]) {
    await t.test(`cartesian: ${run.label}`, async () => {
      const cpt = runs.cptCartesian(run);
      assertSameRun(await runs.webCartesian(core, run), cpt, run.status, run.pageWords);
    });
  }
  for (const run of [...studyCases, ...foreignCases]) {
    await t.test(`study: ${run.label}`, async () => {
      const cpt = runs.cptStudy(run);
      const web = await runs.webStudy(core, run);
      // The Word documents hold the same parts (and, packed by the same
      // libzip, are the same archives).
      const docx = (result) => result.files.filter((file) => file.name.endsWith('.docx'));
      const [webDocx, cptDocx] = [docx(web), docx(cpt)];
      assert.equal(webDocx.length, cptDocx.length, 'Word documents');
      for (let k = 0; k < cptDocx.length; k++) {
        assert.deepEqual(await runs.zipParts(webDocx[k].bytes), await runs.zipParts(cptDocx[k].bytes), cptDocx[k].name);
        assert.ok(Buffer.from(webDocx[k].bytes).equals(Buffer.from(cptDocx[k].bytes)), `${cptDocx[k].name}: the archives`);
      }
      const others = (result) => ({ ...result, files: result.files.filter((file) => !file.name.endsWith('.docx')) });
      assertSameRun(others(web), others(cpt), run.status);
      if (!run.status) assert.ok(web.files.some((file) => file.name === 'study-table.csv'), 'the study csv');
    });
  }
  for (const run of sortCountCases) {
    await t.test(`sort-count: ${run.label}`, () => {
      const cpt = runs.cptSortCount(run);
      assertSameRun(runs.webSortCount(core, run), cpt, run.status, run.pageWords);
    });
  }
});

// Where the page's user sees other words than cpt's: the page's controls
// named, never a command-line option, and a count cpt's command line refuses
// refused before any question.
const pageFile = (file) => ({ name: path.basename(file), bytes: fs.readFileSync(file) });
const pairTooLargeToList = require('../../web/bench_files').benchmarkFiles(3001).slice(0, 2)
  .map((file) => ({ name: file.name, bytes: Buffer.from(file.text) }));
const maize = pageFile(examples('Maize.txt'));
const wheat = pageFile(examples('Wheat.txt'));

const pageWordingCases = [
  { label: 'one treatment file', command: 'runCartesian', request: { files: [maize] }, status: 2,
    words: 'The Cartesian paired test takes 2 to 26 treatments; 1 was given.' },
  { label: 'a sample size that is no whole number', command: 'runCartesian', status: 2,
    request: { files: [maize, wheat], sampleSizes: { 'Host A': 'thirty' } },
    words: 'The sample size n of treatment "Host A" is a whole number of at least 1, not "thirty".' },
  { label: 'an estimate that is no number', command: 'runCartesian', status: 2,
    request: { files: [maize, wheat], estimates: { Maize: '0.1.5' } },
    words: 'The estimate of treatment "Maize" is a number, not "0.1.5".' },
  { label: '27 treatment files', command: 'runCartesian', request: { files: Array(27).fill(maize) }, status: 2,
    words: 'The Cartesian paired test takes 2 to 26 treatment files; 27 were given.' },
  { label: 'a fixed time stamp that is not one', command: 'runCartesian',
    request: { files: [maize, wheat], fixedTime: 'noon' }, status: 2,
    words: '"Fixed time stamp" expects a date and time as 2026-12-09 22:32:02, not "noon".' },
  { label: 'a sort-count with a decimal count out of range', command: 'runSortCount',
    request: { file: maize, kind: 'boot', decimals: '7' }, status: 2,
    words: '"Decimals" takes a number from -1 to 5, not "7".' },
  { label: 'a sort-count with a fixed time stamp that is not one', command: 'runSortCount',
    request: { file: maize, kind: 'boot', fixedTime: 'noon' }, status: 2, words: '"Fixed time stamp" expects' },
  { label: 'difference files of a pair too large to list', command: 'runCartesian',
    request: { files: pairTooLargeToList, differences: true, fixedTime: runs.fixedTime }, status: 1,
    words: 'Untick "Difference files" to run without them.' },
];

test('the page words its complaints after its own controls', async (t) => {
  const core = await runs.loadCore();
  for (const run of pageWordingCases) {
    await t.test(run.label, () => {
      const result = core[run.command](run.request);
      assert.equal(result.status, run.status, 'status');
      assert.ok(result.messages.includes(run.words), `"${run.words}" in: ${result.messages}`);
      assert.doesNotMatch(result.messages, /(^|\s)--?[a-zA-Z]/, 'an option name');
      assert.equal(result.files.length, 0, 'written files');
    });
  }
});

// What the page lists of a dropped file before any run: every treatment, of
// every parameter, with the n and estimate the file gives (null where it
// lacks them), or the refusal cpt would give.
const listingCases = [
  { label: 'a described file', file: examples('Maize.txt'),
    listed: [{ name: 'Maize', code: 'r', B: 200, sampleSize: 60, estimate: 0.1512 }] },
  { label: 'a wide table lacks every n and estimate', file: tables.wide,
    listed: ['Maize', 'Sorghum', 'Wheat'].map((name, k) => ({ name, code: 'wide r', B: [40, 36, 44][k], sampleSize: null, estimate: null })) },
  { label: 'a workbook of two parameters', file: tables.workbook,
    listed: [['r', 'Maize', 40, 30, 0.1512], ['r', 'Sorghum', 36, 28, 0.1487], ['r', 'Wheat', 44, 31, 0.1621],
             ['R0', 'Maize', 40, 30, 41.5], ['R0', 'Sorghum', 36, 28, 36.2], ['R0', 'Wheat', 44, 31, 44.9]]
      .map(([code, name, B, sampleSize, estimate]) => ({ name, code, B, sampleSize, estimate })) },
  { label: 'a file named .xlsx that is no workbook', file: tables.notWorkbook,
    error: 'The file "not a workbook.xlsx" cannot be used: it is not an .xlsx workbook (an Excel file saved as .xlsx): it is no zip archive.' },
];

test('the page names a file of another kind for what it is, in one clean line', async (t) => {
  const core = await runs.loadCore();
  for (const file of foreignFiles) {
    await t.test(file.name, async () => {
      const [given] = await runs.pageFiles([file.path]);
      assert.equal(core.listInput(given).error, `The file "${file.name}" ${file.refusal}`);
      const result = core.runCartesian({ files: await runs.pageFiles([examples('Maize.txt'), file.path]), fixedTime: runs.fixedTime });
      assert.equal(result.status, 1);
      assert.equal(result.messages, `The file "${file.name}" ${file.refusal}\n`);
      assert.doesNotMatch(result.messages.slice(0, -1), /[\x00-\x1f\x7f]/);
    });
  }
});

test('the page lists what a file holds and what it lacks', async (t) => {
  const core = await runs.loadCore();
  for (const run of listingCases) {
    await t.test(run.label, async () => {
      const [file] = await runs.pageFiles([run.file]);
      const listing = core.listInput(file);
      assert.equal(listing.error, run.error);
      if (run.listed) {
        assert.deepEqual(listing.treatments.map(({ name, code, B, sampleSize, estimate }) => ({ name, code, B, sampleSize, estimate })),
                         run.listed);
      }
    });
  }
});

// What the page chooses a file at a time where cpt has one option for all
// its files: a workbook's sheet, a table's parameter code, treatments left out.
const { writeLongTableWithout, treatmentNames } = require('./table_fixtures');
const pageFileOf = async (file, choices) => ({ ...(await runs.pageFiles([file]))[0], ...choices });

test('a workbook whose first sheet holds notes lists its sheets, and its second sheet runs as cpt --sheet', async () => {
  const core = await runs.loadCore();
  const first = core.listInput(await pageFileOf(tables.notesFirst, {}));
  assert.deepEqual(first.sheets, ['Notes', 'Tables']);
  assert.match(first.error, /^The file "season\.xlsx" cannot be used: cell A2 of sheet "Notes"/);
  const second = core.listInput(await pageFileOf(tables.notesFirst, { sheet: 'Tables' }));
  assert.equal(second.error, undefined);
  assert.deepEqual(second.treatments.map((t) => `${t.code} ${t.name}`),
                   ['r', 'R0'].flatMap((code) => treatmentNames.map((name) => `${code} ${name}`)));
  assert.deepEqual(core.listInput(await pageFileOf(tables.long, {})).sheets, undefined, 'a text table has no sheets');
  const web = core.runCartesian({ files: [await pageFileOf(tables.notesFirst, { sheet: 'Tables' })], parameter: 'R0',
                                  fixedTime: runs.fixedTime });
  assertSameRun(runs.withBuffers(web), runs.cptCartesian({ files: [tables.notesFirst], sheet: 'Tables', parameter: 'R0' }));
});

test('treatments of a table left out give the run cpt makes of the table without them', async (t) => {
  const core = await runs.loadCore();
  for (const leftOut of [...treatmentNames.map((name) => [name]), []]) {
    await t.test(`without ${leftOut.join(', ') || 'none'}`, async () => {
      const web = core.runCartesian({ files: [await pageFileOf(tables.long, { leftOut })], parameter: 'r',
                                      fixedTime: runs.fixedTime });
      const cpt = runs.cptCartesian({ files: [writeLongTableWithout(leftOut)], parameter: 'r' });
      assertSameRun(runs.withBuffers(web), cpt);
    });
  }
  // A wide table's treatment left out needs no n or estimate.
  const { Sorghum: _n, ...sampleSizes } = wideSampleSizes;
  const { Sorghum: _x, ...estimates } = wideEstimates;
  const web = core.runCartesian({ files: [await pageFileOf(tables.wide, { leftOut: ['Sorghum'] })], sampleSizes, estimates,
                                  fixedTime: runs.fixedTime });
  assert.equal(web.status, 0, web.messages);
  assert.deepEqual(JSON.parse(web.json).treatments.map((treatment) => treatment.name).sort(), ['Maize', 'Wheat']);
});

test('a table without a parameter column takes the code the page gives it', async () => {
  const core = await runs.loadCore();
  const listed = async (file) => core.listInput(await pageFileOf(file, {})).ownParameter;
  assert.deepEqual([await listed(tables.wide), await listed(tables.long), await listed(examples('Maize.txt'))],
                   [true, false, false]);
  const web = core.runCartesian({ files: [await pageFileOf(tables.wide, { parameter: 'r2' })], sampleSizes: wideSampleSizes,
                                  estimates: wideEstimates, fixedTime: runs.fixedTime });
  const cpt = runs.cptCartesian({ files: [tables.wide], sampleSizes: wideSampleSizes, estimates: wideEstimates, parameter: 'r2' });
  assertSameRun(runs.withBuffers(web), cpt);
  assert.match(runs.withFileNames(cpt.json), /r2/);
});

test('the study names no command-line option when a table lacks its sample sizes', async () => {
  const core = await runs.loadCore();
  const grouped = core.groupStudy({ files: await runs.pageFiles([tables.wide]) });
  const run = core.runStudy({ files: await runs.pageFiles([tables.wide]), fixedTime: runs.fixedTime });
  for (const text of [grouped.error || '', run.messages]) {
    assert.match(text, /give it with a column "n" in the table/);
    assert.doesNotMatch(text, /--/);
  }
});
