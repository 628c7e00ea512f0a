// The floor under the page's CPU: web/test/floor/, a page that only shows a
// changing 640x480 picture 76 times a second (nothing of the game), in one
// browser, headless or in a window, measured as web/test/measure_cpu.mjs
// measures the game's page. OPTIONS: "fill" (scaled as the game's page
// scales), "one" (1x), "sound" (filled, with silence through an audio
// worklet). Prints one line.
// Usage: node web/test/measure_floor.mjs chromium|firefox headless|headed fill|one|sound SECONDS
import { fileURLToPath } from 'node:url';
import { open_browser, sleep, wait_for } from './browser.mjs';
import { serve } from './server.mjs';
import { page_cpu } from './cpu.mjs';

const [engine, mode, options, seconds_text] = process.argv.slice(2);
const seconds = Number(seconds_text || 60);
const server = await serve(fileURLToPath(new URL('./floor', import.meta.url)));
const { browser, page, pid } = await open_browser(engine, { headless: mode !== 'headed' });
try {
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(`${server.address}?${options}`);
  await wait_for(page, "window.graze && graze.state === 'ready'", 60000, 'the page');
  await page.keyboard.press('x');
  await sleep(3000);
  const before = page_cpu(pid);
  const [frames_before, from] = await page.evaluate('[graze.frames, performance.now()]');
  await sleep(seconds * 1000);
  const [frames_after, to] = await page.evaluate('[graze.frames, performance.now()]');
  const span = (to - from) / 1000;
  const fps = (frames_after - frames_before) / span;
  const picture = (await page.evaluate('graze.picture')).join(' x ');
  console.log(`${engine} ${mode}, the floor (${options}, ${picture}): ${fps.toFixed(1)} fps; ` +
              `CPU % of a core: ${page_cpu(pid, before, span)}`);
} finally {
  await browser.close().catch(() => {});
  server.close();
}
