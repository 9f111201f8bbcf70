// The page in Debian's chromium, driven headless: three example treatments
// chosen and run give cpt's letters and report and the core's grid; a table
// asks for what it lacks, a workbook for its parameter, and each runs as cpt;
// the study shows its grouping, then cpt's table with raised letters; the
// sort-and-count shows its files and chart; nothing goes to the network; the
// page also starts from a folder (file://). Screenshots are left in
// build-web/ for the eye, and the page's timing of 4 treatments with B = 3000
// is printed beside cpt's.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const puppeteer = require('puppeteer-core');
const runs = require('./cpt_runs');
const { serveFolder } = require('./static_server');
const { writeTables, writeLongTableWithout, treatmentNames, wideSampleSizes, wideEstimates } = require('./table_fixtures');

const pageFolder = path.join(runs.root, 'build-web');
const examples = ['Maize.txt', 'Sorghum.txt', 'Wheat.txt'].map((name) => path.join(runs.root, 'examples', name));
const browserArgs = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

function launch() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: browserArgs,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-chromium-')),
  });
}

async function waitForDownload(folder, name) {
  const file = path.join(folder, name);
  for (let tries = 0; tries < 100; tries++) {
    if (fs.existsSync(file)) return fs.readFileSync(file);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error(`waitForDownload: ${name} did not arrive in ${folder}`);
}

// listed: how many the list then holds.
async function chooseTreatments(page, files, listed = files.length) {
  const input = await page.$('#treatment-input');
  await input.uploadFile(...files);
  await page.waitForFunction((count) => {
    const rows = document.querySelectorAll('#treatment-list tbody tr');
    return rows.length === count && [...rows].every((row) => row.cells[3] && row.cells[3].textContent !== '');
  }, { timeout: 30000 }, listed);
}

const tableText = (page, selector) => page.$$eval(`${selector} tr`, (rows) => rows.map((row) => [...row.cells].map((cell) => cell.textContent)));

test('the page in chromium', async (t) => {
  const { server, origin } = await serveFolder(pageFolder);
  const browser = await launch();
  const elsewhere = [];
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1100, height: 900 });
    page.on('request', (request) => {
      const url = request.url();
      if (!url.startsWith(`${origin}/`) && !url.startsWith('blob:') && !url.startsWith('data:')) elsewhere.push(url);
    });
    const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-downloads-'));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await page.goto(`${origin}/index.html`, { waitUntil: 'load' });

    await t.test('three example treatments give cpt\'s letters and report and the core\'s grid', async () => {
      await chooseTreatments(page, examples);
      const listed = await tableText(page, '#treatment-list tbody');
      assert.deepEqual(listed.map((row) => [row[0], row[2], row[3]]),
                       [['1', 'Maize', '200'], ['2', 'Sorghum', '200'], ['3', 'Wheat', '200']]);
      await page.type('#fixed-time', runs.fixedTime);
      await page.click('#run-cartesian');
      await page.waitForFunction(() => document.getElementById('cartesian-progress').textContent.startsWith('Done'),
                                 { timeout: 60000 });

      const cpt = runs.cptCartesian({ files: examples });
      assert.equal(cpt.status, 0);
      const expected = JSON.parse(cpt.json);
      const letters = await tableText(page, '#letters');
      assert.deepEqual(letters.slice(1).map((row) => [row[1], row[5]]),
                       expected.treatments.map((treatment) => [treatment.name, treatment.letters]));

      const core = await runs.loadCore();
      const grid = await tableText(page, '#overview-grid');
      assert.deepEqual(grid, (await runs.webCartesian(core, { files: examples })).grid);
      // The grid agrees with cpt's figures: P values below, mean differences above.
      for (const pair of expected.pairs) {
        const [i, j] = [pair.first, pair.second];
        assert.ok(Math.abs(parseFloat(grid[j][i]) - pair.pValue) <= 0.00005 + 1e-12, `P value of ${i} and ${j}`);
        assert.equal(grid[j][i].endsWith('*'), pair.tLower > 0, `star of ${i} and ${j}`);
        const difference = expected.treatments[i - 1].mean - expected.treatments[j - 1].mean;
        assert.ok(Math.abs(parseFloat(grid[i][j]) - difference) <= 0.0005 + 1e-12, `difference of ${i} and ${j}`);
      }

      const report = cpt.files[0];
      assert.equal(await page.$eval('#report-text', (pre) => pre.textContent), report.bytes.toString('utf8'));
      await page.click('#report-download');
      assert.ok((await waitForDownload(downloads, report.name)).equals(report.bytes), 'downloaded report');

      // The Results window's figures: the means with one error bar and one
      // letter label a treatment, and one histogram a pair.
      assert.equal(await page.$$eval('#figures svg', (svgs) => svgs.length), 1 + expected.pairs.length);
      assert.deepEqual(await page.$$eval('#figures > div:first-child svg .letter', (labels) => labels.map((l) => l.textContent)),
                       expected.treatments.map((treatment) => treatment.letters));
      assert.equal(await page.$$eval('#figures > div:first-child svg .error-bar', (bars) => bars.length) > 0, true);
      await page.screenshot({ path: path.join(pageFolder, 'screenshot-cartesian.png'), fullPage: true });
    });

    await t.test('a reversed run turns the legend round and lets the earlier downloads go', async () => {
      const legend = () => page.$eval('#grid-legend', (p) => p.textContent);
      assert.match(await legend(), /\(row minus column\)/);
      const earlier = await page.$$eval('#figures a', (links) => links.map((link) => link.href));
      assert.ok(earlier.length > 0 && earlier.every((href) => href.startsWith('blob:')));
      await page.click('#reversed');
      await page.click('#run-cartesian');
      await page.waitForFunction(() => document.getElementById('cartesian-progress').textContent.startsWith('Done'),
                                 { timeout: 60000 });
      assert.match(await legend(), /\(column minus row\)/);
      const stillHeld = await page.evaluate(async (hrefs) => {
        const held = [];
        for (const href of hrefs) await fetch(href).then(() => held.push(href), () => {});
        return held;
      }, earlier);
      assert.deepEqual(stillHeld, []);
      await page.click('#reversed');
    });

    const tables = writeTables();
    const waitForRun = (target) => target.waitForFunction(
      () => /^(Done|Stopped)/.test(document.getElementById('cartesian-progress').textContent), { timeout: 60000 });

    await t.test('a wide table asks for its sample sizes and estimates, and then runs as cpt', async () => {
      const tablePage = await browser.newPage();
      await tablePage.setViewport({ width: 1100, height: 900 });
      await tablePage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      await chooseTreatments(tablePage, [tables.wide], 3);
      const listed = await tableText(tablePage, '#treatment-list tbody');
      assert.deepEqual(listed.map((row) => [row[0], row[1], row[2], row[3]]),
                       [['1', 'wide r.csv', 'Maize', '40'], ['2', '', 'Sorghum', '36'], ['3', '', 'Wheat', '44']]);
      const fields = () => tablePage.$$eval('#gap-list input', (inputs) => inputs.map((input) => [input.dataset.treatment, input.placeholder]));
      assert.deepEqual(await fields(), ['Maize', 'Sorghum', 'Wheat'].flatMap((name) => [[name, 'n'], [name, 'estimate']]));
      await tablePage.type('#fixed-time', runs.fixedTime);

      // Still missing: the page names its own fields, and shows no results.
      await tablePage.type('#gap-list input[data-treatment="Maize"][placeholder="n"]', wideSampleSizes.Maize);
      await tablePage.click('#run-cartesian');
      await waitForRun(tablePage);
      assert.equal(await tablePage.$eval('#cartesian-messages', (box) => box.textContent),
                   'Please enter under "What the tables lack": the estimate of "Maize", the sample size n of "Sorghum", ' +
                   'the estimate of "Sorghum", the sample size n of "Wheat", the estimate of "Wheat".');
      assert.equal(await tablePage.$eval('#cartesian-results', (box) => box.hidden), true);
      await tablePage.$eval('#gap-list input[data-treatment="Maize"][placeholder="n"]', (input) => { input.value = ''; });

      for (const name of Object.keys(wideSampleSizes)) {
        await tablePage.type(`#gap-list input[data-treatment="${name}"][placeholder="n"]`, wideSampleSizes[name]);
        await tablePage.type(`#gap-list input[data-treatment="${name}"][placeholder="estimate"]`, wideEstimates[name]);
      }
      await (await tablePage.$('#cartesian')).screenshot({ path: path.join(pageFolder, 'screenshot-table.png') });
      await tablePage.click('#run-cartesian');
      await waitForRun(tablePage);
      const cpt = runs.cptCartesian({ files: [tables.wide], sampleSizes: wideSampleSizes, estimates: wideEstimates });
      assert.equal(cpt.status, 0);
      assert.equal(await tablePage.$eval('#report-text', (pre) => pre.textContent), cpt.files[0].bytes.toString('utf8'));
      await tablePage.close();
    });

    await t.test('a workbook of two parameters asks for one, and runs it as cpt', async () => {
      const bookPage = await browser.newPage();
      await bookPage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      await chooseTreatments(bookPage, [tables.workbook], 6);
      assert.equal(await bookPage.$eval('#parameter-row', (row) => row.hidden), false);
      assert.deepEqual(await bookPage.$$eval('#parameter option', (options) => options.map((o) => o.value)), ['', 'r', 'R0']);
      assert.equal(await bookPage.$eval('#gaps', (box) => box.hidden), true, 'the workbook gives n and estimates');
      await bookPage.select('#parameter', 'R0');
      assert.equal((await tableText(bookPage, '#treatment-list tbody')).length, 3);
      await bookPage.type('#fixed-time', runs.fixedTime);
      await bookPage.click('#run-cartesian');
      await waitForRun(bookPage);
      const cpt = runs.cptCartesian({ files: [tables.workbook], parameter: 'R0' });
      assert.equal(cpt.status, 0);
      assert.equal(await bookPage.$eval('#report-text', (pre) => pre.textContent), cpt.files[0].bytes.toString('utf8'));
      await bookPage.close();
    });

    await t.test('Tab reaches every chooser, and Enter on it or on its drop zone opens the file dialogue', async () => {
      const keyed = await browser.newPage();
      await keyed.goto(`${origin}/index.html`, { waitUntil: 'load' });
      // Keys go to the page in front; a dialogue left open would hold the browser.
      await keyed.bringToFront();
      try {
      // Each input's dialogue, asked for, is noted and kept shut.
      await keyed.evaluate(() => {
        window.dialogues = [];
        for (const input of document.querySelectorAll('input[type=file]')) {
          input.addEventListener('click', (event) => { window.dialogues.push(input.id); event.preventDefault(); });
        }
      });
      for (const [id, input] of [['treatment-choose', 'treatment-input'], ['treatment-drop', 'treatment-input'],
                                 ['study-choose', 'study-input'], ['data-drop', 'data-input'], ['data-choose', 'data-input']]) {
        await keyed.focus(`#${id}`);
        await keyed.keyboard.press('Enter');
        assert.deepEqual(await keyed.evaluate(() => window.dialogues.splice(0)), [input], `Enter on ${id}`);
      }
      // From the top of the page, Tab after Tab up to the last chooser (a
      // Tab beyond the page would take the focus out of it).
      await keyed.goto(`${origin}/index.html`, { waitUntil: 'load' });
      const reached = [];
      for (let press = 0; press < 40 && reached.at(-1) !== 'data-choose'; press++) {
        await keyed.keyboard.press('Tab');
        reached.push(await keyed.evaluate(() => document.activeElement.id));
      }
      for (const id of ['treatment-drop', 'treatment-choose', 'study-drop', 'study-choose', 'data-drop', 'data-choose']) {
        assert.ok(reached.includes(id), `${id} reached by Tab (stops: ${reached.join(' ')})`);
      }
      assert.ok(reached.indexOf('treatment-choose') < reached.indexOf('reversed'), 'the first chooser before the options');
      assert.match(await keyed.$eval('#treatment-drop', (zone) => zone.getAttribute('aria-label')), /click or press Enter/);
      } finally {
        await keyed.close();
      }
    });

    await t.test('a table\'s treatments left out one by one give the run of the rest', async () => {
      const outPage = await browser.newPage();
      await outPage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      await outPage.type('#fixed-time', runs.fixedTime);
      await chooseTreatments(outPage, [tables.long], 6);
      assert.equal(await outPage.$eval('#run-cartesian', (button) => button.disabled), true, 'no parameter chosen');
      await outPage.select('#parameter', 'r');
      for (const name of treatmentNames) {
        await outPage.click(`#treatment-list button[title="Leave this treatment out"][data-treatment="${name}"]`);
        const listed = (await tableText(outPage, '#treatment-list tbody')).map((row) => row[2]);
        assert.deepEqual(listed, treatmentNames.filter((other) => other !== name));
        await outPage.click('#run-cartesian');
        await waitForRun(outPage);
        const cpt = runs.cptCartesian({ files: [writeLongTableWithout([name])], parameter: 'r' });
        assert.equal(cpt.status, 0);
        assert.equal(await outPage.$eval('#report-text', (pre) => pre.textContent), cpt.files[0].bytes.toString('utf8'),
                     `the report without ${name}`);
        await outPage.click(`#left-out button[data-treatment="${name}"]`);
        assert.equal((await tableText(outPage, '#treatment-list tbody')).length, 3, `${name} taken back`);
      }
      // Two left out: the table's last treatment stays, and Run says why it is greyed.
      for (const name of treatmentNames.slice(0, 2)) {
        await outPage.click(`#treatment-list button[title="Leave this treatment out"][data-treatment="${name}"]`);
      }
      assert.equal(await outPage.$$eval('#treatment-list button[title="Leave this treatment out"]', (b) => b.length), 0);
      assert.equal(await outPage.$eval('#run-cartesian', (button) => button.disabled), true);
      assert.match(await outPage.$eval('#treatment-count-note', (note) => note.textContent), /1 is listed; add another/);
      await outPage.close();
    });

    await t.test('a workbook whose first sheet holds notes is read from its second sheet', async () => {
      const sheetPage = await browser.newPage();
      await sheetPage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      await sheetPage.type('#fixed-time', runs.fixedTime);
      await (await sheetPage.$('#treatment-input')).uploadFile(tables.notesFirst);
      await sheetPage.waitForSelector('#treatment-list tbody tr.refused select');
      assert.equal(await sheetPage.$eval('#run-cartesian', (button) => button.disabled), true, 'a refused file');
      assert.match(await sheetPage.$eval('#treatment-count-note', (note) => note.textContent), /another of its sheets/);
      assert.deepEqual(await sheetPage.$$eval('#treatment-list select option', (options) => options.map((o) => o.value)),
                       ['Notes', 'Tables']);
      await sheetPage.select('#treatment-list select', 'Tables');
      await sheetPage.waitForFunction(() => document.querySelectorAll('#treatment-list tbody tr').length === 6);
      await sheetPage.select('#parameter', 'R0');
      await sheetPage.click('#run-cartesian');
      await waitForRun(sheetPage);
      const cpt = runs.cptCartesian({ files: [tables.notesFirst], sheet: 'Tables', parameter: 'R0' });
      assert.equal(cpt.status, 0);
      assert.equal(await sheetPage.$eval('#report-text', (pre) => pre.textContent), cpt.files[0].bytes.toString('utf8'));
      await sheetPage.close();
    });

    await t.test('a wide table shows its parameter, and another one given names the report', async () => {
      const codePage = await browser.newPage();
      await codePage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      await codePage.type('#fixed-time', runs.fixedTime);
      await chooseTreatments(codePage, [tables.wide], 3);
      assert.equal(await codePage.$eval('#treatment-list input.own-parameter', (field) => field.value), 'wide r');
      await codePage.$eval('#treatment-list input.own-parameter', (field) => { field.value = ''; });
      await codePage.type('#treatment-list input.own-parameter', 'r2');
      for (const name of Object.keys(wideSampleSizes)) {
        await codePage.type(`#gap-list input[data-treatment="${name}"][placeholder="n"]`, wideSampleSizes[name]);
        await codePage.type(`#gap-list input[data-treatment="${name}"][placeholder="estimate"]`, wideEstimates[name]);
      }
      await codePage.click('#run-cartesian');
      await waitForRun(codePage);
      const cpt = runs.cptCartesian({ files: [tables.wide], sampleSizes: wideSampleSizes, estimates: wideEstimates, parameter: 'r2' });
      assert.equal(cpt.status, 0);
      assert.equal(await codePage.$eval('#report-text', (pre) => pre.textContent), cpt.files[0].bytes.toString('utf8'));
      assert.match(await codePage.$eval('#report-download', (link) => link.download), /r2/);
      await codePage.close();
    });

    await t.test('no message the page shows contains "--"', async () => {
      const wordsPage = await browser.newPage();
      await wordsPage.setViewport({ width: 1366, height: 768 });
      await wordsPage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      const shown = () => wordsPage.$$eval('.messages, #treatment-list td, .progress',
        (boxes) => boxes.filter((box) => !box.hidden).map((box) => box.textContent).filter((text) => text));
      const seen = [];
      // A lone file, then a refused one, a long table without its parameter
      // and a workbook whose first sheet is no table.
      await chooseTreatments(wordsPage, examples.slice(0, 1));
      seen.push(...await shown());
      assert.match(seen.join('\n'), /compares 2 or more treatments/);
      await (await wordsPage.$('#treatment-input')).uploadFile(tables.notWorkbook, tables.workbook, tables.notesFirst);
      await wordsPage.waitForFunction(() => document.querySelectorAll('#treatment-list tbody tr').length === 1 + 1 + 6 + 1);
      seen.push(...await shown());
      // A fixed time stamp that is not one, in every section it applies to.
      await wordsPage.type('#fixed-time', 'noon');
      await wordsPage.$$eval('#treatment-list tbody button[title="Leave this file out"]', (buttons) => buttons.slice(1).reverse().forEach((b) => b.click()));
      await chooseTreatments(wordsPage, examples.slice(1, 2), 2);
      await wordsPage.click('#run-cartesian');
      await waitForRun(wordsPage);
      await (await wordsPage.$('#data-input')).uploadFile(examples[0]);
      await wordsPage.waitForFunction(() => !document.getElementById('run-sort-count').disabled);
      await wordsPage.click('#run-sort-count');
      await wordsPage.waitForFunction(() => /^(Done|Stopped)/.test(document.getElementById('sort-progress').textContent));
      // A study of a wide table, which lacks its sample sizes.
      await (await wordsPage.$('#study-input')).uploadFile(tables.wide);
      await wordsPage.waitForFunction(() => !document.getElementById('study-messages').hidden);
      seen.push(...await shown());
      const joined = seen.join('\n');
      for (const words of ['"Fixed time stamp" expects', 'season.xlsx', 'not a workbook.xlsx', 'give it with a column "n"']) {
        assert.ok(joined.includes(words), `"${words}" shown in: ${joined}`);
      }
      assert.deepEqual(seen.filter((text) => text.includes('--')), []);
      await wordsPage.screenshot({ path: path.join(pageFolder, 'screenshot-refusals.png'), fullPage: true });
      await wordsPage.close();
    });

    await t.test('the study shows its grouping, then cpt\'s table with raised letters and its files', async () => {
      const studyPage = await browser.newPage();
      await studyPage.setViewport({ width: 1100, height: 900 });
      const studyDownloads = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-study-downloads-'));
      const studySession = await studyPage.createCDPSession();
      await studySession.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: studyDownloads });
      await studyPage.goto(`${origin}/index.html`, { waitUntil: 'load' });
      await (await studyPage.$('#study-input')).uploadFile(tables.long);
      await studyPage.waitForFunction(() => !document.getElementById('run-study').disabled, { timeout: 30000 });
      assert.deepEqual(await tableText(studyPage, '#study-groups'), [
        ['Parameter', 'Maize', 'Sorghum', 'Wheat'],
        ['r', 'B = 40', 'B = 36', 'B = 44'],
        ['R0', 'B = 40', 'B = 36', 'B = 44'],
      ]);
      await studyPage.type('#fixed-time', runs.fixedTime);
      await studyPage.click('#run-study');
      await studyPage.waitForFunction(() => /^(Done|Stopped)/.test(document.getElementById('study-progress').textContent),
                                      { timeout: 60000 });
      assert.equal(await studyPage.$eval('#study-messages', (box) => box.textContent), '');
      const cpt = runs.cptStudy({ files: [tables.long] });
      assert.equal(cpt.status, 0);
      const expected = JSON.parse(cpt.json);
      const shown = await studyPage.$$eval('#study-table tbody tr', (rows) => rows.map((row) => [...row.cells].map((cell) => ({
        text: cell.textContent, raised: cell.querySelector('sup') ? cell.querySelector('sup').textContent : '' }))));
      const cells = shown.flatMap((row, r) => row.slice(1).map((cell, c) => ({ parameter: ['r', 'R0'][r], column: c, ...cell })));
      assert.deepEqual(cells.map(({ text, raised }) => [text, raised]),
                       expected.rows.map((row) => [row.cell.replace(` ${row.letters}`, row.letters), row.letters || '']));
      assert.ok(cells.some((cell) => cell.raised), 'some letters raised');
      const links = await studyPage.$$eval('#study-files a', (anchors) => anchors.map((a) => a.textContent));
      assert.deepEqual(links.filter((name) => name.startsWith('study-table')),
                       ['study-table.csv', 'study-table.html', 'study-table.tex', 'study-table.md', 'study-table.docx']);
      await studyPage.click('#study-files a[download="study-table.csv"]');
      const csv = cpt.files.find((file) => file.name === 'study-table.csv');
      assert.ok((await waitForDownload(studyDownloads, 'study-table.csv')).equals(csv.bytes), 'downloaded study csv');
      await (await studyPage.$('#study')).screenshot({ path: path.join(pageFolder, 'screenshot-study.png') });
      await studyPage.close();
    });

    await t.test('sort-and-count shows its three files and its chart', async () => {
      const input = await page.$('#data-input');
      await input.uploadFile(path.join(runs.root, 'examples', 'Egg duration.txt'));
      await page.select('#data-kind', 'general');
      await page.click('#run-sort-count');
      await page.waitForFunction(() => document.getElementById('sort-progress').textContent.startsWith('Done'),
                                 { timeout: 30000 });
      const files = await page.$$eval('#sort-files a', (links) => links.map((link) => link.textContent));
      const cpt = runs.cptSortCount({ file: path.join(runs.root, 'examples', 'Egg duration.txt'), kind: 'general' });
      assert.deepEqual(files, cpt.files.map((file) => file.name));
      assert.equal(await page.$$eval('#frequency-chart svg rect.bar', (bars) => bars.length), 5);
      assert.equal(await page.$$eval('#frequency-chart svg polyline.normal-curve', (lines) => lines.length), 1);
    });

    await t.test('the page times 4 treatments with B = 3000', async () => {
      await page.click('#run-benchmark');
      await page.waitForFunction(() => document.getElementById('benchmark-result').dataset.coreSeconds,
                                 { timeout: 120000 });
      const shown = await page.$eval('#benchmark-result', (span) => ({ ...span.dataset, text: span.textContent }));
      // The same files timed in cpt, best of three.
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-bench-'));
      const files = require(path.join(pageFolder, 'bench_files.js')).benchmarkFiles(3000).map((file) => {
        fs.writeFileSync(path.join(folder, file.name), file.text);
        return path.join(folder, file.name);
      });
      let native = Infinity;
      for (let round = 0; round < 3; round++) {
        const started = process.hrtime.bigint();
        const done = spawnSync(runs.cptProgram, ['cartesian', '-C', folder, '--code', `bench${round}`, ...files]);
        native = Math.min(native, Number(process.hrtime.bigint() - started) / 1e9);
        assert.equal(done.status, 0, String(done.stderr));
      }
      console.log(`benchmark, 4 treatments, B = 3000: page ${Number(shown.coreSeconds).toFixed(3)} s in the core, ` +
                  `${Number(shown.totalSeconds).toFixed(3)} s click to result; cpt ${native.toFixed(3)} s (best of 3)`);
      await page.screenshot({ path: path.join(pageFolder, 'screenshot-page.png'), fullPage: true });
    });

    await t.test('a run takes 2 to 26 treatment files', async () => {
      const counted = await browser.newPage();
      await counted.goto(`${origin}/index.html`, { waitUntil: 'load' });
      const runnable = () => counted.$eval('#run-cartesian', (button) => !button.disabled);
      await chooseTreatments(counted, examples.slice(0, 1));
      assert.equal(await runnable(), false, 'one file');
      await chooseTreatments(counted, Array(26).fill(examples[0]), 27);
      assert.equal(await runnable(), false, '27 files');
      assert.match(await counted.$eval('#treatment-count-note', (note) => note.textContent), /at most 26 .*leave 1 out/);
      await counted.click('#treatment-list tbody tr:last-child button[title="Leave this file out"]');
      assert.equal(await runnable(), true, '26 files');
      assert.equal(await counted.$eval('#treatment-count-note', (note) => note.hidden), true);
      await counted.close();
    });

    await t.test('26 treatments: the run counts its pairs, the grid stays in its card, the pair figures fold away', async () => {
      const wide = await browser.newPage();
      await wide.setViewport({ width: 1366, height: 768 });
      await wide.goto(`${origin}/index.html`, { waitUntil: 'load' });
      const { treatmentFile } = require(path.join(pageFolder, 'bench_files.js'));
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-26-'));
      const files = [...'ABCDEFGHIJKLMNOPQRSTUVWXYZ'].map((letter, k) => {
        const file = path.join(folder, `Line ${letter}.txt`);
        fs.writeFileSync(file, treatmentFile(`Line ${letter}`, 'r', 40, 0.15 + k / 1000, 0.15 + k / 1000, 0.006, 101 + k, 60));
        return file;
      });
      await chooseTreatments(wide, files);
      await wide.evaluate(() => {
        window.progressSeen = [];
        const progress = document.getElementById('cartesian-progress');
        new MutationObserver(() => window.progressSeen.push(progress.textContent)).observe(progress, { childList: true, characterData: true, subtree: true });
      });
      await wide.click('#run-cartesian');
      await waitForRun(wide);
      assert.match(await wide.$eval('#cartesian-progress', (p) => p.textContent), /^Done/);
      const seen = await wide.evaluate(() => window.progressSeen);
      assert.ok(seen.some((text) => /Pair \d+ of 325/.test(text)), `pair k of n in: ${seen.slice(0, 5).join(' | ')}`);
      const fits = await wide.evaluate(() => {
        const card = document.getElementById('cartesian').getBoundingClientRect();
        const holder = document.getElementById('overview-grid').parentElement.getBoundingClientRect();
        return holder.right <= card.right && holder.left >= card.left;
      });
      assert.equal(fits, true, 'the grid inside its card');
      assert.equal(await wide.$eval('#pair-figures', (details) => details.open), false, 'the pair figures folded');
      assert.match(await wide.$eval('#pair-figures summary', (summary) => summary.textContent), /325 pairs/);
      assert.ok(await wide.evaluate(() => document.body.scrollHeight) < 20000, 'a page of reasonable height');
      await wide.close();
    });

    await t.test('no request went anywhere but the local server', () => {
      assert.deepEqual(elsewhere, []);
    });

    await t.test('the page works opened from a folder', async () => {
      const local = await browser.newPage();
      await local.goto(`file://${path.join(pageFolder, 'index.html')}`, { waitUntil: 'load' });
      await chooseTreatments(local, examples.slice(0, 2));
      await local.click('#run-cartesian');
      await local.waitForFunction(() => document.getElementById('cartesian-progress').textContent.startsWith('Done'),
                                  { timeout: 60000 });
      assert.equal((await tableText(local, '#overview-grid')).length, 3);
    });
  } finally {
    await browser.close();
    server.close();
  }
});
