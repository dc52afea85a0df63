// Serves the web build on 127.0.0.1: node web/serve.mjs <folder> [port].
// WebAssembly compiles while it downloads only with its own MIME type; the
// isolation headers leave room for a threaded build later.
import { createServer } from 'node:http';
import { createReadStream, statSync } from 'node:fs';
import { extname, join, normalize, resolve } from 'node:path';

const root = resolve(process.argv[2] ?? 'build-web');
const port = Number(process.argv[3] ?? 8080);
const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.png': 'image/png',
  '.journal': 'application/octet-stream', '.json': 'application/json',
};

export function serve(folder, onPort, listenPort = 0) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(folder, path.endsWith('/') ? path + 'index.html' : path);
    let size = -1;
    try { if (file.startsWith(folder)) size = statSync(file).isFile() ? statSync(file).size : -1; } catch {}
    if (size < 0) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end(`not found: ${path}\n`);
      return;
    }
    response.writeHead(200, {
      'Content-Type': types[extname(file)] ?? 'application/octet-stream',
      'Content-Length': size,
      'Cache-Control': 'no-cache',
      'Cross-Origin-Opener-Policy': 'same-origin',
      'Cross-Origin-Embedder-Policy': 'require-corp',
    });
    createReadStream(file).pipe(response);
  });
  server.listen(listenPort, '127.0.0.1', () => onPort(server.address().port));
  return server;
}

if (import.meta.url === `file://${process.argv[1]}`) {
  serve(root, (p) => console.log(`Sorca: http://127.0.0.1:${p}/`), port);
}
