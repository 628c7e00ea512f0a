// A small DevTools-protocol client for headless Chromium over
// --remote-debugging-pipe: no browser download, no npm packages.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const chromium_flags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
  '--disable-backgrounding-occluded-windows', '--mute-audio', '--window-size=1280,800',
];

// Starts the browser with a new empty profile; resolves to a session on one
// page, with its console messages and exceptions collected.
export async function open_browser(binary = process.env.CHROMIUM || '/usr/bin/chromium') {
  const profile = mkdtempSync(join(tmpdir(), 'graze-chromium-'));
  const child = spawn(binary, [...chromium_flags, '--remote-debugging-pipe',
                               `--user-data-dir=${profile}`, 'about:blank'],
                      { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', d => { stderr += d; });
  const out = child.stdio[3], input = child.stdio[4];
  let next_id = 1, buffer = '';
  const waiting = new Map(), listeners = [];
  const exited = new Promise(resolve => child.on('exit', code => resolve(code)));
  input.on('data', data => {
    buffer += data;
    let end;
    while ((end = buffer.indexOf('\0')) >= 0) {
      const message = JSON.parse(buffer.slice(0, end));
      buffer = buffer.slice(end + 1);
      if (message.id && waiting.has(message.id)) {
        const { resolve, reject } = waiting.get(message.id);
        waiting.delete(message.id);
        if (message.error) reject(new Error(`${message.error.message}`));
        else resolve(message.result);
      } else if (message.method) {
        for (const listen of listeners) listen(message);
      }
    }
  });
  out.on('error', () => {});
  function send(method, params = {}, sessionId) {
    const id = next_id++;
    out.write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    return new Promise((resolve, reject) => {
      waiting.set(id, { resolve, reject });
      exited.then(code => reject(new Error(`chromium exited (${code}): ${stderr.slice(-2000)}`)));
    });
  }
  const started = await Promise.race([
    send('Browser.getVersion'),
    new Promise((_, reject) => setTimeout(() => reject(new Error(`chromium did not answer: ${stderr.slice(-2000)}`)), 30000)),
  ]);
  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  const page = {
    engine: 'chromium',
    version: started.product,
    console: [], exceptions: [], log: [],
    send: (method, params) => send(method, params, sessionId),
    async evaluate(expression) {
      const r = await page.send('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true });
      if (r.exceptionDetails) throw new Error(`page: ${r.exceptionDetails.exception?.description || r.exceptionDetails.text}`);
      return r.result.value;
    },
    async key(name, type) {
      const k = key_codes[name];
      await page.send('Input.dispatchKeyEvent', { type, key: k.key, code: k.code,
        windowsVirtualKeyCode: k.vk, nativeVirtualKeyCode: k.vk });
    },
    async press(name, hold_ms = 60) {
      await page.key(name, 'keyDown');
      await sleep(hold_ms);
      await page.key(name, 'keyUp');
    },
    async navigate(url) {
      await page.send('Page.navigate', { url });
    },
    async add_init_script(source) {
      return (await page.send('Page.addScriptToEvaluateOnNewDocument', { source })).identifier;
    },
    async remove_init_script(identifier) {
      await page.send('Page.removeScriptToEvaluateOnNewDocument', { identifier });
    },
    async click(x, y) {
      for (const type of ['mousePressed', 'mouseReleased'])
        await page.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    },
    async viewport(width, height, options = {}) {
      await page.send('Emulation.setDeviceMetricsOverride', {
        width, height, deviceScaleFactor: options.scale || 1, mobile: !!options.mobile,
        screenWidth: width, screenHeight: height });
    },
    // Fingers on the screen: each touch point as { x, y, id }; none lifts them all.
    async touch(type, points) {
      await page.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(p => ({
        x: p.x, y: p.y, id: p.id, radiusX: 4, radiusY: 4, force: 1 })) });
    },
    async screenshot() {
      const { data } = await page.send('Page.captureScreenshot', { format: 'png' });
      return Buffer.from(data, 'base64');
    },
    async close() {
      try { await send('Browser.close'); } catch { /* gone already */ }
      const timer = setTimeout(() => child.kill('SIGKILL'), 5000);
      await exited;
      clearTimeout(timer);
      rmSync(profile, { recursive: true, force: true });
    },
    browser_pid: child.pid,
  };
  listeners.push(message => {
    if (message.sessionId !== sessionId) return;
    const p = message.params;
    if (message.method === 'Runtime.consoleAPICalled')
      page.console.push({ type: p.type, text: p.args.map(a => a.value ?? a.description).join(' ') });
    else if (message.method === 'Runtime.exceptionThrown')
      page.exceptions.push(p.exceptionDetails.exception?.description || p.exceptionDetails.text);
    else if (message.method === 'Log.entryAdded')
      page.log.push({ level: p.entry.level, text: p.entry.text, url: p.entry.url });
  });
  await page.send('Runtime.enable');
  await page.send('Log.enable');
  await page.send('Page.enable');
  return page;
}

export const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

const key_codes = {
  Enter: { key: 'Enter', code: 'Enter', vk: 13 },
  Escape: { key: 'Escape', code: 'Escape', vk: 27 },
  Space: { key: ' ', code: 'Space', vk: 32 },
  m: { key: 'm', code: 'KeyM', vk: 77 },
  ArrowUp: { key: 'ArrowUp', code: 'ArrowUp', vk: 38 },
  ArrowDown: { key: 'ArrowDown', code: 'ArrowDown', vk: 40 },
  ArrowLeft: { key: 'ArrowLeft', code: 'ArrowLeft', vk: 37 },
  ArrowRight: { key: 'ArrowRight', code: 'ArrowRight', vk: 39 },
  g: { key: 'g', code: 'KeyG', vk: 71 },
  f: { key: 'f', code: 'KeyF', vk: 70 },
  d: { key: 'd', code: 'KeyD', vk: 68 },
};
