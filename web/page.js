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

// A drop zone is also a way to the file dialogue, by mouse and by keyboard,
// and each chooser is a button that opens its hidden input.
function makeDropZone(zone, onFiles) {
  const input = $(zone.dataset.input);
  zone.addEventListener('click', (event) => {
    if (!event.target.closest('button, a, input, select')) input.click();
  });
  zone.addEventListener('keydown', (event) => {
    if (event.target === zone && (event.key === 'Enter' || event.key === ' ')) {
      event.preventDefault();
      input.click();
    }
  });
  for (const button of zone.querySelectorAll('button[data-input]')) button.addEventListener('click', () => input.click());
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

// Dropped files in run order: {name, bytes, listing: {treatments, sheets,
// ownParameter} | {error, sheets}, sheet, parameterCode, leftOut: Set}.
// A table gives several treatments, of several parameters when it is long.
const inputs = [];
// The core compares 2 to 26 treatments (as cpt takes 2 to 26 files).
const FewestTreatments = 2;
const MostTreatments = 26;
// What the user typed for what the tables lack, by treatment name; kept
// while files come and go.
const givenSampleSizes = new Map();
const givenEstimates = new Map();

async function listFile(file) {
  return (await callCore('list', { name: file.name, bytes: file.bytes.slice(), sheet: file.sheet || '' })).result;
}

// The parameters a long table holds, when it holds several.
function tableParameters(input) {
  const codes = new Set((input.listing.treatments || []).map((treatment) => treatment.code));
  return codes.size > 1 ? [...codes] : [];
}

function chosenParameter() {
  return $('parameter-row').hidden ? '' : $('parameter').value;
}

// The treatments of a file that go into the run; a file the reader refused
// counts as one, as cpt would refuse it.
function parameterTreatments(input) {
  const listed = input.listing.treatments;
  if (!listed) return [null];
  const chosen = chosenParameter();
  return chosen && tableParameters(input).length > 0 ? listed.filter((treatment) => treatment.code === chosen) : listed;
}

// Those of the file the run takes: the chosen parameter's, less any left out.
function runTreatments(input) {
  return parameterTreatments(input).filter((treatment) => !treatment || !input.leftOut.has(treatment.name));
}

// The parameter code a table without a parameter column runs under: the
// user's, or the one parameter chosen for the long tables, or its file name.
function ownParameterCode(input) {
  const listed = input.listing.treatments;
  return input.parameterCode || chosenParameter() || (listed && listed.length > 0 ? listed[0].code : '');
}

function treatmentCount() {
  return inputs.reduce((count, input) => count + runTreatments(input).length, 0);
}

// Why Run stays greyed, in the page's words; empty when it can run.
function runBlocker() {
  const refused = inputs.find((input) => input.listing.error);
  if (refused) {
    const sheets = refused.listing.sheets || [];
    return `"${refused.name}" cannot be read: leave it out (\u00d7)` +
      (sheets.length > 1 ? ' or choose another of its sheets' : '') + ' to run.';
  }
  const count = treatmentCount();
  const surplus = Math.max(count, inputs.length) - MostTreatments;
  if (surplus > 0) return `The test takes at most ${MostTreatments} treatments: leave ${surplus} out.`;
  if (inputs.length > 0 && count < FewestTreatments) {
    return `The test compares ${FewestTreatments} or more treatments: ${count} ${count === 1 ? 'is' : 'are'} listed; add another.`;
  }
  if (!$('parameter-row').hidden && !chosenParameter()) return 'Choose the "Parameter of the long tables" to run.';
  return '';
}

function treatmentCountRunnable() {
  return inputs.length > 0 && runBlocker() === '';
}

async function addTreatmentFiles(files) {
  const progress = $('cartesian-progress');
  try {
    for (const [k, file] of files.entries()) {
      progress.textContent = `Reading file ${k + 1} of ${files.length}: ${file.name}...`;
      const input = await readFile(file);
      input.leftOut = new Set();
      input.listing = await listFile(input);
      inputs.push(input);
    }
  } finally {
    progress.textContent = '';
  }
  showTreatments();
}

async function chooseSheet(input, sheet) {
  input.sheet = sheet;
  input.leftOut = new Set();
  $('cartesian-progress').textContent = `Reading sheet "${sheet}" of ${input.name}...`;
  input.listing = await listFile(input);
  $('cartesian-progress').textContent = '';
  showTreatments();
}

function sheetChoice(input) {
  const select = element('select');
  select.title = `Sheet of ${input.name}`;
  select.setAttribute('aria-label', `Sheet of ${input.name}`);
  for (const sheet of input.listing.sheets) select.append(element('option', sheet));
  select.value = input.sheet || input.listing.sheets[0];
  select.addEventListener('change', () => chooseSheet(input, select.value));
  const label = element('label', ' Sheet ');
  label.append(select);
  return label;
}

function parameterField(input) {
  const field = element('input');
  field.type = 'text';
  field.size = 10;
  field.value = ownParameterCode(input);
  field.title = `Parameter code of ${input.name} (its report, file names and figures name it)`;
  field.setAttribute('aria-label', field.title);
  field.className = 'own-parameter';
  field.addEventListener('change', () => {
    const code = field.value.trim();
    input.parameterCode = code && code !== ownParameterCode({ ...input, parameterCode: '' }) ? code : '';
    field.value = ownParameterCode(input);
  });
  return field;
}

function showLeftOut() {
  const line = $('left-out');
  line.replaceChildren();
  for (const input of inputs) {
    for (const treatment of parameterTreatments(input)) {
      if (!treatment || !input.leftOut.has(treatment.name)) continue;
      const back = element('button', `${treatment.name} (${input.name}) \u21ba`, 'small');
      back.title = 'Take this treatment back into the run';
      back.dataset.treatment = treatment.name;
      back.onclick = () => { input.leftOut.delete(treatment.name); showTreatments(); };
      line.append(back, ' ');
    }
  }
  if (line.childNodes.length > 0) line.prepend('Left out: ');
  line.hidden = line.childNodes.length === 0;
}

// One parameter choice for the run, as cpt's one --parameter: shown when a
// long table holds several.
function showParameterChoice() {
  const codes = [...new Set(inputs.flatMap(tableParameters))];
  const select = $('parameter');
  const kept = select.value;
  select.replaceChildren(element('option', 'choose one...'));
  select.firstChild.value = '';
  for (const code of codes) {
    const option = element('option', code);
    option.value = code;
    select.append(option);
  }
  select.value = codes.includes(kept) ? kept : '';
  $('parameter-row').hidden = codes.length === 0;
}

function gapField(map, name, placeholder) {
  const field = element('input');
  field.type = 'text';
  field.size = 8;
  field.placeholder = placeholder;
  field.value = map.get(name) || '';
  field.dataset.treatment = name;
  field.addEventListener('input', () => map.set(name, field.value.trim()));
  return field;
}

// The sample sizes and estimates the tables lack, a field each, by name.
function lackingTreatments() {
  const lacking = new Map();
  for (const input of inputs) {
    for (const treatment of runTreatments(input)) {
      if (!treatment || (treatment.sampleSize !== null && treatment.estimate !== null)) continue;
      const entry = lacking.get(treatment.name) || { sampleSize: false, estimate: false };
      entry.sampleSize ||= treatment.sampleSize === null;
      entry.estimate ||= treatment.estimate === null;
      lacking.set(treatment.name, entry);
    }
  }
  return lacking;
}

function showGapFields() {
  const lacking = lackingTreatments();
  const body = $('gap-list').tBodies[0];
  body.replaceChildren();
  for (const [name, lacks] of lacking) {
    const row = document.createElement('tr');
    const n = element('td');
    const x = element('td');
    if (lacks.sampleSize) n.append(gapField(givenSampleSizes, name, 'n'));
    if (lacks.estimate) x.append(gapField(givenEstimates, name, 'estimate'));
    row.append(element('td', name), n, x);
    body.append(row);
  }
  $('gaps').hidden = lacking.size === 0;
  $('every-sample-size-row').hidden = ![...lacking.values()].some((lacks) => lacks.sampleSize);
}

function showTreatments() {
  showParameterChoice();
  const body = $('treatment-list').tBodies[0];
  body.replaceChildren();
  let number = 0;
  inputs.forEach((input, index) => {
    const shown = runTreatments(input);
    shown.forEach((treatment, within) => {
      const row = document.createElement('tr');
      const file = element('td', within === 0 ? input.name : '');
      if (within === 0 && (input.listing.sheets || []).length > 1) file.append(sheetChoice(input));
      row.append(element('td', String(++number), 'number'), file);
      if (!treatment) {
        row.className = 'refused';
        const cell = element('td', input.listing.error);
        cell.colSpan = 4;
        row.append(cell);
      } else {
        const parameter = element('td');
        if (input.listing.ownParameter) {
          if (within === 0) parameter.append(parameterField(input));
        } else {
          parameter.textContent = treatment.code;
        }
        row.append(element('td', treatment.name), element('td', String(treatment.B), 'number'),
                   element('td', shortNumber(treatment.mean), 'number'), parameter);
      }
      const tools = element('td');
      if (treatment && shown.length > 1) {
        const leave = element('button', '\u2212', 'small');
        leave.title = 'Leave this treatment out';
        leave.dataset.treatment = treatment.name;
        leave.onclick = () => { input.leftOut.add(treatment.name); showTreatments(); };
        tools.append(leave, ' ');
      }
      if (within === 0) {
        const up = element('button', '\u2191', 'small');
        up.title = 'Earlier in the run order';
        up.disabled = index === 0;
        up.onclick = () => { inputs.splice(index - 1, 0, ...inputs.splice(index, 1)); showTreatments(); };
        const remove = element('button', '\u00d7', 'small');
        remove.title = 'Leave this file out';
        remove.onclick = () => { inputs.splice(index, 1); showTreatments(); };
        tools.append(up, ' ', remove);
      }
      row.append(tools);
      body.append(row);
    });
  });
  $('treatment-list').hidden = inputs.length === 0;
  showLeftOut();
  showGapFields();
  $('run-cartesian').disabled = !treatmentCountRunnable();
  showMessages($('treatment-count-note'), runBlocker());
}

// Only the fields still shown go: a name no file holds would be refused.
function givenFields(map, lacking, what) {
  const fields = {};
  for (const [name, lacks] of lacking) if (lacks[what] && map.get(name)) fields[name] = map.get(name);
  return fields;
}

// What the page asks for still empty, in its own words: the core's refusal
// would name cpt's command-line options.
function emptyGapFields() {
  const everySampleSize = !$('every-sample-size-row').hidden && $('every-sample-size').value.trim() !== '';
  const empty = [];
  for (const [name, lacks] of lackingTreatments()) {
    if (lacks.sampleSize && !everySampleSize && !givenSampleSizes.get(name)) empty.push(`the sample size n of "${name}"`);
    if (lacks.estimate && !givenEstimates.get(name)) empty.push(`the estimate of "${name}"`);
  }
  return empty.length === 0 ? '' : `Please enter under "What the tables lack": ${empty.join(', ')}.`;
}

function cartesianRequest(files) {
  const lacking = lackingTreatments();
  const everySampleSize = $('every-sample-size-row').hidden ? '' : $('every-sample-size').value.trim();
  return {
    files: files.map((file) => ({
      name: file.name, bytes: file.bytes.slice(), sheet: file.sheet || '',
      parameter: file.listing.ownParameter ? file.parameterCode || '' : '', leftOut: [...file.leftOut],
    })),
    parameter: chosenParameter(),
    sampleSizes: givenFields(givenSampleSizes, lacking, 'sampleSize'),
    sampleSize: everySampleSize,
    estimates: givenFields(givenEstimates, lacking, 'estimate'),
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

// The means first; a pair's figures fold away, open only for a few pairs.
const PairFiguresShownOpen = 6;

function showFigures(figures) {
  const box = $('figures');
  dropLinks(box);
  box.replaceChildren();
  const pairs = element('details');
  pairs.id = 'pair-figures';
  pairs.open = figures.length - 1 <= PairFiguresShownOpen;
  pairs.append(element('summary', `Figures of the ${figures.length - 1} pairs`));
  figures.forEach((figure, k) => {
    const holder = element('div');
    holder.innerHTML = figure.svg;
    holder.append(downloadLink(figure.name, figure.svg, 'image/svg+xml'));
    (k === 0 ? box : pairs).append(holder);
  });
  if (figures.length > 1) box.append(pairs);
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
    const empty = emptyGapFields();
    if (empty) throw new Error(empty);
    const request = cartesianRequest(inputs);
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

// ---- study --------------------------------------------------------------------

const studyFiles = [];  // {name, bytes}
let studyGroups = null;  // as the core groups them, or null

// The grid the study will run: a row per parameter, a column per treatment
// in the order each first appears (the table's own order), B in each cell.
function showStudyGroups(groups) {
  const columns = [];
  for (const group of groups) {
    for (const treatment of group.treatments) if (!columns.includes(treatment.name)) columns.push(treatment.name);
  }
  const table = $('study-groups');
  table.replaceChildren();
  const head = document.createElement('tr');
  head.append(element('th', 'Parameter'), ...columns.map((name) => element('th', name)));
  table.append(head);
  for (const group of groups) {
    const row = document.createElement('tr');
    row.append(element('th', group.parameter));
    for (const name of columns) {
      const treatment = group.treatments.find((entry) => entry.name === name);
      row.append(element('td', treatment ? `B = ${treatment.B}` : '\u2013', treatment ? '' : 'diagonal'));
    }
    table.append(row);
  }
}

async function groupStudyFiles() {
  showMessages($('study-messages'), '');
  $('study-clear').hidden = studyFiles.length === 0;
  if (studyFiles.length === 0) {
    studyGroups = null;
    $('study-grouping').hidden = true;
    $('run-study').disabled = true;
    return;
  }
  const { result } = await callCore('study-groups', {
    files: studyFiles.map((file) => ({ name: file.name, bytes: file.bytes.slice() })),
  });
  studyGroups = result.groups || null;
  if (studyGroups) showStudyGroups(studyGroups);
  $('study-grouping').hidden = !studyGroups;
  showMessages($('study-messages'), result.error || '');
  $('run-study').disabled = !studyGroups;
}

async function addStudyFiles(files) {
  const progress = $('study-progress');
  for (const [k, file] of files.entries()) {
    progress.textContent = `Reading file ${k + 1} of ${files.length}: ${file.name}...`;
    studyFiles.push(await readFile(file));
  }
  progress.textContent = studyFiles.length > 0 ? 'Grouping the files...' : '';
  try {
    await groupStudyFiles();
  } finally {
    progress.textContent = '';
  }
}

// The cells as the study table's files lay them out: the letters raised.
function showStudyTable(table) {
  const box = $('study-table');
  box.replaceChildren();
  const head = document.createElement('thead');
  const headRow = document.createElement('tr');
  headRow.append(element('th', 'Parameter'), ...table.treatments.map((name) => element('th', name)));
  head.append(headRow);
  const body = document.createElement('tbody');
  for (const row of table.rows) {
    const line = document.createElement('tr');
    line.append(element('td', row.parameter));
    for (const cell of row.cells) {
      const td = element('td', cell ? cell.values : '');
      if (cell && cell.letters) td.append(element('sup', cell.letters));
      line.append(td);
    }
    body.append(line);
  }
  box.append(head, body);
  $('study-note').replaceChildren(...table.note.map((line) => element('p', line)));
}

const studyTypes = {
  csv: 'text/csv', html: 'text/html', tex: 'text/x-tex', md: 'text/markdown',
  docx: 'application/vnd.openxmlformats-officedocument.wordprocessingml.document',
};

async function runStudy() {
  const button = $('run-study');
  const progress = $('study-progress');
  button.disabled = true;
  showMessages($('study-messages'), '');
  progress.textContent = 'Starting...';
  try {
    const request = {
      files: studyFiles.map((file) => ({ name: file.name, bytes: file.bytes.slice() })),
      reversed: $('study-reversed').checked,
      digits: Number($('study-digits').value),
      code: $('study-code').value,
      fixedTime: $('fixed-time').value.trim(),
    };
    const { result, seconds } = await callCore('study', request, (text) => { progress.textContent = text; });
    showMessages($('study-messages'), result.messages);
    const list = $('study-files');
    dropLinks(list);
    list.replaceChildren();
    if (result.status !== 0) {
      $('study-results').hidden = true;
      progress.textContent = 'Stopped.';
      return;
    }
    showStudyTable(result.table);
    for (const file of result.files) {
      const item = element('li');
      const extension = file.name.slice(file.name.lastIndexOf('.') + 1);
      item.append(downloadLink(file.name, file.bytes, studyTypes[extension] || 'text/plain'));
      list.append(item);
    }
    $('study-results').hidden = false;
    progress.textContent = `Done in ${seconds.toFixed(3)} s.`;
  } catch (error) {
    showMessages($('study-messages'), error.message);
    progress.textContent = 'Stopped.';
  } finally {
    button.disabled = !studyGroups;
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
$('parameter').addEventListener('change', showTreatments);
$('run-cartesian').addEventListener('click', runCartesian);
$('study-input').addEventListener('change', async (event) => {
  await addStudyFiles([...event.target.files]);
  event.target.value = '';
});
makeDropZone($('study-drop'), addStudyFiles);
$('study-clear').addEventListener('click', () => { studyFiles.length = 0; groupStudyFiles(); });
$('run-study').addEventListener('click', runStudy);
$('data-input').addEventListener('change', (event) => chooseDataFile([...event.target.files]));
makeDropZone($('data-drop'), chooseDataFile);
$('run-sort-count').addEventListener('click', runSortCount);
$('run-benchmark').addEventListener('click', runBenchmark);
