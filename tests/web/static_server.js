// A static file server on 127.0.0.1 for the page under test: files of one
// folder only, nothing else.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png' };

function serveFolder(folder) {
  const server = http.createServer((request, response) => {
    const wanted = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = path.join(folder, wanted === '/' ? 'index.html' : wanted);
    if (!file.startsWith(folder + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({ server, origin: `http://127.0.0.1:${server.address().port}` }));
  });
}

module.exports = { serveFolder };
