// The page when something is wrong: a file missing on the server, short,
// damaged or stalled; no Web Audio, no WebAssembly, no JavaScript; opened as
// a file; and a second visit, which the cache serves (304s).
import { pathToFileURL } from 'node:url';
import { resolve } from 'node:path';
import { open_browser, sleep, wait_for } from './browser.mjs';

const settled = "window.graze && (graze.state === 'ready' || graze.state === 'failed')";

export async function failures(t) {
  const { page } = t;
  const state = () => page.evaluate("[graze.state, graze.message, graze.fetches['graze.data'] || 0]");
  const retry = () => page.evaluate("document.getElementById('retry').click()");
  const retry_shown = () => page.evaluate("!document.getElementById('retry').hidden");
  await missing(t, state, retry, retry_shown);
  await short_and_damaged(t, state, retry);
  await stalled(t, state, retry_shown);
  await missing_features(t);
  await second_visit(t);
  await no_javascript(t);
  await opened_as_file(t);
  const uncaught = t.seen.exceptions.filter(e => !/aborted|AbortError/i.test(e));
  t.check(uncaught.length === 0, 'no uncaught error in any failure', uncaught.join(' | '));
}

// Missing (404): named as missing, asked for once, the connection not blamed.
async function missing(t, state, retry, retry_shown) {
  const { page, server, check } = t;
  server.faults.set('graze.data', { kind: 'missing', times: 2 });
  await page.goto(server.address);
  await wait_for(page, settled, 60000, 'the page with graze.data missing');
  let [s, said, fetches] = await state();
  check(s === 'failed' && /graze\.data is missing on the server \(404/.test(said) && !/connection/.test(said) &&
        fetches === 1 && await retry_shown(),
        'a file the server lacks (404) is named as missing, once, with a Retry', `${fetches} fetches: ${JSON.stringify(said)}`);
  await t.shot('missing-file');
  await retry();
  await wait_for(page, settled, 60000, 'the page after the Retry');
  [s, said, fetches] = await state();
  check(s === 'failed' && fetches === 2, 'a Retry of a file still missing asks for it once more', `${s}, ${fetches} fetches`);
  await retry();
  await wait_for(page, settled, 60000, 'the page after the second Retry');
  check((await state())[0] === 'ready', 'a Retry downloads the file once it is there and the page gets ready');
}

async function short_and_damaged(t, state, retry) {
  const { page, server, check } = t;
  // Short once: fetched again without a word.
  server.faults.set('graze.data', { kind: 'short', times: 1 });
  await page.goto(server.address);
  await wait_for(page, settled, 60000, 'the page with a short graze.data');
  let [s, said, fetches] = await state();
  check(s === 'ready' && fetches === 2, 'a short graze.data is fetched again once and the game gets ready', `${s}, ${fetches} fetches`);

  // Damaged three times: two fetches, named; a Retry fetches once (still
  // damaged); the next Retry gets it whole.
  server.faults.set('graze.data', { kind: 'damaged', times: 3 });
  await page.goto(server.address);
  await wait_for(page, settled, 60000, 'the damaged download');
  [s, said, fetches] = await state();
  check(s === 'failed' && /graze\.data arrived damaged/.test(said) && fetches === 2,
        'a graze.data damaged twice is named with a Retry', `${fetches} fetches: ${JSON.stringify(said)}`);
  await t.shot('damaged-download');
  await retry();
  await wait_for(page, settled, 60000, 'the Retry of the damaged file');
  [s, said, fetches] = await state();
  check(s === 'failed' && fetches === 3, 'a Retry of a file that stays broken fetches it once, not twice', `${s}, ${fetches} fetches`);
  await retry();
  await wait_for(page, settled, 60000, 'the second Retry of the damaged file');
  check((await state())[0] === 'ready', 'the next Retry fetches the damaged file whole and the page gets ready');
}

// Opened as a file: told to serve it over HTTP, and how.
async function opened_as_file(t) {
  const { page, check } = t;
  await page.goto(pathToFileURL(resolve(t.site, 'index.html')).href);
  await sleep(1500);
  const said = await page.evaluate("document.getElementById('message').textContent");
  check(/opened as a file/.test(said) && /over HTTP/.test(said) && /serve_web\.sh/.test(said),
        'opened from file:// the page says to serve it over HTTP, and how', JSON.stringify(said));
  await t.shot('file-url');
}

// Stalled twice (the first bytes, then nothing): the counter says so, and
// after the stall time each, the same named error as a cut connection.
async function stalled(t, state, retry_shown) {
  const { page, server, check } = t;
  server.faults.set('graze.data', { kind: 'stalled', times: 2 });
  const began = Date.now();
  await page.goto(server.address);
  let counter = '';
  for (let i = 0; i < 120 && (await page.evaluate("(window.graze && graze.state) || 'loading'")) === 'loading'; i++) {
    const text = await page.evaluate('(window.graze && graze.count) || ""');
    if (/nothing received/.test(text)) counter = text;
    await sleep(250);
  }
  await wait_for(page, settled, 60000, 'the stalled download');
  const [s, said, fetches] = await state();
  const seconds = (Date.now() - began) / 1000;
  check(s === 'failed' && /graze\.data could not be downloaded \(the connection broke off: nothing arrived for 10 s\)/.test(said) &&
        fetches === 2 && seconds >= 19 && await retry_shown(),
        'a download stalled twice ends in the broken connection\'s named error with a Retry',
        `after ${seconds.toFixed(1)} s, ${fetches} fetches: ${JSON.stringify(said)}`);
  check(/nothing received for [0-9]+ s/.test(counter), 'the counter redraws while nothing arrives', JSON.stringify(counter));
  await t.shot('stalled-download');
  await page.evaluate("document.getElementById('retry').click()");
  await wait_for(page, settled, 60000, 'the Retry of the stalled file');
  check((await state())[0] === 'ready', 'the Retry of a stalled download gets the page ready');
}

// A browser without Web Audio plays silent; one without WebAssembly is told so.
async function missing_features(t) {
  const { page, server, check } = t;
  const no_audio = await page.evaluateOnNewDocument('delete window.AudioContext; delete window.webkitAudioContext;');
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'ready'", 60000, 'the page without Web Audio');
  await page.keyboard.press('x');
  await wait_for(page, 'graze.frames > 0', 60000, 'the first picture without Web Audio');
  const note = await page.evaluate('graze.note');
  check(/silent/.test(note) && (await page.evaluate('graze.state')) === 'playing',
        'without Web Audio the game plays silent and the page says so', note);
  await page.removeScriptToEvaluateOnNewDocument(no_audio.identifier);
  const no_wasm = await page.evaluateOnNewDocument('delete window.WebAssembly;');
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'failed'", 20000, 'the page without WebAssembly');
  const said = await page.evaluate('graze.message');
  check(/cannot run WebAssembly/.test(said), 'without WebAssembly the page says the game cannot run', said);
  await t.shot('no-webassembly');
  await page.removeScriptToEvaluateOnNewDocument(no_wasm.identifier);
}

// A second visit: the browser asks, the server answers 304, no body again.
async function second_visit(t) {
  const { page, server, check } = t;
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'ready'", 60000, 'the first visit');
  server.log.length = 0;
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'ready'", 60000, 'the second visit');
  const game = server.log.filter(e => /^graze\./.test(e.name));
  const bodies = game.reduce((n, e) => n + e.bytes, 0);
  check(game.length === 3 && game.every(e => e.status === 304) && bodies === 0,
        'a second visit is served from the cache: 304 for each of the game\'s files, no body again',
        JSON.stringify(server.log.map(e => `${e.name} ${e.status} ${e.bytes}`)));
}

// JavaScript off: the noscript text shown (parsed as elements only when
// scripts are off), the "Loading" message hidden. Firefox ESR cannot turn
// scripts off for a page over BiDi: a second Firefox starts without them.
async function no_javascript(t) {
  const { server, check } = t;
  let browser = null, page = t.page;
  if (t.chromium) await page.setJavaScriptEnabled(false);
  else ({ browser, page } = await open_browser('firefox', { preferences: { 'javascript.enabled': false } }));
  let seen = null;
  try {
    await page.goto(server.address);
    await sleep(1000);
    seen = await page.evaluate(() => {
      const note = document.querySelector('.noscript');
      return { text: note && note.getClientRects().length ? note.textContent.replace(/\s+/g, ' ') : '',
               message: getComputedStyle(document.getElementById('message')).display };
    });
    await t.shot('no-javascript', page);
  } finally {
    if (browser) await browser.close();
    else await page.setJavaScriptEnabled(true);
  }
  check(seen && /allow JavaScript/.test(seen.text) && seen.message === 'none',
        'with JavaScript off the page says JavaScript is needed (noscript), no endless Loading', JSON.stringify(seen));
}
