// Files a user may give by mistake, none of them a treatment file (as in
// tests/support/foreign_files.h), written into a fresh folder, and the
// sentence the core answers each with after `The file "NAME" `.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');

const formats = 'a bootstrap result file, a text table (.csv, .tsv) or an .xlsx workbook';
const takes = `: an input file is ${formats}.`;

// A zip archive's first entry, stored.
function zipEntry(name, data) {
  const header = Buffer.alloc(30);
  header.write('PK\x03\x04', 0, 'latin1');
  header.writeUInt16LE(20, 4);
  header.writeUInt32LE(Buffer.byteLength(data), 18);
  header.writeUInt32LE(Buffer.byteLength(data), 22);
  header.writeUInt16LE(Buffer.byteLength(name), 26);
  return Buffer.concat([header, Buffer.from(name), Buffer.from(data)]);
}

const ods = zipEntry('mimetype', 'application/vnd.oasis.opendocument.spreadsheet');
const png = Buffer.from('89504e470d0a1a0a0000000d4948445200000001000000010802000000', 'hex');

const foreignFiles = [
  { name: 'r.ods', bytes: ods, refusal: 'is an OpenDocument spreadsheet: save it as .xlsx or .csv.' },
  { name: 'r.xlsx', bytes: ods, refusal: 'is an OpenDocument spreadsheet: save it as .xlsx or .csv.' },
  { name: 'r.pdf', bytes: Buffer.from('%PDF-1.7\n1 0 obj\n<< /Type /Catalog >>\nendobj\n'), refusal: `is a PDF document${takes}` },
  { name: 'r.png', bytes: png, refusal: `is a PNG image${takes}` },
  { name: 'png r.csv', bytes: png, refusal: `is a PNG image${takes}` },
  { name: 'r.zip', bytes: zipEntry('r.csv', 'Maize,Sorghum\n0.1,0.2\n'), refusal: `is a zip archive that is no .xlsx workbook${takes}` },
  { name: 'empty r.xlsx', bytes: Buffer.alloc(0), refusal: 'is empty.' },
  { name: 'utf-32 r.txt', bytes: Buffer.from('fffe00004d000000610000002c000000', 'hex'), refusal: 'is UTF-32 text: save it as UTF-8 or UTF-16.' },
  { name: 'nul r.txt', bytes: Buffer.alloc(4096), refusal: `is a binary file of NUL bytes, no text${takes}` },
];

// [{name, path, refusal}]
function writeForeignFiles() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'cpt-web-foreign-'));
  return foreignFiles.map((file) => {
    const own = path.join(folder, file.name);
    fs.writeFileSync(own, file.bytes);
    return { name: file.name, path: own, refusal: file.refusal };
  });
}

module.exports = { writeForeignFiles };
