// The site served from the test, as scripts/web/serve_web.sh serves it
// (precompressed copies, ETag and Last-Modified, 304 for an unchanged file),
// with faults it can be told to make: a file missing, short, damaged, or
// stalled (its first bytes, then nothing). Every answer is logged.
import { createServer } from 'node:http';
import { existsSync, readFileSync, statSync } from 'node:fs';
import { join, extname } from 'node:path';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.png': 'image/png', '.md': 'text/plain', '.css': 'text/css' };

// A file as it is or its precompressed copy, whichever the browser accepts,
// with its validators; 304 with no body when the browser's copy is current.
function serve_file(request, path, type, plain, answer) {
  let served = path, encoding = null;
  const accepted = (request.headers['accept-encoding'] || '').split(',').map(e => e.split(';')[0].trim());
  for (const [e, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
    if (!plain && accepted.includes(e) && existsSync(path + suffix)) {
      served = path + suffix;
      encoding = e;
      break;
    }
  }
  const stat = statSync(served);
  const etag = `"${Math.floor(stat.mtimeMs).toString(16)}-${stat.size.toString(16)}${encoding ? '-' + encoding : ''}"`;
  const headers = { 'Content-Type': type, ETag: etag, 'Last-Modified': stat.mtime.toUTCString(),
                    'Cache-Control': 'no-cache', Vary: 'Accept-Encoding' };
  const tags = request.headers['if-none-match'];
  if (tags && tags.split(',').map(t => t.trim().replace(/^W\//, '')).includes(etag))
    return answer(304, headers, null);
  if (encoding) headers['Content-Encoding'] = encoding;
  answer(200, headers, readFileSync(served));
}

export async function serve(site, { plain = false } = {}) {
  const faults = new Map();
  const log = [];
  const stalled = new Set();
  const server = createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname.slice(1)) || 'index.html';
    const path = join(site, name);
    const fault = faults.get(name);
    if (fault && --fault.times <= 0) faults.delete(name);
    const answer = (status, headers, body) => {
      response.writeHead(status, headers);
      response.end(body);
      log.push({ name, status, bytes: body ? body.length : 0 });
    };
    if ((fault && fault.kind === 'missing') || !existsSync(path) || !statSync(path).isFile())
      return answer(404, { 'Content-Type': 'text/plain' }, 'not found');
    const type = types[extname(name)] || 'application/octet-stream';
    if (fault) return faulty(fault.kind, readFileSync(path), type);
    serve_file(request, path, type, plain, answer);

    function faulty(kind, body, type) {
      const headers = { 'Content-Type': type, 'Cache-Control': 'no-store' };
      if (kind === 'short') return answer(200, headers, body.subarray(0, body.length - 65536));
      if (kind === 'damaged') {
        body = Buffer.from(body);
        body[body.length >> 1] ^= 0x55;
        return answer(200, headers, body);
      }
      // Stalled: the headers and a first piece, then nothing until the page gives up.
      response.writeHead(200, { ...headers, 'Content-Length': body.length });
      response.write(body.subarray(0, 65536));
      stalled.add(response);
      response.on('close', () => stalled.delete(response));
      log.push({ name, status: 'stalled', bytes: 65536 });
    }
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return {
    address: `http://127.0.0.1:${server.address().port}/`,
    faults, log, plain,
    // Bytes of bodies sent since the log was last cleared.
    sent: () => log.reduce((total, entry) => total + entry.bytes, 0),
    close() {
      for (const response of stalled) response.destroy();
      server.closeAllConnections();
      server.close();
    },
  };
}
