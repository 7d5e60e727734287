// Serves a WASI build's web/ folder from 127.0.0.1 as docs/web.md asks of a
// host: each file with its type, compressed, with a tag of its content and
// to be checked again before it is used from the browser's cache (an
// unchanged file is answered 304, with no body), and the page with its
// policy.
//
// The page's policy header also names a report address: whatever breaks the
// policy, even before the page's scripts run, lands in `reports`, in every
// engine. While `held` is set, the program
// itself is not sent until it resolves, so that a test can type while the
// page still loads. stop() ends every connection, as a server gone away;
// start() serves again on the same port.
import {createHash} from 'node:crypto';
import {readFile} from 'node:fs/promises';
import {createServer} from 'node:http';
import {extname, join} from 'node:path';
import {brotliCompressSync, gzipSync} from 'node:zlib';

// What a host compresses: everything but the PNG icons, which are already.
const compressed = new Set(['.html', '.css', '.js', '.wasm', '.webmanifest', '.svg']);
const types = {
  '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png',
};

// With wasmType, the program is sent as that type instead, as by a server
// that does not know WebAssembly.
export async function serveFolder(folder, {wasmType = types['.wasm']} = {}) {
  const policy = (await readFile(join(folder, 'index.html'), 'utf8'))
    .match(/http-equiv="Content-Security-Policy" content="([^"]*)"/)[1];
  const site = {
    held: null,
    reports: [],
    // Every file asked for, in order, by name; unchanged: true where the
    // browser had it already. What a visit costs.
    sent: [],
    port: 0,
    get address() {
      return `http://127.0.0.1:${site.port}/`;
    },
    async start() {
      await new Promise((resolve) => server.listen(site.port, '127.0.0.1', resolve));
      site.port = server.address().port;
    },
    async stop() {
      const closed = new Promise((resolve) => server.close(resolve));
      server.closeAllConnections();
      await closed;
    },
  };
  const packed = new Map();
  const server = createServer(async (request, response) => {
    const path = new URL(request.url, 'http://127.0.0.1').pathname;
    if (path === '/policy-violated') {
      let body = '';
      for await (const chunk of request) body += chunk;
      site.reports.push(body);
      response.writeHead(204).end();
      return;
    }
    const name = path === '/' ? 'index.html' : path.slice(1);
    try {
      if (name.includes('/') || name.includes('..')) throw new Error('outside the folder');
      if (name === 'fuel-economy.wasm') await site.held;
      const file = await readFile(join(folder, name));
      const accepted = request.headers['accept-encoding'] ?? '';
      const encoding = !compressed.has(extname(name)) ? null :
        /\bbr\b/.test(accepted) ? 'br' : /\bgzip\b/.test(accepted) ? 'gzip' : null;
      // Compressed once, as a host keeps its files: brotli at its best takes
      // longer than the page's own work.
      const key = `${encoding} ${name}`;
      if (encoding && !packed.has(key)) {
        packed.set(key, encoding === 'br' ? brotliCompressSync(file) : gzipSync(file, {level: 9}));
      }
      const body = encoding ? packed.get(key) : file;
      const tag = `"${createHash('sha256').update(file).digest('base64url').slice(0, 16)}"`;
      if (request.headers['if-none-match'] === tag) {
        response.writeHead(304, {'etag': tag, 'cache-control': 'no-cache'}).end();
        site.sent.push({name, unchanged: true});
        return;
      }
      response.writeHead(200, {
        'etag': tag,
        'content-type': extname(name) === '.wasm' ? wasmType : types[extname(name)] ?? 'application/octet-stream',
        'cache-control': 'no-cache',
        'x-content-type-options': 'nosniff',
        ...(encoding && {'content-encoding': encoding, 'vary': 'accept-encoding'}),
        ...(name.endsWith('.html') && {
          'content-security-policy': `${policy}; frame-ancestors 'none'; report-uri /policy-violated`,
        }),
      });
      site.sent.push({name, unchanged: false});
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await site.start();
  return site;
}
