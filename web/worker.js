// The page's worker: runs the core (createCptModule and cptBenchFiles, put
// before this file by bundle_worker.js) so that the page stays alive during a
// long run. Files go to the core as their names and bytes, workbooks too: it
// unpacks them as cpt does.
'use strict';

// A small silent run first: the browser compiles WebAssembly quickly and
// optimises what runs often, so the user's first run is not the slow one.
async function readyCore() {
  const core = await createCptModule();
  const encoder = new TextEncoder();
  const files = cptBenchFiles.benchmarkFiles(400).map((file) => ({ name: file.name, bytes: encoder.encode(file.text) }));
  core.runCartesian({ files, code: 'warm-up', fixedTime: '2026-12-09 22:32:02' });
  return core;
}
const modulePromise = readyCore();

// The written files' buffers move to the page instead of being copied.
function transferablesOf(result) {
  const buffers = [];
  for (const file of result.files || []) buffers.push(file.bytes.buffer);
  return buffers;
}

self.onmessage = async (event) => {
  const { id, command, request } = event.data;
  try {
    const core = await modulePromise;
    let result;
    const started = performance.now();
    const onProgress = (text) => self.postMessage({ id, type: 'progress', text });
    if (command === 'list') {
      result = core.listInput(request);
    } else if (command === 'cartesian') {
      result = core.runCartesian({ ...request, onProgress });
    } else if (command === 'study-groups') {
      result = core.groupStudy({ files: request.files });
    } else if (command === 'study') {
      result = core.runStudy({ ...request, onProgress });
    } else if (command === 'sort-count') {
      result = core.runSortCount(request);
    } else {
      throw new Error(`worker: no command "${command}"`);
    }
    const seconds = (performance.now() - started) / 1000;
    self.postMessage({ id, type: 'done', result, seconds }, transferablesOf(result));
  } catch (error) {
    self.postMessage({ id, type: 'error', message: String(error && error.message ? error.message : error) });
  }
};
