// The game's files, downloaded with a counter and each checked whole against
// the size and CRC-32 the build wrote into the page. A short, damaged, cut or
// stalled download is fetched once more on its own; a Retry fetches each
// file still wanted once. A file the server lacks (404) is named as missing.
import { graze, manifest } from './state.js';
import { showCount } from './messages.js';

export const files = ['graze.js', 'graze.wasm', 'graze.data'];
// A download that receives nothing for this long is given up, as a cut one.
const stallSeconds = 10;
const downloaded = {};
const received = {};
// When each file's last bytes arrived (or its fetch began).
const lastBytes = {};

const crcTable = new Int32Array(256);
for (let n = 0; n < 256; n++) {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  crcTable[n] = c;
}
function crcUpdate(crc, bytes) {
  for (let i = 0; i < bytes.length; i++) crc = crcTable[(crc ^ bytes[i]) & 255] ^ (crc >>> 8);
  return crc;
}

// The counter redraws on a timer too, so a stalled line shows as one.
function showProgress() {
  let got = 0, total = 0;
  for (const name of files) {
    got += downloaded[name] ? downloaded[name].length : received[name] || 0;
    total += (manifest[name] && manifest[name].size) || 0;
  }
  const times = Object.values(lastBytes);
  showCount(got, total, times.length ? (performance.now() - Math.max(...times)) / 1000 : 0);
}

const cut = stalled => 'could not be downloaded (the connection broke off' +
  (stalled ? ': nothing arrived for ' + stallSeconds + ' s' : '') + ')';

async function receive(name, fresh, signal, isStalled) {
  let response;
  try {
    // A second visit asks the server whether its copy is still current (304).
    response = await fetch(name, { cache: fresh ? 'reload' : 'no-cache', signal });
  } catch (error) {
    return { fault: isStalled() ? cut(true) : 'could not be downloaded (the network failed)' };
  }
  if (response.status === 404)
    return { missing: true, fault: 'is missing on the server (404 Not Found at ' + response.url + ')' };
  if (!response.ok)
    return { fault: 'could not be downloaded (the server answered ' + response.status + ' ' +
                    (response.statusText || 'error') + ')' };
  const reader = response.body.getReader();
  const parts = [];
  let crc = -1, size = 0;
  for (;;) {
    let chunk;
    try {
      chunk = await reader.read();
    } catch (error) {
      return { fault: cut(isStalled()) };
    }
    if (chunk.done) break;
    lastBytes[name] = performance.now();
    parts.push(chunk.value);
    crc = crcUpdate(crc, chunk.value);
    size += chunk.value.length;
    received[name] = size;
  }
  return check(name, parts, size, crc);
}

function check(name, parts, size, crc) {
  const want = manifest[name];
  if (size === 0) return { fault: 'is empty on the server' };
  if (want && size !== want.size)
    return { fault: 'arrived incomplete (' + size + ' of ' + want.size + ' bytes)' };
  if (want && ((crc ^ -1) >>> 0) !== want.crc32)
    return { fault: 'arrived damaged (its checksum does not match)' };
  const whole = new Uint8Array(size);
  let at = 0;
  for (const part of parts) {
    whole.set(part, at);
    at += part.length;
  }
  return { bytes: whole };
}

async function fetchOnce(name, fresh) {
  graze.fetches[name] = (graze.fetches[name] || 0) + 1;
  const controller = new AbortController();
  let stalled = false;
  lastBytes[name] = performance.now();
  const watch = setInterval(() => {
    if (performance.now() - lastBytes[name] < stallSeconds * 1000) return;
    stalled = true;
    controller.abort();
  }, 250);
  try {
    return await receive(name, fresh, controller.signal, () => stalled);
  } finally {
    clearInterval(watch);
    received[name] = 0;
  }
}

// One file: fetched once more when it arrives wrong, unless the server says
// it has none, or this is a Retry.
async function download(name, retrying) {
  let got = await fetchOnce(name, retrying);
  if (got.fault && !got.missing && !retrying) got = await fetchOnce(name, true);
  if (got.fault) throw Object.assign(new Error(name + ' ' + got.fault + '.'), { missing: !!got.missing });
  downloaded[name] = got.bytes;
}

// Every file not yet downloaded; resolves to the files' bytes by name, or
// rejects with the faults named, one a line.
export async function downloadAll(retrying) {
  showProgress();
  const timer = setInterval(showProgress, 250);
  const missing = files.filter(name => !downloaded[name]);
  const results = await Promise.allSettled(missing.map(name => download(name, retrying)));
  clearInterval(timer);
  showProgress();
  const faults = results.filter(r => r.status === 'rejected').map(r => r.reason);
  if (!faults.length) return downloaded;
  const lines = faults.map(f => f.message);
  lines.push(faults.every(f => f.missing)
    ? 'The site is incomplete: every file of the build must lie beside index.html.'
    : faults.some(f => f.missing) ? 'Check the site and the connection, then retry.'
      : 'Check the connection, then retry.');
  throw new Error(lines.join('\n'));
}
