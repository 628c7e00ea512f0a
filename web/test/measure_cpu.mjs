// Level 1 played for a while in one browser, headless or in a window (under
// the X server named by DISPLAY): the CPU of each of the browser's processes
// by kind (page, GPU, audio, browser), frames per second and the frame
// intervals (p50, p99), printed as one line. The site is served by the test's
// server, as scripts/web/serve_web.sh serves it.
// Usage: node web/test/measure_cpu.mjs chromium|firefox headless|headed SITE_DIR SECONDS
import { open_browser, sleep, wait_for, press } from './browser.mjs';
import { serve } from './server.mjs';
import { page_cpu } from './cpu.mjs';

const [engine, mode, site, seconds_text] = process.argv.slice(2);
const seconds = Number(seconds_text || 60);
const server = await serve(site);
const { browser, page, pid } = await open_browser(engine, { headless: mode !== 'headed' });
try {
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(server.address);
  await wait_for(page, "window.graze && graze.state === 'ready'", 120000, 'the page');
  await page.keyboard.press('x');
  await wait_for(page, 'graze.frames > 0', 60000, 'the first picture');
  // Three intro pictures, the title, the menu (Practice): Enter a second.
  for (let i = 0; i < 6; i++) {
    await sleep(1000);
    await press(page, 'Enter');
  }
  await sleep(4500);
  await page.keyboard.down('g');
  await sleep(500);
  const before = page_cpu(pid);
  const frames_before = await page.evaluate('[graze.frames, performance.now()]');
  await sleep(seconds * 1000);
  const frames_after = await page.evaluate('[graze.frames, performance.now()]');
  const span = (frames_after[1] - frames_before[1]) / 1000;
  const cpu = page_cpu(pid, before, span);
  const intervals = await page.evaluate(`(() => {
    const t = graze.frameTimes, n = Math.min(graze.frames - 1, t.length - 1, ${Math.floor(seconds * 80)}), out = [];
    for (let i = graze.frames - n; i < graze.frames; i++) out.push(t[i % t.length] - t[(i - 1) % t.length]);
    return out.sort((a, b) => a - b);
  })()`);
  const at = q => intervals[Math.min(intervals.length - 1, Math.floor(intervals.length * q))].toFixed(1);
  const fps = (frames_after[0] - frames_before[0]) / span;
  console.log(`${engine} ${mode}: ${fps.toFixed(1)} fps, p50 ${at(0.5)} ms, p99 ${at(0.99)} ms; CPU % of a core: ${cpu}`);
  await page.keyboard.up('g');
} finally {
  await browser.close().catch(() => {});
  server.close();
}
