// Serves the built site folder on a free localhost port, as a static host would: the page tests
// and the page benchmark load the site from it.
import { createReadStream, existsSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';

const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.webmanifest': 'application/manifest+json' };

// Resolves to { origin, server }; server.close() ends it.
export async function serveSite(site) {
  const server = createServer((req, res) => {
    const pathname = new URL(req.url, 'http://x').pathname;
    const file = path.join(site, pathname === '/' ? 'index.html' : pathname);
    if (!file.startsWith(site) || !existsSync(file)) { res.writeHead(404).end(); return; }
    res.writeHead(200, { 'content-type': kTypes[path.extname(file)] ?? 'application/octet-stream' });
    createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, server };
}
