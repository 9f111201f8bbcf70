// Tables as ecologists keep them, written into a fresh folder for cpt and the
// page alike: a wide .csv (no n, no estimates), a long table of two
// parameters with n and estimate columns, the same long table as an .xlsx
// workbook (deflated parts, shared strings, as spreadsheet programs write
// them), and a file named .xlsx that is no workbook.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

// Bootstrap values from a fixed linear congruential sequence.
function values(seed, count, mean, spread) {
  let state = seed;
  const out = [];
  for (let k = 0; k < count; k++) {
    state = (state * 1103515245 + 12345) % 2147483648;
    out.push(Number((mean + spread * (state / 2147483648 - 0.5)).toFixed(6)));
  }
  return out;
}

const samples = [
  { parameter: 'r', name: 'Maize', n: 30, estimate: 0.1512, values: values(11, 40, 0.151, 0.02) },
  { parameter: 'r', name: 'Sorghum', n: 28, estimate: 0.1487, values: values(12, 36, 0.146, 0.02) },
  { parameter: 'r', name: 'Wheat', n: 31, estimate: 0.1621, values: values(13, 44, 0.163, 0.02) },
  { parameter: 'R0', name: 'Maize', n: 30, estimate: 41.5, values: values(14, 40, 41, 6) },
  { parameter: 'R0', name: 'Sorghum', n: 28, estimate: 36.2, values: values(15, 36, 36, 6) },
  { parameter: 'R0', name: 'Wheat', n: 31, estimate: 44.9, values: values(16, 44, 45, 6) },
];
const ofR = samples.filter((sample) => sample.parameter === 'r');

function wideCsv() {
  const longest = Math.max(...ofR.map((sample) => sample.values.length));
  const lines = [ofR.map((sample) => sample.name).join(',')];
  for (let row = 0; row < longest; row++) lines.push(ofR.map((sample) => sample.values[row] ?? '').join(','));
  return lines.join('\r\n') + '\r\n';
}

function longRows() {
  const rows = [['parameter', 'treatment', 'value', 'n', 'estimate']];
  for (const sample of samples) {
    for (const value of sample.values) rows.push([sample.parameter, sample.name, value, sample.n, sample.estimate]);
  }
  return rows;
}

// ---- a workbook ------------------------------------------------------------

function columnName(index) {
  let name = '';
  for (let n = index + 1; n > 0; n = Math.floor((n - 1) / 26)) name = String.fromCharCode(65 + ((n - 1) % 26)) + name;
  return name;
}

// sheets: [{name, rows}] in the workbook's order.
function workbookParts(sheets) {
  const shared = [];
  const sheetRowsOf = (rows) => rows.map((cells, r) => {
    const xml = cells.map((cell, c) => {
      const ref = `${columnName(c)}${r + 1}`;
      if (typeof cell === 'number') return `<c r="${ref}"><v>${cell}</v></c>`;
      if (!shared.includes(cell)) shared.push(cell);
      return `<c r="${ref}" t="s"><v>${shared.indexOf(cell)}</v></c>`;
    }).join('');
    return `<row r="${r + 1}">${xml}</row>`;
  }).join('');
  const sheetXml = sheets.map(({ rows }) => (rows.length > 0 ? `<sheetData>${sheetRowsOf(rows)}</sheetData>` : '<sheetData/>'));
  const declaration = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n';
  const main = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main';
  const relationships = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships';
  return [
    ['[Content_Types].xml', `${declaration}<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">` +
      '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>' +
      '<Default Extension="xml" ContentType="application/xml"/></Types>'],
    ['_rels/.rels', `${declaration}<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">` +
      `<Relationship Id="rId1" Type="${relationships}/officeDocument" Target="xl/workbook.xml"/></Relationships>`],
    ['xl/workbook.xml', `${declaration}<workbook xmlns="${main}" xmlns:r="${relationships}"><sheets>` +
      sheets.map(({ name }, k) => `<sheet name="${name}" sheetId="${k + 1}" r:id="rId${k + 1}"/>`).join('') + '</sheets></workbook>'],
    ['xl/_rels/workbook.xml.rels', `${declaration}<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">` +
      sheets.map((sheet, k) => `<Relationship Id="rId${k + 1}" Type="${relationships}/worksheet" Target="worksheets/sheet${k + 1}.xml"/>`).join('') +
      '</Relationships>'],
    ...sheetXml.map((xml, k) => [`xl/worksheets/sheet${k + 1}.xml`, `${declaration}<worksheet xmlns="${main}">${xml}</worksheet>`]),
    ['xl/sharedStrings.xml', `${declaration}<sst xmlns="${main}" count="${shared.length}" uniqueCount="${shared.length}">` +
      shared.map((text) => `<si><t>${text}</t></si>`).join('') + '</sst>'],
  ];
}

function sheetParts(rows) {
  return workbookParts([{ name: 'Tables', rows }, { name: 'Notes', rows: [] }]);
}

// Deflated entries, the last one stored, as zip writers mix them.
function zipOf(entries) {
  const locals = [];
  const directory = [];
  let offset = 0;
  entries.forEach(([name, text], index) => {
    const data = Buffer.from(text, 'utf8');
    const stored = index === entries.length - 1;
    const packed = stored ? data : zlib.deflateRawSync(data);
    const fields = Buffer.alloc(26);
    fields.writeUInt16LE(20, 0);
    fields.writeUInt16LE(0, 2);
    fields.writeUInt16LE(stored ? 0 : 8, 4);
    fields.writeUInt16LE(0, 6);
    fields.writeUInt16LE(0x5b89, 8);  // 2025-12-09
    fields.writeUInt32LE(zlib.crc32(data), 10);
    fields.writeUInt32LE(packed.length, 14);
    fields.writeUInt32LE(data.length, 18);
    fields.writeUInt16LE(Buffer.byteLength(name), 22);
    fields.writeUInt16LE(0, 24);
    const signature = (value) => { const b = Buffer.alloc(4); b.writeUInt32LE(value, 0); return b; };
    const local = Buffer.concat([signature(0x04034b50), fields, Buffer.from(name), packed]);
    const tail = Buffer.alloc(14);  // no comment, disk 0, no attributes, then the local header's offset
    tail.writeUInt32LE(offset, 10);
    directory.push(Buffer.concat([signature(0x02014b50), Buffer.from([20, 0]), fields, tail, Buffer.from(name)]));
    locals.push(local);
    offset += local.length;
  });
  const central = Buffer.concat(directory);
  const end = Buffer.alloc(22);
  end.writeUInt32LE(0x06054b50, 0);
  end.writeUInt16LE(entries.length, 8);
  end.writeUInt16LE(entries.length, 10);
  end.writeUInt32LE(central.length, 12);
  end.writeUInt32LE(offset, 16);
  return Buffer.concat([...locals, central, end]);
}

// {wide, long, workbook, notWorkbook}: paths of the files.
function writeTables() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-tables-'));
  const write = (name, bytes) => {
    fs.writeFileSync(path.join(folder, name), bytes);
    return path.join(folder, name);
  };
  return {
    wide: write('wide r.csv', wideCsv()),
    long: write('life table.csv', longRows().map((row) => row.join(',')).join('\n') + '\n'),
    workbook: write('life table.xlsx', zipOf(sheetParts(longRows()))),
    notWorkbook: write('not a workbook.xlsx', 'treatment,value\nMaize,1\n'),
    // A workbook whose first sheet holds the field notes, its table second.
    notesFirst: write('season.xlsx', zipOf(workbookParts([
      { name: 'Notes', rows: [['Field season 2025'], ['Counts by J. Doe']] }, { name: 'Tables', rows: longRows() }]))),
  };
}

// The long table without the named treatments, under its own name in a
// fresh folder: what cpt is given for a run the page makes leaving them out.
function writeLongTableWithout(names) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-tables-'));
  const rows = longRows().filter((row, k) => k === 0 || !names.includes(row[1]));
  const file = path.join(folder, 'life table.csv');
  fs.writeFileSync(file, rows.map((row) => row.join(',')).join('\n') + '\n');
  return file;
}

// What the wide table lacks, by name.
const wideSampleSizes = Object.fromEntries(ofR.map((sample) => [sample.name, String(sample.n)]));
const wideEstimates = Object.fromEntries(ofR.map((sample) => [sample.name, String(sample.estimate)]));

module.exports = { writeTables, writeLongTableWithout, wideSampleSizes, wideEstimates, treatmentNames: ofR.map((sample) => sample.name) };
