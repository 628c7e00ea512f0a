// Chromium (DevTools protocol) or Firefox (WebDriver BiDi) through
// puppeteer-core, with Debian's own browsers: one page, its console
// messages and uncaught errors collected, and the few helpers the test uses.
import { need } from './packages.mjs';

const puppeteer = need('puppeteer-core');

export const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// Firefox: sound may start without a click, a synthetic gamepad is readable,
// fullscreen may be asked for by the test's clicks.
const firefox_preferences = {
  'media.autoplay.default': 0,
  'media.autoplay.block-webaudio': false,
  'dom.gamepad.enabled': true,
  'full-screen-api.allow-trusted-requests-only': false,
  'dom.disable_beforeunload': true,
};

// WebDriver's Enter key is the keypad's (NumpadEnter) in Firefox: the main
// one is Return (U+E006).
let enter = 'Enter';

export async function open_browser(engine, { headless = true, preferences = {} } = {}) {
  const chromium = engine === 'chromium';
  enter = chromium ? 'Enter' : '\uE006';
  const browser = await puppeteer.launch({
    browser: chromium ? 'chrome' : 'firefox',
    executablePath: chromium ? process.env.CHROMIUM || '/usr/bin/chromium'
                             : process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless,
    protocolTimeout: 120000,
    args: chromium ? ['--no-sandbox', '--disable-gpu', '--disable-quic', '--mute-audio',
                      '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
                      '--disable-backgrounding-occluded-windows', '--window-size=1280,800']
                   : ['--width=1280', '--height=800'],
    extraPrefsFirefox: { ...firefox_preferences, ...preferences },
    env: { ...process.env, MOZ_CRASHREPORTER_DISABLE: '1' },
  });
  const page = (await browser.pages())[0] || await browser.newPage();
  const seen = { console: [], exceptions: [] };
  page.on('console', message => seen.console.push({ type: message.type(), text: message.text() }));
  page.on('pageerror', error => seen.exceptions.push(error.message || String(error)));
  await page.setViewport({ width: 1280, height: 800 });
  return { browser, page, seen, version: await browser.version(), pid: browser.process()?.pid };
}

// Waits until the page's expression is true, polling; resolves to its value.
export async function wait_for(page, expression, ms, what) {
  try {
    const handle = await page.waitForFunction(expression, { timeout: ms, polling: 100 });
    return await handle.jsonValue();
  } catch (error) {
    throw new Error(`timed out waiting for ${what} (${error.message.split('\n')[0]})`);
  }
}

// An element's box as [left, top, right, bottom], or null when not shown.
export const box = (page, selector) => page.evaluate(s => {
  const e = document.querySelector(s);
  if (!e || !e.getClientRects().length) return null;
  const r = e.getBoundingClientRect();
  return [r.left, r.top, r.right, r.bottom];
}, selector);

export const overlap = (a, b) => a && b && a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
export const centre = b => ({ x: (b[0] + b[2]) / 2, y: (b[1] + b[3]) / 2 });

export async function press(page, key, hold_ms = 60) {
  if (key === 'Enter') key = enter;
  await page.keyboard.down(key);
  await sleep(hold_ms);
  await page.keyboard.up(key);
}

// The page's canvas as RGBA.
export async function frame_of(page) {
  return new Uint8Array(Buffer.from(await page.evaluate('graze.capture()'), 'base64'));
}

// A gamepad the page reads through navigator.getGamepads, with the standard mapping.
export const fake_gamepad = `
  window.__pad = { id: 'synthetic pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
    axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
  navigator.getGamepads = () => [window.__pad, null, null, null];`;
export const pad_button = (page, i, down) => page.evaluate((i, down) => {
  const b = window.__pad.buttons[i];
  b.pressed = b.touched = down;
  b.value = down ? 1 : 0;
}, i, down);
export const pad_axis = (page, i, value) => page.evaluate((i, value) => { window.__pad.axes[i] = value; }, i, value);

// Hides or shows the page as a switch of tabs does.
export const set_hidden = (page, hidden) => page.evaluate(hidden => {
  Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => hidden ? 'hidden' : 'visible' });
  Object.defineProperty(document, 'hidden', { configurable: true, get: () => hidden });
  document.dispatchEvent(new Event('visibilitychange'));
}, hidden);
