// The browser build played in headless Chromium with key presses: the intro
// pictures, the title and the difficulty menu must be pixel-identical to the
// native game's (the simulator's frames), Level 1 must start, the ship move
// and the score rise; a failed download must be named and retried; Escape on
// the title must end on the goodbye. Frame intervals, start-up times and the
// renderer's CPU are measured and printed, never asserted.
// Usage: node web/test/test_web.mjs SITE_DIR NATIVE_FRAMES_DIR ASSETS_DIR
// Exit status: 0 all passed, 1 a check failed, 3 Chromium could not start.
import { createServer } from 'node:http';
import { readFileSync, readdirSync, existsSync, statSync } from 'node:fs';
import { join, extname } from 'node:path';
import { open_browser, sleep } from './chromium.mjs';
import { read_png, read_bmp, picture_hash } from './pictures.mjs';

const [site, native_frames, assets] = process.argv.slice(2);
let passed = 0, failed = 0;
function check(ok, what, detail = '') {
  if (ok) passed += 1;
  else failed += 1;
  console.log(`${ok ? 'PASS' : 'FAIL'} ${what}${detail ? ': ' + detail : ''}`);
}
function measure(what, value) { console.log(`MEASURE ${what}: ${value}`); }

// --- The site, served from here so a download can be made to fail. ---
let failing = new Set();
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const server = createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://x').pathname.slice(1)) || 'index.html';
  const path = join(site, name);
  if (failing.has(name) || !existsSync(path) || !statSync(path).isFile()) {
    failing.delete(name);
    response.writeHead(404, { 'Content-Type': 'text/plain' });
    response.end('not found');
    return;
  }
  const body = readFileSync(path);
  response.writeHead(200, { 'Content-Type': types[extname(name)] || 'application/octet-stream',
                            'Content-Length': body.length });
  response.end(body);
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

// --- The native game's pictures. ---
const native = readdirSync(native_frames).sort().map(f => picture_hash(read_png(join(native_frames, f)).rgba));
const distinct = native.filter((h, i) => i === 0 || h !== native[i - 1]);
// In order: three intro pictures, the title with and without its coin, the
// menu at Practice, Easy, Normal, Hard and Practice again, the title...
const expected = {
  intro: distinct.slice(0, 3), title: distinct.slice(3, 5),
  menu: [...new Set(distinct.slice(5).filter((h, i, all) => !distinct.slice(3, 5).includes(h)))].slice(0, 4),
  goodbye: distinct[distinct.length - 1],
};

// The ship's pictures and the score's digits, to find them in a frame.
const ship_pictures = ['Vaisseau1', 'Vaisseau2', 'Vaisseau_Gauche', 'Vaisseau_Droite', 'Vaisseau1a',
                       'Vaisseau2a', 'Vaisseau_Gauchea', 'Vaisseau_Droitea']
  .map(name => read_png(join(assets, 'Images', name + '.png')));
const digit_pictures = ['Zero', 'Un', 'Deux', 'Trois', 'Quatre', 'Cinq', 'Six', 'Sept', 'Huit', 'Neuf']
  .map(name => read_bmp(join(assets, 'Images', name + '.bmp')));

// Opaque pixels of a keyed picture placed at (x, y) that match the frame.
function match(frame, picture, x, y, key, enough) {
  let tried = 0, wrong = 0;
  const allowed = Math.floor(picture.width * picture.height * (1 - enough));
  for (let py = 0; py < picture.height; py++) {
    for (let px = 0; px < picture.width; px++) {
      const p = (py * picture.width + px) * 4;
      const r = picture.rgba[p], g = picture.rgba[p + 1], b = picture.rgba[p + 2];
      if (r === key[0] && g === key[1] && b === key[2]) continue;
      tried += 1;
      const f = ((y + py) * 640 + x + px) * 4;
      if (frame[f] !== r || frame[f + 1] !== g || frame[f + 2] !== b) {
        if (++wrong > allowed) return 0;
      }
    }
  }
  return tried ? (tried - wrong) / tried : 0;
}

function find_ship(frame) {
  let best = { score: 0 };
  for (const picture of ship_pictures) {
    for (let y = 0; y + picture.height <= 480; y++) {
      for (let x = 130; x + picture.width <= 512; x++) {
        const score = match(frame, picture, x, y, [0, 0, 255], 0.8);
        if (score > best.score) best = { score, x, y };
      }
    }
  }
  return best.score ? best : null;
}

function read_score(frame) {
  let score = 0;
  for (let i = 0; i < 5; i++) {
    const found = digit_pictures.findIndex(d => match(frame, d, 510 + 25 * i, 50, [0, 0, 0], 1) === 1);
    if (found < 0) return -1;
    score = score * 10 + found;
  }
  return score;
}

let page;
try {
  page = await open_browser();
} catch (error) {
  console.log(`chromium cannot start: ${error.message}`);
  server.close();
  process.exit(3);
}
console.log(`browser: ${page.version}, site: ${address}`);
const frame_of = async () => new Uint8Array(Buffer.from(await page.evaluate('graze.capture()'), 'base64'));
// The ship blinks while invulnerable: look at a few frames.
async function ship_now() {
  for (let i = 0; i < 8; i++) {
    const found = find_ship(await frame_of());
    if (found) return found;
    await sleep(60);
  }
  return null;
}
async function wait_for(expression, ms, what) {
  const until = Date.now() + ms;
  for (;;) {
    const value = await page.evaluate(expression);
    if (value) return value;
    if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
    await sleep(50);
  }
}

try {
  // --- A failed download is named, and Retry finishes the job. ---
  failing = new Set(['graze.data']);
  await page.send('Page.navigate', { url: address });
  await wait_for("window.graze && graze.state === 'failed'", 60000, 'the failed download');
  const said = await page.evaluate('graze.message');
  const retry_shown = await page.evaluate("!document.getElementById('retry').hidden");
  check(/graze\.data/.test(said) && retry_shown, 'a failed download names its file and offers a retry', JSON.stringify(said));
  await page.evaluate("document.getElementById('retry').click()");
  await wait_for("graze.state === 'ready'", 60000, 'the page after a retry');
  check(true, 'the retry downloads what was missing and the page gets ready');
  const failed_load_messages = page.log.length;

  // --- A browser without Web Audio plays silent; one without WebAssembly is told so. ---
  const { identifier: no_audio } = await page.send('Page.addScriptToEvaluateOnNewDocument',
    { source: 'delete window.AudioContext; delete window.webkitAudioContext;' });
  await page.send('Page.navigate', { url: address });
  await wait_for("window.graze && graze.state === 'ready'", 60000, 'the page without Web Audio');
  await page.press('Space');
  await wait_for('graze.frames > 0', 60000, 'the first picture without Web Audio');
  const silent_note = await page.evaluate("document.getElementById('note').textContent");
  check(/silent/.test(silent_note) && (await page.evaluate('graze.state')) === 'playing',
        'without Web Audio the game plays silent and the page says so', silent_note);
  await page.send('Page.removeScriptToEvaluateOnNewDocument', { identifier: no_audio });
  const { identifier: no_wasm } = await page.send('Page.addScriptToEvaluateOnNewDocument',
    { source: 'delete window.WebAssembly;' });
  await page.send('Page.navigate', { url: address });
  await wait_for("window.graze && graze.state === 'failed'", 20000, 'the page without WebAssembly');
  const no_wasm_message = await page.evaluate('graze.message');
  check(/WebAssembly/.test(no_wasm_message), 'without WebAssembly the page says the game cannot run', no_wasm_message);
  await page.send('Page.removeScriptToEvaluateOnNewDocument', { identifier: no_wasm });

  // --- The real visit, timed from the page's opening. ---
  page.console.length = 0;
  page.exceptions.length = 0;
  page.log.length = 0;
  await page.send('Page.navigate', { url: address });
  await wait_for("window.graze && graze.state === 'ready'", 60000, 'the page to get ready');
  const ready_ms = await page.evaluate('graze.readyAt - graze.openedAt');
  // Distinct pictures as they are presented, by hash.
  await page.evaluate(`
    graze.seen = [];
    graze.onFrame = function (heap, at, width, height) {
      let h = 0x811c9dc5;
      const pixels = new Uint32Array(heap.buffer, at, width * height);
      for (let i = 0; i < pixels.length; i++) h = Math.imul(h ^ (pixels[i] & 0xffffff), 16777619);
      const hash = (h >>> 0).toString(16).padStart(8, '0');
      if (graze.seen[graze.seen.length - 1] !== hash) graze.seen.push(hash);
    };`);
  await page.press('Space');
  await wait_for('graze.frames > 0', 60000, 'the first picture');
  const first = await page.evaluate('[graze.firstFrameAt - graze.startedAt, graze.firstFrameAt - graze.openedAt]');
  measure('page open to ready to start (download, compile, run-time)', `${ready_ms.toFixed(0)} ms`);
  measure('key press to first picture (asset decoding)', `${first[0].toFixed(0)} ms`);

  const seen = () => page.evaluate('graze.seen');
  const showing = async hash => (await seen()).at(-1) === hash;
  for (const [i, hash] of expected.intro.entries()) {
    await wait_for(`graze.seen.at(-1) === '${hash}'`, 15000, `intro picture ${i + 1}`).catch(() => {});
    check(await showing(hash), `intro picture ${i + 1} is the native game's, pixel for pixel`, hash);
    await sleep(400);
    await page.press('Enter');
  }
  await sleep(1400);
  const after_title = await seen();
  check(expected.title.every(h => after_title.includes(h)), 'the title, with and without its coin, is the native game\'s',
        expected.title.join(' '));
  await page.press('Enter');
  for (const [i, hash] of expected.menu.entries()) {
    await wait_for(`graze.seen.at(-1) === '${hash}'`, 5000, `menu picture ${i + 1}`).catch(() => {});
    check(await showing(hash), `difficulty menu picture ${i + 1} is the native game's`, hash);
    await sleep(300);
    await page.press('ArrowRight');
  }
  // Back at Practice: start Level 1.
  await wait_for(`graze.seen.at(-1) === '${expected.menu[0]}'`, 5000, 'Practice again').catch(() => {});
  await page.press('Enter');

  // --- Level 1: the ship moves and the score rises. ---
  await sleep(4500);
  await page.evaluate('graze.onFrame = null');
  await page.key('g', 'keyDown');
  await sleep(500);
  const start = await ship_now();
  check(start !== null, 'Level 1 started: the ship is on the field', JSON.stringify(start));
  // Held until the ship has moved well: the level's intro may still run, and
  // a ship just shot down cannot steer until it has risen back (seconds).
  const frames_during = [];
  async function steer(key, moved) {
    const frames_from = await page.evaluate('graze.frames');
    await page.key(key, 'keyDown');
    let at = null;
    for (const until = Date.now() + 25000; Date.now() < until;) {
      at = await ship_now();
      if (at && moved(at)) break;
      await sleep(150);
    }
    await page.key(key, 'keyUp');
    frames_during.push(`${key} held over ${(await page.evaluate('graze.frames')) - frames_from} frames`);
    return at;
  }
  const left = await steer('ArrowLeft', at => at.x < start.x - 40);
  const right = await steer('ArrowRight', at => at.x > left.x + 40);
  check(start && left && right && left.x < start.x - 40 && right.x > left.x + 40, 'the ship moves left and right with the arrows',
        `x ${start?.x} -> ${left?.x} -> ${right?.x} (${frames_during.join(', ')})`);

  // Frames and CPU while playing, firing all along.
  const cpu_before = renderer_cpu(page.browser_pid);
  const frames_before = await page.evaluate('[graze.frames, performance.now()]');
  const wall_before = Date.now();
  await sleep(6000);
  const frames_after = await page.evaluate('[graze.frames, performance.now()]');
  const cpu_after = renderer_cpu(page.browser_pid);
  const seconds = (frames_after[1] - frames_before[1]) / 1000;
  const intervals = await page.evaluate(`(() => {
    const t = graze.frameTimes, n = Math.min(graze.frames, t.length, 400), out = [];
    for (let i = graze.frames - n + 1; i < graze.frames; i++) out.push(t[i % t.length] - t[(i - 1) % t.length]);
    return out.sort((a, b) => a - b);
  })()`);
  measure('frames per second in play', ((frames_after[0] - frames_before[0]) / seconds).toFixed(1));
  measure('frame interval in play (median, 95th percentile, most)',
          `${intervals[intervals.length >> 1].toFixed(1)} ms, ${intervals[Math.floor(intervals.length * 0.95)].toFixed(1)} ms, ${intervals.at(-1).toFixed(1)} ms`);
  if (cpu_before !== null && cpu_after !== null)
    measure("the browser's renderer CPU in play", `${((cpu_after - cpu_before) / ((Date.now() - wall_before) / 1000) * 100).toFixed(0)}% of a core`);
  await page.key('g', 'keyUp');
  const sound = await page.evaluate('graze.audio');
  check(sound === 'worklet' || sound === 'script processor', 'the sound plays through Web Audio', sound);
  const score = read_score(await frame_of());
  check(score > 0, 'the score rises while firing', `score ${score}`);

  // --- Escape leaves the level; Escape on the title says goodbye. ---
  await page.press('Escape');
  await sleep(5000);
  for (let i = 0; i < 8 && (await page.evaluate('graze.state')) === 'playing'; i++) {
    await page.press('Escape');
    await sleep(1500);
  }
  await wait_for("graze.state !== 'playing'", 10000, 'the goodbye').catch(() => {});
  const goodbye = await frame_of();
  check((await page.evaluate('graze.state')) === 'goodbye' && picture_hash(goodbye) === expected.goodbye,
        'Escape on the title ends on the goodbye picture and the page says goodbye',
        await page.evaluate('graze.state + ": " + graze.message'));

  const errors = [...page.console.filter(m => m.type === 'error').map(m => m.text),
                  ...page.log.filter(m => m.level === 'error').map(m => `${m.text} ${m.url || ''}`),
                  ...page.exceptions];
  check(errors.length === 0, 'no console errors', errors.join(' | '));
  const warnings = [...page.console.filter(m => m.type === 'warning').map(m => m.text),
                    ...page.log.filter(m => m.level === 'warning').map(m => m.text)];
  if (warnings.length) console.log(`note: console warnings: ${[...new Set(warnings)].join(' | ')}`);
  if (failed_load_messages) console.log(`note: the failed download logged ${failed_load_messages} message(s), as it should`);
} catch (error) {
  check(false, 'the browser test ran to its end', error.message);
} finally {
  await page.close();
  server.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

// User and system CPU seconds of the browser's renderer processes.
function renderer_cpu(browser_pid) {
  try {
    let total = 0;
    for (const pid of readdirSync('/proc').filter(p => /^\d+$/.test(p))) {
      let command;
      try { command = readFileSync(`/proc/${pid}/cmdline`, 'utf8'); } catch { continue; }
      if (!command.includes('--type=renderer')) continue;
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      if (Number(fields[1]) !== browser_pid && !is_descendant(pid, browser_pid)) continue;
      total += (Number(fields[11]) + Number(fields[12])) / 100;
    }
    return total;
  } catch {
    return null;
  }
}
function is_descendant(pid, ancestor) {
  for (let p = Number(pid), i = 0; p > 1 && i < 20; i++) {
    const stat = readFileSync(`/proc/${p}/stat`, 'utf8');
    p = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
    if (p === ancestor) return true;
  }
  return false;
}
