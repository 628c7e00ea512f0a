// scripts/web/serve_web.sh itself: a precompressed file served with ETag and
// Last-Modified, and both kinds of conditional request answered 304, empty.
import { spawn } from 'node:child_process';
import { request } from 'node:http';

function get(address, path, headers) {
  return new Promise((resolve, reject) => {
    const r = request(address + path, { headers }, response => {
      let bytes = 0;
      response.on('data', d => { bytes += d.length; });
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, bytes }));
    });
    r.on('error', reject);
    r.end();
  });
}

export async function check_serve_web(root, check) {
  const server = spawn('scripts/web/serve_web.sh', ['0'], { cwd: root, stdio: ['ignore', 'pipe', 'inherit'] });
  try {
    const address = await new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error('serve_web.sh printed no address')), 15000);
      server.stdout.on('data', d => {
        const m = /(http:\/\/127\.0\.0\.1:\d+)\//.exec(String(d));
        if (m) { clearTimeout(timer); resolve(m[1]); }
      });
    });
    const first = await get(address, '/graze.data', { 'Accept-Encoding': 'br, gzip' });
    const etag = first.headers.etag, modified = first.headers['last-modified'];
    const by_tag = await get(address, '/graze.data', { 'Accept-Encoding': 'br, gzip', 'If-None-Match': etag });
    const by_date = await get(address, '/graze.data', { 'Accept-Encoding': 'br, gzip', 'If-Modified-Since': modified });
    const plain = await get(address, '/graze.data', { 'If-None-Match': etag });
    const page = await get(address, '/', { 'Accept-Encoding': 'gzip' });
    check(first.status === 200 && first.headers['content-encoding'] === 'br' && etag && modified &&
          by_tag.status === 304 && by_tag.bytes === 0 && by_date.status === 304 && by_date.bytes === 0 &&
          plain.status === 200 && plain.headers.etag !== etag && page.status === 200 && page.headers.etag,
          'serve_web.sh: precompressed answers carry ETag and Last-Modified, and unchanged files get an empty 304',
          [first, by_tag, by_date, plain, page].map(r => `${r.status} ${r.headers['content-encoding'] || '-'} ${r.headers.etag} ${r.bytes}`).join('; '));
  } finally {
    server.kill('SIGTERM');
  }
}
