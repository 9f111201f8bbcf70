// The XML parts of an .xlsx workbook, unpacked with the browser's own
// inflater (DecompressionStream, which Node has too) for the core's workbook
// reader, since the page has no zip library. A file that is no zip archive,
// or a part that will not unpack, is told to the core, which words the
// refusal as cpt does.
'use strict';
(function (root) {
  const EndOfDirectory = 0x06054b50;
  const DirectoryEntry = 0x02014b50;
  const LocalHeader = 0x04034b50;

  let crcTable = null;
  function crc32(bytes) {
    if (!crcTable) {
      crcTable = new Uint32Array(256);
      for (let n = 0; n < 256; n++) {
        let c = n;
        for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        crcTable[n] = c >>> 0;
      }
    }
    let crc = 0xffffffff;
    for (let i = 0; i < bytes.length; i++) crc = crcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
    return (crc ^ 0xffffffff) >>> 0;
  }

  class NoArchive extends Error {}

  // The central directory's entries: name, method, sizes, CRC and where the data is.
  function directoryOf(bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const lowest = Math.max(0, bytes.length - 22 - 0xffff);
    let end = -1;
    for (let at = bytes.length - 22; at >= lowest; at--) {
      if (view.getUint32(at, true) === EndOfDirectory) { end = at; break; }
    }
    if (end < 0) throw new NoArchive();
    const count = view.getUint16(end + 10, true);
    let at = view.getUint32(end + 16, true);
    const entries = [];
    const names = new TextDecoder('utf-8');
    for (let k = 0; k < count; k++) {
      if (at + 46 > bytes.length || view.getUint32(at, true) !== DirectoryEntry) throw new NoArchive();
      const nameLength = view.getUint16(at + 28, true);
      const extraLength = view.getUint16(at + 30, true);
      const commentLength = view.getUint16(at + 32, true);
      const entry = {
        method: view.getUint16(at + 10, true),
        crc: view.getUint32(at + 16, true),
        compressedSize: view.getUint32(at + 20, true),
        size: view.getUint32(at + 24, true),
        offset: view.getUint32(at + 42, true),
        name: names.decode(bytes.subarray(at + 46, at + 46 + nameLength)),
      };
      if (entry.offset + 30 > bytes.length || view.getUint32(entry.offset, true) !== LocalHeader) throw new NoArchive();
      const dataStart = entry.offset + 30 + view.getUint16(entry.offset + 26, true) + view.getUint16(entry.offset + 28, true);
      if (dataStart + entry.compressedSize > bytes.length) throw new NoArchive();
      entry.data = bytes.subarray(dataStart, dataStart + entry.compressedSize);
      entries.push(entry);
      at += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
  }

  async function inflated(data) {
    const stream = new Blob([data]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // The entry's bytes, or the reason they cannot be had (in libzip's words).
  async function unpacked(entry) {
    let bytes;
    if (entry.method === 0) {
      bytes = entry.data;
    } else if (entry.method === 8) {
      try {
        bytes = await inflated(entry.data);
      } catch (error) {
        return { reason: 'Compressed data invalid' };
      }
    } else {
      return { reason: 'Compression method not supported' };
    }
    if (bytes.length !== entry.size || crc32(bytes) !== entry.crc) return { reason: 'CRC error' };
    return { bytes };
  }

  // {parts: [{name, bytes}]}, {noArchive: true} or {damagedPart, reason}:
  // the fields the core takes beside a workbook's name and bytes. Only the
  // XML parts are unpacked: the reader needs no picture.
  async function unpackWorkbook(bytes) {
    let entries;
    try {
      entries = directoryOf(bytes);
    } catch (error) {
      if (error instanceof NoArchive || error instanceof RangeError) return { noArchive: true };
      throw error;
    }
    const parts = [];
    for (const entry of entries) {
      if (!/\.(xml|rels)$/i.test(entry.name)) continue;
      const part = await unpacked(entry);
      if (part.reason) return { damagedPart: entry.name, reason: part.reason };
      parts.push({ name: entry.name, bytes: part.bytes });
    }
    return { parts };
  }

  // Files as the core takes them: each .xlsx with its parts beside its bytes.
  async function withWorkbookParts(files) {
    const ready = [];
    for (const file of files) {
      ready.push(/\.xlsx$/i.test(file.name) ? { ...file, ...(await unpackWorkbook(file.bytes)) } : file);
    }
    return ready;
  }

  const api = { unpackWorkbook, withWorkbookParts, crc32 };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.cptWorkbookUnpack = api;
})(typeof self !== 'undefined' ? self : this);
