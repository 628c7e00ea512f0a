// The browser build played in a headless browser, Chromium (DevTools
// protocol) or Firefox (WebDriver BiDi), driven through puppeteer-core:
//   - failures.mjs: a file missing, short, damaged, stalled; no Web Audio,
//     no WebAssembly, no JavaScript; opened as a file; a second visit from
//     the cache (304s); and serve_web.sh's own conditional answers;
//   - play.mjs: the intro, title and menu pixel-identical to the native
//     game's frames; Level 1 with the keyboard and a synthetic gamepad; the
//     sound and its key; a hidden page pausing the game;
//   - layout.mjs: the picture's size in windows of several sizes and whole
//     steps only; Tab to the page's buttons; fullscreen and its Escape; the
//     goodbye; touch.mjs (Chromium): a phone in portrait and landscape;
//   - Chromium: the time to playable at 10 Mbit/s (network emulation).
// Frame intervals, start-up times, picture sizes and CPU are printed (MEASURE
// lines), never asserted. Screenshots go to SHOTS_DIR when given.
// GRAZE_WEB_FAILURES_ONLY=1 runs the failure pages alone; GRAZE_WEB_TIMED_ONLY=1
// the timed visits alone (GRAZE_WEB_RATES, Mbit/s, default 10).
// Usage: node web/test/test_web.mjs chromium|firefox SITE_DIR NATIVE_FRAMES_DIR ASSETS_DIR [SHOTS_DIR]
// Exit status: 0 all passed, 1 a check failed, 3 the browser could not start.
import { mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { open_browser, sleep, wait_for } from './browser.mjs';
import { serve } from './server.mjs';
import { game_pictures } from './pictures.mjs';
import { failures } from './failures.mjs';
import { native_pictures, open_level, play_level, hide_page } from './play.mjs';
import { gamepad_fires, gamepad_steers } from './gamepad.mjs';
import { window_sizes, keyboard_reach, fullscreen, goodbye } from './layout.mjs';
import { touch_visit } from './touch.mjs';
import { check_serve_web } from './serve_web_check.mjs';
import { page_cpu } from './cpu.mjs';

const [engine, site, native_frames, assets, shots] = process.argv.slice(2);
let passed = 0, failed = 0;
const t = {
  engine, site, chromium: engine === 'chromium',
  check(ok, what, detail = '') {
    if (ok) passed += 1;
    else failed += 1;
    console.log(`${ok ? 'PASS' : 'FAIL'} ${engine}: ${what}${detail ? ': ' + detail : ''}`);
  },
  measure: (what, value) => console.log(`MEASURE ${engine}: ${what}: ${value}`),
  async shot(name, page = t.page) {
    if (!shots) return;
    mkdirSync(shots, { recursive: true });
    await page.screenshot({ path: join(shots, `${engine}-${name}.png`) });
  },
};
t.server = await serve(site, { plain: process.env.GRAZE_WEB_PLAIN === '1' });
try {
  Object.assign(t, await open_browser(engine));
} catch (error) {
  console.log(`${engine} cannot start: ${error.message}`);
  t.server.close();
  process.exit(3);
}
console.log(`browser: ${t.version}, site: ${t.server.address}`);

try {
  const rates = (process.env.GRAZE_WEB_RATES || '10').split(',').filter(Boolean).map(Number);
  if (process.env.GRAZE_WEB_TIMED_ONLY === '1') {
    for (const rate of rates) await timed_visit(rate);
  } else if (process.env.GRAZE_WEB_FAILURES_ONLY === '1') {
    await failures(t);
  } else {
    if (t.chromium) await check_serve_web(resolve(site, '../..'), t.check);
    await failures(t);
    t.pictures = game_pictures(assets);
    const expected = native_pictures(native_frames);
    await open_level(t, expected);
    await gamepad_fires(t);
    const sound_runs = await play_level(t);
    await frames_and_cpu();
    await hide_page(t, sound_runs);
    await gamepad_steers(t);
    await window_sizes(t);
    await keyboard_reach(t);
    await fullscreen(t);
    await goodbye(t, expected);
    await t.page.removeScriptToEvaluateOnNewDocument(t.pad_script.identifier);
    const errors = [...t.seen.console.filter(m => m.type === 'error').map(m => m.text), ...t.seen.exceptions];
    t.check(errors.length === 0, 'no console errors', errors.join(' | '));
    if (t.chromium) {
      await touch_visit(t);
      for (const rate of rates) await timed_visit(rate);
    }
  }
} catch (error) {
  t.check(false, 'the browser test ran to its end', error.stack);
} finally {
  await t.browser.close().catch(() => {});
  t.server.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

// Frames and the page's CPU while playing (G held: firing all along).
async function frames_and_cpu() {
  const { page } = t;
  const cpu_before = page_cpu(t.pid);
  const before = await page.evaluate('[graze.frames, performance.now()]');
  await sleep(6000);
  const after = await page.evaluate('[graze.frames, performance.now()]');
  const cpu = page_cpu(t.pid, cpu_before, (after[1] - before[1]) / 1000);
  const intervals = await page.evaluate(`(() => {
    const t = graze.frameTimes, n = Math.min(graze.frames, t.length, 400), out = [];
    for (let i = graze.frames - n + 1; i < graze.frames; i++) out.push(t[i % t.length] - t[(i - 1) % t.length]);
    return out.sort((a, b) => a - b);
  })()`);
  const at = q => intervals[Math.min(intervals.length - 1, Math.floor(intervals.length * q))].toFixed(1);
  t.measure('frames per second in play', ((after[0] - before[0]) / ((after[1] - before[1]) / 1000)).toFixed(1));
  t.measure('frame interval in play (p50, p95, p99, most)', `${at(0.5)} ms, ${at(0.95)} ms, ${at(0.99)} ms, ${intervals.at(-1).toFixed(1)} ms`);
  t.measure("the browser's CPU in play, by process (% of a core)", cpu);
}

// The visit as a player on a slower line: from opening the page to the first
// picture, at this many Mbit/s (Chromium's network emulation).
async function timed_visit(mbit) {
  const { page, server } = t;
  await page.setCacheEnabled(false);
  await page.emulateNetworkConditions({ download: mbit * 1e6 / 8, upload: 1e6 / 8, latency: 40 });
  server.log.length = 0;
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'ready'", 600000, `the page at ${mbit} Mbit/s`);
  await page.keyboard.press('x');
  await wait_for(page, 'graze.frames > 0', 60000, 'the first picture');
  const times = await page.evaluate('[graze.loadedAt - graze.openedAt, graze.readyAt - graze.openedAt, graze.firstFrameAt - graze.startedAt]');
  t.measure(`at ${mbit} Mbit/s${server.plain ? ' (served uncompressed)' : ''}: downloaded ${(server.sent() / 1e6).toFixed(1)} MB; ` +
            'page open to downloaded, to ready; key to first picture; time to playable',
            `${(times[0] / 1000).toFixed(1)} s, ${(times[1] / 1000).toFixed(1)} s; ${(times[2] / 1000).toFixed(1)} s; ` +
            `${((times[1] + times[2]) / 1000).toFixed(1)} s`);
  if (process.env.GRAZE_WEB_DEBUG) console.log(JSON.stringify(server.log));
  await page.emulateNetworkConditions(null);
  await page.setCacheEnabled(true);
}
