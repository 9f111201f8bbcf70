// The page: gathers files and options, hands them to the worker that runs
// the core, and shows what comes back. No request leaves the page.
'use strict';

const $ = (id) => document.getElementById(id);

// ---- the worker ------------------------------------------------------------

const worker = new Worker(URL.createObjectURL(new Blob([self.cptWorkerSource], { type: 'text/javascript' })));
const pending = new Map();
let nextCall = 1;

worker.onmessage = (event) => {
  const message = event.data;
  const call = pending.get(message.id);
  if (!call) return;
  if (message.type === 'progress') {
    if (call.onProgress) call.onProgress(message.text);
    return;
  }
  pending.delete(message.id);
  if (message.type === 'done') call.resolve({ result: message.result, seconds: message.seconds });
  else call.reject(new Error(message.message));
};
worker.onerror = (event) => {
  for (const call of pending.values()) call.reject(new Error(event.message || 'The worker stopped.'));
  pending.clear();
};

function callCore(command, request, onProgress) {
  const id = nextCall++;
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject, onProgress });
    worker.postMessage({ id, command, request });
  });
}

// ---- small helpers -----------------------------------------------------------

const utf8 = new TextDecoder('utf-8');

function element(tag, text, className) {
  const node = document.createElement(tag);
  if (text !== undefined) node.textContent = text;
  if (className) node.className = className;
  return node;
}

function downloadLink(name, bytes, type = 'text/plain') {
  const link = element('a', name);
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  return link;
}

// Each link holds its file in memory (difference files reach a gigabyte)
// until its URL is revoked: the links of a container go before it is refilled.
function dropLinks(container) {
  for (const link of container.querySelectorAll('a[href^="blob:"]')) URL.revokeObjectURL(link.href);
}

function showMessages(box, text) {
  box.textContent = text;
  box.hidden = !text;
}

async function readFile(file) {
  return { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()) };
}

function makeDropZone(zone, onFiles) {
  zone.addEventListener('dragover', (event) => { event.preventDefault(); zone.classList.add('over'); });
  zone.addEventListener('dragleave', () => zone.classList.remove('over'));
  zone.addEventListener('drop', (event) => {
    event.preventDefault();
    zone.classList.remove('over');
    onFiles([...event.dataTransfer.files]);
  });
}

function shortNumber(value) {
  return value === null || value === undefined ? '' : String(Number(value.toPrecision(6)));
}

// ---- Cartesian paired test --------------------------------------------------

const treatments = [];  // {name, bytes, info} in run order
// The core compares 2 to 26 treatments (as cpt takes 2 to 26 files).
const FewestTreatments = 2;
const MostTreatments = 26;

function treatmentCountRunnable() {
  return treatments.length >= FewestTreatments && treatments.length <= MostTreatments;
}

async function addTreatmentFiles(files) {
  for (const file of files) {
    const treatment = await readFile(file);
    treatments.push(treatment);
    treatment.info = (await callCore('describe', { name: treatment.name, bytes: treatment.bytes.slice() })).result;
  }
  showTreatments();
}

function showTreatments() {
  const body = $('treatment-list').tBodies[0];
  body.replaceChildren();
  treatments.forEach((treatment, index) => {
    const row = document.createElement('tr');
    const info = treatment.info || {};
    row.append(element('td', String(index + 1), 'number'), element('td', treatment.name));
    if (info.error) {
      const cell = element('td', info.error);
      cell.colSpan = 3;
      row.append(cell);
    } else {
      row.append(element('td', info.name), element('td', String(info.B), 'number'),
                 element('td', shortNumber(info.mean), 'number'));
    }
    const tools = element('td');
    const up = element('button', '\u2191', 'small');
    up.title = 'Earlier in the run order';
    up.disabled = index === 0;
    up.onclick = () => { treatments.splice(index - 1, 0, ...treatments.splice(index, 1)); showTreatments(); };
    const remove = element('button', '\u00d7', 'small');
    remove.title = 'Leave this file out';
    remove.onclick = () => { treatments.splice(index, 1); showTreatments(); };
    tools.append(up, ' ', remove);
    row.append(tools);
    body.append(row);
  });
  $('treatment-list').hidden = treatments.length === 0;
  $('run-cartesian').disabled = !treatmentCountRunnable();
  const surplus = treatments.length - MostTreatments;
  showMessages($('treatment-count-note'), surplus > 0
    ? `The test takes at most ${MostTreatments} treatment files: leave ${surplus} out.` : '');
}

function cartesianRequest(files) {
  return {
    files: files.map((file) => ({ name: file.name, bytes: file.bytes.slice() })),
    reversed: $('reversed').checked,
    differences: $('differences').checked,
    code: $('code').value,
    fixedTime: $('fixed-time').value.trim(),
  };
}

// The words of the desktop window's legend under the same grid
// (MainWindowWidget::gridLegendText, kept with the Qt code the binding does
// not link): reversed numbering turns the differences round.
function gridLegendText(reversed) {
  const difference = reversed ? 'column minus row' : 'row minus column';
  return `Above the diagonal: difference of the bootstrap means (${difference}). Below it: P value; "*" significant.`;
}

function showGrid(grid) {
  const table = $('overview-grid');
  table.replaceChildren();
  grid.forEach((cells, row) => {
    const line = document.createElement('tr');
    cells.forEach((text, column) => {
      const header = row === 0 || column === 0;
      const cell = element(header ? 'th' : 'td', text);
      if (!header) {
        if (row === column) cell.className = 'diagonal';
        else if (row < column) cell.className = 'upper';
        else if (text.endsWith('*')) cell.className = 'significant';
      }
      line.append(cell);
    });
    table.append(line);
  });
}

function showLetters(document_) {
  const table = $('letters');
  table.replaceChildren();
  const head = document.createElement('tr');
  for (const title of ['#', 'Treatment', 'B', 'Mean', 'SE', 'Letters']) head.append(element('th', title));
  table.append(head);
  for (const treatment of document_.treatments) {
    const row = document.createElement('tr');
    row.append(element('td', String(treatment.number), 'number'), element('td', treatment.name),
               element('td', String(treatment.B), 'number'), element('td', shortNumber(treatment.mean), 'number'),
               element('td', shortNumber(treatment.SE), 'number'), element('td', treatment.letters));
    table.append(row);
  }
}

function showFigures(figures) {
  const box = $('figures');
  dropLinks(box);
  box.replaceChildren();
  for (const figure of figures) {
    const holder = element('div');
    holder.innerHTML = figure.svg;
    holder.append(downloadLink(figure.name, figure.svg, 'image/svg+xml'));
    box.append(holder);
  }
  box.hidden = figures.length === 0;
  box.previousElementSibling.hidden = figures.length === 0;
}

function showCartesianResult(result, reversed) {
  const document_ = JSON.parse(result.json);
  showGrid(result.grid);
  $('grid-legend').textContent = gridLegendText(reversed);
  showLetters(document_);
  showFigures(result.figures || []);
  const [report, ...differences] = result.files;
  $('report-text').textContent = utf8.decode(report.bytes);
  const download = $('report-download');
  if (download.href) URL.revokeObjectURL(download.href);
  download.href = URL.createObjectURL(new Blob([report.bytes], { type: 'text/plain' }));
  download.download = report.name;
  download.textContent = `Download ${report.name}`;
  const list = $('difference-list');
  dropLinks(list);
  list.replaceChildren();
  for (const file of differences) {
    const item = element('li');
    item.append(downloadLink(file.name, file.bytes));
    list.append(item);
  }
  $('difference-downloads').hidden = differences.length === 0;
  $('cartesian-results').hidden = false;
}

async function runCartesian() {
  const button = $('run-cartesian');
  const progress = $('cartesian-progress');
  button.disabled = true;
  showMessages($('cartesian-messages'), '');
  progress.textContent = 'Starting...';
  const started = performance.now();
  try {
    const request = cartesianRequest(treatments);
    const { result, seconds } = await callCore('cartesian', request, (text) => { progress.textContent = text; });
    showMessages($('cartesian-messages'), result.messages);
    if (result.status === 0) {
      showCartesianResult(result, request.reversed);
      const total = (performance.now() - started) / 1000;
      progress.textContent = `Done in ${seconds.toFixed(3)} s (${total.toFixed(3)} s with the page's part).`;
    } else {
      dropLinks($('cartesian-results'));
      $('cartesian-results').hidden = true;
      progress.textContent = 'Stopped.';
    }
  } catch (error) {
    showMessages($('cartesian-messages'), error.message);
    progress.textContent = 'Stopped.';
  } finally {
    button.disabled = !treatmentCountRunnable();
  }
}

// ---- sort and count -----------------------------------------------------------

let dataFile = null;

async function chooseDataFile(files) {
  if (files.length === 0) return;
  dataFile = await readFile(files[0]);
  $('data-name').textContent = dataFile.name;
  $('run-sort-count').disabled = false;
}

async function runSortCount() {
  const button = $('run-sort-count');
  button.disabled = true;
  showMessages($('sort-messages'), '');
  $('sort-progress').textContent = 'Sorting and counting...';
  try {
    const request = {
      file: { name: dataFile.name, bytes: dataFile.bytes.slice() },
      kind: $('data-kind').value,
      serialNumbers: $('serial-numbers').checked,
      decimals: $('decimals').value,
      fixedTime: $('fixed-time').value.trim(),
    };
    const { result, seconds } = await callCore('sort-count', request);
    showMessages($('sort-messages'), result.messages);
    if (result.status !== 0) {
      dropLinks($('sort-results'));
      $('sort-results').hidden = true;
      $('sort-progress').textContent = 'Stopped.';
      return;
    }
    const list = $('sort-files');
    dropLinks(list);
    list.replaceChildren();
    for (const file of result.files) {
      const item = element('li');
      item.append(downloadLink(file.name, file.bytes));
      list.append(item);
    }
    const chart = $('frequency-chart');
    chart.innerHTML = result.chart ? cptChart.frequencyChartSvg(result.chart) : '';
    $('sort-results').hidden = false;
    $('sort-progress').textContent = `Done in ${seconds.toFixed(3)} s.`;
  } catch (error) {
    showMessages($('sort-messages'), error.message);
    $('sort-progress').textContent = 'Stopped.';
  } finally {
    button.disabled = false;
  }
}

// ---- benchmark ------------------------------------------------------------------

async function runBenchmark() {
  const button = $('run-benchmark');
  const shown = $('benchmark-result');
  button.disabled = true;
  shown.textContent = 'Running...';
  try {
    const encoder = new TextEncoder();
    const files = cptBenchFiles.benchmarkFiles(3000).map((file) => ({ name: file.name, bytes: encoder.encode(file.text) }));
    const started = performance.now();
    const { result, seconds } = await callCore('cartesian', {
      files, reversed: false, differences: false, code: 'bench', fixedTime: '2026-12-09 22:32:02',
    });
    const total = (performance.now() - started) / 1000;
    if (result.status !== 0) throw new Error(result.messages);
    shown.textContent = `4 treatments, B = 3000: ${seconds.toFixed(3)} s in the core, ${total.toFixed(3)} s click to result.`;
    shown.dataset.coreSeconds = String(seconds);
    shown.dataset.totalSeconds = String(total);
  } catch (error) {
    shown.textContent = `Failed: ${error.message}`;
  } finally {
    button.disabled = false;
  }
}

// ---- wiring -------------------------------------------------------------------------

// A file dropped beside the drop zones must not replace the page (and its results).
for (const type of ['dragover', 'drop']) document.addEventListener(type, (event) => event.preventDefault());

$('treatment-input').addEventListener('change', async (event) => {
  await addTreatmentFiles([...event.target.files]);
  event.target.value = '';
});
makeDropZone($('treatment-drop'), addTreatmentFiles);
$('run-cartesian').addEventListener('click', runCartesian);
$('data-input').addEventListener('change', (event) => chooseDataFile([...event.target.files]));
makeDropZone($('data-drop'), chooseDataFile);
$('run-sort-count').addEventListener('click', runSortCount);
$('run-benchmark').addEventListener('click', runBenchmark);
