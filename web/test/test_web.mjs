// The browser build played in a headless browser, Chromium (over its DevTools
// pipe) or Firefox (over WebDriver BiDi), as a player would:
//   - the failure pages: a file the server does not have, a graze.data that
//     arrives short or damaged (fetched again once, then named with a Retry
//     that works), no WebAssembly, no Web Audio; no uncaught error;
//   - the intro pictures, the title and the difficulty menu pixel-identical to
//     the native game's (the simulator's frames); Level 1 played with the
//     keyboard (the ship steers, the score rises) and with a synthetic
//     gamepad; the sound, its mute key, and the silent note where the
//     browser has no sound device; a hidden page pausing the game and its
//     sound; fullscreen at 1920x1080 in whole steps; one goodbye, the page's
//     beside the game's picture;
//   - Chromium only: the touch pad on an emulated phone (portrait and
//     landscape: tap to start, steer and fire at once, leave), and the time
//     to playable at 10 Mbit/s (DevTools network emulation).
// Frame intervals, start-up times and CPU are printed (MEASURE lines), never
// asserted. Screenshots go to SHOTS_DIR when given.
// Usage: node web/test/test_web.mjs chromium|firefox SITE_DIR NATIVE_FRAMES_DIR ASSETS_DIR [SHOTS_DIR]
// Exit status: 0 all passed, 1 a check failed, 3 the browser could not start.
import { createServer } from 'node:http';
import { readFileSync, readdirSync, existsSync, statSync, mkdirSync, writeFileSync } from 'node:fs';
import { join, extname } from 'node:path';
import { open_browser, sleep } from './chromium.mjs';
import { open_firefox } from './firefox.mjs';
import { read_png, read_bmp, picture_hash } from './pictures.mjs';

const [engine, site, native_frames, assets, shots] = process.argv.slice(2);
const chromium = engine === 'chromium';
let passed = 0, failed = 0;
function check(ok, what, detail = '') {
  if (ok) passed += 1;
  else failed += 1;
  console.log(`${ok ? 'PASS' : 'FAIL'} ${engine}: ${what}${detail ? ': ' + detail : ''}`);
}
function measure(what, value) { console.log(`MEASURE ${engine}: ${what}: ${value}`); }

// --- The site, served from here so a download can be made to fail. ---------
// faults: file name -> { kind: 'missing' | 'short' | 'damaged', times }.
const faults = new Map();
let sent_bytes = 0, plain = process.env.GRAZE_WEB_PLAIN === '1';
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.png': 'image/png', '.md': 'text/plain' };
const server = createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://x').pathname.slice(1)) || 'index.html';
  const path = join(site, name);
  const fault = faults.get(name);
  if (fault) {
    fault.times -= 1;
    if (fault.times <= 0) faults.delete(name);
  }
  if ((fault && fault.kind === 'missing') || !existsSync(path) || !statSync(path).isFile()) {
    response.writeHead(404, { 'Content-Type': 'text/plain' });
    response.end('not found');
    return;
  }
  let body = readFileSync(path), encoding = null;
  if (fault) {
    if (fault.kind === 'short') body = body.subarray(0, body.length - 65536);
    else if (fault.kind === 'damaged') { body = Buffer.from(body); body[body.length >> 1] ^= 0x55; }
  } else if (!plain) {
    const accepted = (request.headers['accept-encoding'] || '').split(',').map(e => e.split(';')[0].trim());
    for (const [e, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
      if (accepted.includes(e) && existsSync(path + suffix)) {
        body = readFileSync(path + suffix);
        encoding = e;
        break;
      }
    }
  }
  const headers = { 'Content-Type': types[extname(name)] || 'application/octet-stream',
                    'Content-Length': body.length, 'Cache-Control': 'no-cache' };
  if (encoding) headers['Content-Encoding'] = encoding;
  response.writeHead(200, headers);
  response.end(body);
  sent_bytes += body.length;
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

// --- The native game's pictures. ---------------------------------------------
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
  page = chromium ? await open_browser() : await open_firefox();
} catch (error) {
  console.log(`${engine} cannot start: ${error.message}`);
  server.close();
  process.exit(3);
}
console.log(`browser: ${page.version}, site: ${address}`);
const frame_of = async () => new Uint8Array(Buffer.from(await page.evaluate('graze.capture()'), 'base64'));
async function shot(name) {
  if (!shots) return;
  mkdirSync(shots, { recursive: true });
  writeFileSync(join(shots, `${engine}-${name}.png`), await page.screenshot());
}
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
// Held until the ship has moved well: the level's intro may still run, and
// a ship just shot down cannot steer until it has risen back (seconds).
async function steer(hold, release, moved) {
  const frames_from = await page.evaluate('graze.frames');
  await hold();
  let at = null;
  for (const until = Date.now() + 25000; Date.now() < until;) {
    at = await ship_now();
    if (at && moved(at)) break;
    await sleep(150);
  }
  await release();
  return { at, frames: (await page.evaluate('graze.frames')) - frames_from };
}
const uncaught = () => page.exceptions.filter(e => !/^(page: )?timed out/.test(e));
// Page boxes as [left, top, right, bottom].
const box = selector => page.evaluate(`(() => { const e = document.querySelector('${selector}');
  if (!e || !e.getClientRects().length) return null;
  const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; })()`);
const overlap = (a, b) => a && b && a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
// A gamepad the page reads through navigator.getGamepads, with the standard mapping.
const fake_gamepad = `
  window.__pad = { id: 'synthetic pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
    axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
  navigator.getGamepads = () => [window.__pad, null, null, null];`;
const pad_button = (i, down) => page.evaluate(
  `(() => { const b = __pad.buttons[${i}]; b.pressed = b.touched = ${down}; b.value = ${down ? 1 : 0}; })()`);
const pad_axis = (i, value) => page.evaluate(`(() => { __pad.axes[${i}] = ${value}; })()`);
// Hides or shows the page as a switch of tabs does.
const set_hidden = hidden => page.evaluate(`(() => {
  Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => '${hidden ? 'hidden' : 'visible'}' });
  Object.defineProperty(document, 'hidden', { configurable: true, get: () => ${hidden} });
  document.dispatchEvent(new Event('visibilitychange'));
})()`);

try {
  if (process.env.GRAZE_WEB_TIMED_ONLY === '1') {
    for (const rate of (process.env.GRAZE_WEB_RATES || '10').split(',').filter(Boolean))
      await timed_visit(Number(rate));
  } else {
    await play();
  }
} catch (error) {
  check(false, 'the browser test ran to its end', error.message);
} finally {
  await page.close();
  server.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

async function play() {
  // --- The failure pages. -----------------------------------------------------
  // A file the server lacks, asked twice: named, with a Retry that works.
  faults.set('graze.data', { kind: 'missing', times: 2 });
  await page.navigate(address);
  await wait_for("window.graze && graze.state === 'failed'", 60000, 'the failed download');
  let said = await page.evaluate('graze.message');
  check(/graze\.data/.test(said) && (await page.evaluate("!document.getElementById('retry').hidden")) &&
        (await page.evaluate("graze.fetches['graze.data']")) === 2,
        'a missing file is asked for twice, then named with a Retry', JSON.stringify(said));
  await shot('failed-download');
  await page.evaluate("document.getElementById('retry').click()");
  await wait_for("graze.state === 'ready'", 60000, 'the page after a retry');
  check(true, 'the Retry downloads what was missing and the page gets ready');

  // A short graze.data, once: fetched again without a word.
  faults.set('graze.data', { kind: 'short', times: 1 });
  await page.navigate(address);
  await wait_for("window.graze && (graze.state === 'ready' || graze.state === 'failed')", 60000, 'the page');
  check((await page.evaluate("graze.state + ' ' + graze.fetches['graze.data']")) === 'ready 2',
        'a short graze.data is fetched again once and the game gets ready',
        await page.evaluate("graze.state + ', fetched ' + graze.fetches['graze.data'] + ' times'"));

  // A damaged graze.data (its full size), twice: named, and Retry works.
  faults.set('graze.data', { kind: 'damaged', times: 2 });
  await page.navigate(address);
  await wait_for("window.graze && graze.state === 'failed'", 60000, 'the damaged download');
  said = await page.evaluate('graze.message');
  check(/graze\.data.*damaged/.test(said), 'a graze.data damaged twice is named with a Retry', JSON.stringify(said));
  await shot('damaged-download');
  await page.evaluate("document.getElementById('retry').click()");
  await wait_for("graze.state === 'ready'", 60000, 'the page after retrying the damaged file');
  check(true, 'the Retry fetches the damaged file whole and the page gets ready');

  // A browser without Web Audio plays silent; one without WebAssembly is told so.
  const no_audio = await page.add_init_script('delete window.AudioContext; delete window.webkitAudioContext;');
  await page.navigate(address);
  await wait_for("window.graze && graze.state === 'ready'", 60000, 'the page without Web Audio');
  await page.press('Space');
  await wait_for('graze.frames > 0', 60000, 'the first picture without Web Audio');
  const silent_note = await page.evaluate('graze.note');
  check(/silent/.test(silent_note) && (await page.evaluate('graze.state')) === 'playing',
        'without Web Audio the game plays silent and the page says so', silent_note);
  await page.remove_init_script(no_audio);
  const no_wasm = await page.add_init_script('delete window.WebAssembly;');
  await page.navigate(address);
  await wait_for("window.graze && graze.state === 'failed'", 20000, 'the page without WebAssembly');
  const no_wasm_message = await page.evaluate('graze.message');
  check(/WebAssembly/.test(no_wasm_message), 'without WebAssembly the page says the game cannot run', no_wasm_message);
  await shot('no-webassembly');
  await page.remove_init_script(no_wasm);
  check(uncaught().length === 0, 'no uncaught error in any failure', uncaught().join(' | '));

  // --- The real visit, timed from the page's opening. -----------------------------
  const pad_script = await page.add_init_script(fake_gamepad);
  page.console.length = 0;
  page.exceptions.length = 0;
  page.log.length = 0;
  sent_bytes = 0;
  await page.navigate(address);
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
  measure('download before the first picture (on the loopback, as served)', `${(sent_bytes / 1e6).toFixed(1)} MB`);
  measure('page open to ready to start (download, check, compile, run-time)', `${ready_ms.toFixed(0)} ms`);
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

  // --- Level 1 with the keyboard: the ship moves and the score rises. ---
  await sleep(4500);
  await page.evaluate('graze.onFrame = null');
  const start = await ship_now();
  check(start !== null, 'Level 1 started: the ship is on the field', JSON.stringify(start));
  // The gamepad's A button fires while the first waves come.
  const score_before_pad = read_score(await frame_of());
  await pad_button(0, true);
  await sleep(300);
  const pad_held = await page.evaluate('graze.heldKeys()');
  // Swept across the field with the stick, to meet the enemies.
  let score_after_pad = score_before_pad;
  for (let i = 0; i < 40 && score_after_pad <= score_before_pad; i++) {
    if (i % 3 === 0) await pad_axis(0, (i / 3) % 2 ? 0.9 : -0.9);
    await sleep(500);
    score_after_pad = read_score(await frame_of());
  }
  await pad_axis(0, 0);
  await pad_button(0, false);
  check(score_after_pad > score_before_pad && pad_held.includes(103),
        "the gamepad's A button fires", `held ${JSON.stringify(pad_held)}, score ${score_before_pad} -> ${score_after_pad}`);

  await page.key('g', 'keyDown');
  const from = await ship_now() || start;
  // The gamepad's check may leave the ship at the field's left edge (x 138):
  // reaching that edge counts as moving left.
  const moved_left = at => at.x < from.x - 40 || at.x <= 138;
  const left = await steer(() => page.key('ArrowLeft', 'keyDown'), () => page.key('ArrowLeft', 'keyUp'),
                           moved_left);
  const right = await steer(() => page.key('ArrowRight', 'keyDown'), () => page.key('ArrowRight', 'keyUp'),
                            at => at.x > left.at.x + 40);
  check(from && left.at && right.at && moved_left(left.at) && right.at.x > left.at.x + 40,
        'the ship moves left and right with the arrows',
        `x ${from?.x} -> ${left.at?.x} -> ${right.at?.x} (over ${left.frames} and ${right.frames} frames)`);

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
  const at = q => intervals[Math.min(intervals.length - 1, Math.floor(intervals.length * q))].toFixed(1);
  measure('frames per second in play', ((frames_after[0] - frames_before[0]) / seconds).toFixed(1));
  measure('frame interval in play (p50, p95, p99, most)', `${at(0.5)} ms, ${at(0.95)} ms, ${at(0.99)} ms, ${intervals.at(-1).toFixed(1)} ms`);
  if (cpu_before !== null && cpu_after !== null)
    measure("the browser's renderer CPU in play", `${((cpu_after - cpu_before) / ((Date.now() - wall_before) / 1000) * 100).toFixed(0)}% of a core`);
  const sound = await page.evaluate('[graze.audio, graze.audioState, graze.note || ""]');
  if (sound[1] === 'running')
    check(sound[0] === 'worklet' || sound[0] === 'script processor', 'the sound plays through Web Audio', sound.join(', '));
  else
    check(/silent/.test(sound[2]), 'with no sound device the page says the game plays silent', sound.join(', '));
  const score = read_score(await frame_of());
  check(score > 0, 'the score rises while firing', `score ${score}`);

  // The sound's key: M mutes and unmutes, the game going on.
  await page.press('m');
  const muted = await page.evaluate('graze.muted');
  await page.press('m');
  check(muted === true && (await page.evaluate('graze.muted')) === false, 'M mutes the sound and brings it back');

  // --- A hidden page pauses the game; held keys are let go. ---
  const ticks = () => page.evaluate('[Module._web_game_ticks(), performance.now(), graze.frames, graze.underruns]');
  const before_hiding = await ticks();
  await set_hidden(true);
  const held_after_hiding = await page.evaluate('graze.heldKeys()');
  const audio_hidden = await page.evaluate('graze.audioContextState()');
  await sleep(3000);
  const while_hidden = await ticks();
  await set_hidden(false);
  await page.key('g', 'keyUp');
  await sleep(1500);
  const after_showing = await ticks();
  const game_ms = after_showing[0] - before_hiding[0], wall_ms = after_showing[1] - before_hiding[1];
  const underruns = after_showing[3] - while_hidden[3];
  measure('a hidden page', `${while_hidden[2] - before_hiding[2]} frames in 3 s hidden; the game's clock moved ` +
          `${game_ms} ms in ${wall_ms.toFixed(0)} ms; ${underruns} audio underruns in the 1.5 s after`);
  check(held_after_hiding.length === 0 && while_hidden[2] - before_hiding[2] <= 2 &&
        while_hidden[0] - before_hiding[0] < 500 && Math.abs(game_ms - (wall_ms - 3000)) < 800 &&
        after_showing[2] > while_hidden[2] + 30,
        'a hidden page pauses the game (its clock and frames stop, held keys let go) and it resumes where it was',
        `held ${JSON.stringify(held_after_hiding)}, frames ${before_hiding[2]} ${while_hidden[2]} ${after_showing[2]}, ` +
        `clock ${before_hiding[0]} ${while_hidden[0]} ${after_showing[0]}`);
  if (sound[1] === 'running')
    check(audio_hidden === 'suspended' && (await page.evaluate('graze.audioContextState()')) === 'running' && underruns <= 3,
          'the sound stops while hidden and plays on after, unchopped', `${audio_hidden}, ${underruns} underruns`);

  // --- The synthetic gamepad: d-pad and stick steer, Back leaves the level. ---
  const pad_start = await ship_now();
  const pad_left = await steer(() => pad_button(14, true), () => pad_button(14, false),
                               at => pad_start && at.x < pad_start.x - 40);
  const stick_right = await steer(() => pad_axis(0, 0.9), () => pad_axis(0, 0),
                                  at => pad_left.at && at.x > pad_left.at.x + 40);
  check(pad_start && pad_left.at && stick_right.at && pad_left.at.x < pad_start.x - 40 && stick_right.at.x > pad_left.at.x + 40,
        "the gamepad's d-pad and left stick steer the ship",
        `x ${pad_start?.x} -> ${pad_left.at?.x} -> ${stick_right.at?.x}`);
  // --- Fullscreen at 1920x1080: the largest whole step, 2x. ---
  await page.viewport(1920, 1080);
  const full_box = await box('#full');
  await page.click((full_box[0] + full_box[2]) / 2, (full_box[1] + full_box[3]) / 2);
  const full = await wait_for('graze.fullscreen && graze.scale === 2', 5000, 'fullscreen').catch(() => false);
  await sleep(300);
  const canvas_full = await box('#screen');
  const fills = full && canvas_full && canvas_full[2] - canvas_full[0] === 1280 && canvas_full[3] - canvas_full[1] === 960;
  // Headless Firefox has no fullscreen of its own to give a page.
  if (chromium)
    check(fills, 'the fullscreen button fills a 1920x1080 screen at twice the size', JSON.stringify(canvas_full));
  else
    console.log(`note: ${engine}: fullscreen ${fills ? 'fills 1920x1080 at twice the size' : 'is not given to a headless page'}`);
  await shot('fullscreen-1920x1080');
  await page.evaluate('document.exitFullscreen && document.fullscreenElement && document.exitFullscreen()');
  await page.viewport(1280, 800);

  // --- Back on the gamepad leaves the level; Escape on the title says goodbye. ---
  await pad_button(8, true);
  await sleep(150);
  await pad_button(8, false);
  await sleep(5000);
  for (let i = 0; i < 8 && (await page.evaluate('graze.state')) === 'playing'; i++) {
    await page.press('Escape');
    await sleep(1500);
  }
  await wait_for("graze.state !== 'playing'", 10000, 'the goodbye').catch(() => {});
  const goodbye = await frame_of();
  const canvas_box = await box('#screen'), farewell_box = await box('#farewell');
  check((await page.evaluate('graze.state')) === 'goodbye' && picture_hash(goodbye) === expected.goodbye,
        'Escape on the title ends on the game\'s goodbye picture', await page.evaluate('graze.state + ": " + graze.message'));
  check(farewell_box && !overlap(canvas_box, farewell_box) && (await page.evaluate("document.getElementById('overlay').hidden")),
        'one goodbye: the page\'s farewell and Play again sit beside the game\'s picture, not over it',
        `${JSON.stringify(canvas_box)} ${JSON.stringify(farewell_box)}`);
  await shot('goodbye');
  await page.remove_init_script(pad_script);

  const errors = [...page.console.filter(m => m.type === 'error').map(m => m.text),
                  ...page.log.filter(m => m.level === 'error').map(m => `${m.text} ${m.url || ''}`),
                  ...page.exceptions];
  check(errors.length === 0, 'no console errors', errors.join(' | '));
  const warnings = [...page.console.filter(m => m.type === 'warning').map(m => m.text),
                    ...page.log.filter(m => m.level === 'warning').map(m => m.text)];
  if (warnings.length) console.log(`note: console warnings: ${[...new Set(warnings)].join(' | ')}`);

  if (chromium) {
    await touch_visit();
    for (const rate of (process.env.GRAZE_WEB_RATES || '10').split(',').filter(Boolean))
      await timed_visit(Number(rate));
  }
}

// The touch pad on an emulated phone: tap to start, Enter through the intro,
// title and menu, steer and fire with two fingers, leave with Esc.
async function touch_visit() {
  await page.viewport(412, 915, { mobile: true, scale: 2 });
  await page.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  await page.navigate(address);
  await wait_for("window.graze && graze.state === 'ready'", 60000, 'the page on a phone');
  const pad_shown = await page.evaluate("document.body.classList.contains('touch') && !!document.querySelector('#dpad').getClientRects().length");
  check(pad_shown && /Tap/.test(await page.evaluate('graze.message')), 'a phone gets the touch pad and is asked for a tap');
  const centre = b => ({ x: (b[0] + b[2]) / 2, y: (b[1] + b[3]) / 2 });
  async function tap(selector, id = 1) {
    const at = centre(await box(selector));
    await page.touch('touchStart', [{ ...at, id }]);
    await sleep(80);
    await page.touch('touchEnd', []);
  }
  await tap('#screen');
  await wait_for('graze.frames > 0', 30000, 'the first picture after a tap').catch(() => {});
  check((await page.evaluate('graze.state')) === 'playing', 'a tap starts the game');
  // Three intro pictures, the title, the menu (Practice): Enter a second.
  for (let i = 0; i < 6; i++) {
    await sleep(1000);
    await tap('#pad-right button[data-sym="13"]');
  }
  await sleep(4500);
  for (const [shape, width, height] of [['portrait', 412, 915], ['landscape', 915, 412]]) {
    await page.viewport(width, height, { mobile: true, scale: 2 });
    await sleep(400);
    const canvas = await box('#screen'), dpad = await box('#dpad'), buttons = await box('#pad-right');
    const inside = canvas && canvas[0] >= 0 && canvas[1] >= 0 && canvas[2] <= width && canvas[3] <= height;
    const button_size = await page.evaluate("document.querySelector('#pad-right button').getBoundingClientRect().width");
    check(inside && !overlap(canvas, dpad) && !overlap(canvas, buttons) && button_size >= 44,
          `in ${shape} the picture fits the phone beside the pad, buttons sized for thumbs`,
          `canvas ${JSON.stringify(canvas.map(Math.round))}, scale ${(await page.evaluate('graze.scale')).toFixed(2)}, ` +
          `d-pad ${JSON.stringify(dpad.map(Math.round))}, buttons ${JSON.stringify(buttons.map(Math.round))}`);
    await shot(`touch-${shape}`);
  }
  // Two fingers: FIRE held, and the d-pad's left arrow.
  const start = await ship_now();
  const score_before = read_score(await frame_of());
  const fire = centre(await box('#pad-right button[data-sym="103"]'));
  const left = centre(await box('#dpad .left'));
  const moved = await steer(
    () => page.touch('touchStart', [{ ...fire, id: 1 }, { ...left, id: 2 }]),
    async () => {},
    at => start && at.x < start.x - 40);
  await sleep(1500);
  const score_after = read_score(await frame_of());
  const held = await page.evaluate('graze.heldKeys()');
  await page.touch('touchEnd', []);
  check(start && moved.at && moved.at.x < start.x - 40 && score_after > score_before && held.includes(103) && held.includes(276),
        'two fingers on the pad steer and fire at once',
        `x ${start?.x} -> ${moved.at?.x}, score ${score_before} -> ${score_after}, held ${JSON.stringify(held)}`);
  const before_leaving = await page.evaluate('graze.frames');
  await tap('#pad-right button[data-sym="27"]');
  await sleep(3000);
  const after_leaving = find_ship(await frame_of());
  check(after_leaving === null && (await page.evaluate('graze.frames')) > before_leaving,
        'Esc on the pad leaves the level');
  await page.send('Emulation.setTouchEmulationEnabled', { enabled: false });
  await page.send('Emulation.clearDeviceMetricsOverride');
}

// The visit as a player on a slower line: from opening the page to the first
// picture, at this many Mbit/s (DevTools network emulation).
async function timed_visit(mbit) {
  await page.send('Network.enable');
  await page.send('Network.setCacheDisabled', { cacheDisabled: true });
  await page.send('Network.emulateNetworkConditions', { offline: false, latency: 40,
    downloadThroughput: mbit * 1e6 / 8, uploadThroughput: 1e6 / 8 });
  sent_bytes = 0;
  await page.navigate(address);
  await wait_for("window.graze && graze.state === 'ready'", 600000, `the page at ${mbit} Mbit/s`);
  await page.press('Space');
  await wait_for('graze.frames > 0', 60000, 'the first picture');
  const t = await page.evaluate('[graze.loadedAt - graze.openedAt, graze.readyAt - graze.openedAt, graze.firstFrameAt - graze.startedAt]');
  check(true, `the page played at ${mbit} Mbit/s`);
  measure(`at ${mbit} Mbit/s${plain ? ' (served uncompressed)' : ''}: downloaded ${(sent_bytes / 1e6).toFixed(1)} MB; ` +
          'page open to downloaded, to ready; key to first picture; time to playable',
          `${(t[0] / 1000).toFixed(1)} s, ${(t[1] / 1000).toFixed(1)} s; ${(t[2] / 1000).toFixed(1)} s; ${((t[1] + t[2]) / 1000).toFixed(1)} s`);
  await page.send('Network.emulateNetworkConditions', { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
}

// User and system CPU seconds of the browser's page processes: Chromium's
// renderers, Firefox's web content processes.
function renderer_cpu(browser_pid) {
  try {
    let total = 0;
    for (const pid of readdirSync('/proc').filter(p => /^\d+$/.test(p))) {
      let command;
      try { command = readFileSync(`/proc/${pid}/cmdline`, 'utf8'); } catch { continue; }
      const page_process = command.includes('--type=renderer') ||
        (command.includes('-contentproc') && command.includes('-isForBrowser'));
      if (!page_process || !is_descendant(pid, browser_pid)) continue;
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
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
