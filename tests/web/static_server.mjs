// A folder served on localhost as a static web server serves it, gzip-compressed
// for a browser that accepts it. Counts the bytes of the bodies it sends.
import {existsSync, readFileSync, statSync} from 'node:fs';
import {createServer} from 'node:http';
import path from 'node:path';
import {gzipSync} from 'node:zlib';

const kTypes = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json',
                '.txt': 'text/plain', '.png': 'image/png', '.webmanifest': 'application/manifest+json'};
const kCompressed = new Set(['.html', '.js', '.wasm', '.json', '.txt', '.webmanifest']);

// Resolves to the listening server; server.bytesSent counts the bodies sent.
// caching 'no-store': nothing kept in the browser's HTTP cache (offline, only the
// page's service worker serves); 'revalidate': kept, and asked after with its
// ETag each time, as a common static server does (an unchanged file comes back
// as 304, without a body).
export function serve(folder, {caching = 'no-store'} = {}) {
  const server = createServer((request, response) => {
    const name = path.join(folder, path.normalize(new URL(request.url, 'http://localhost').pathname));
    const file = name.endsWith('/') ? path.join(name, 'index.html') : name;
    if (!file.startsWith(folder) || !existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    const headers = {'Content-Type': kTypes[path.extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-store'};
    if (caching !== 'no-store') {
      const {size, mtimeMs} = statSync(file);
      Object.assign(headers, {'Cache-Control': 'no-cache', ETag: `"${size}-${mtimeMs}"`});
      if (request.headers['if-none-match'] === headers.ETag) {
        response.writeHead(304, headers).end();
        return;
      }
    }
    let body = readFileSync(file);
    if (kCompressed.has(path.extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
      body = gzipSync(body, {level: 9});
      headers['Content-Encoding'] = 'gzip';
    }
    server.bytesSent += body.length;
    response.writeHead(200, headers).end(body);
  });
  server.bytesSent = 0;
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}
