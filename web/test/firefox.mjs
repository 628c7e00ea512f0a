// A small WebDriver BiDi client for headless Firefox (Debian's firefox-esr):
// the same page session as chromium.mjs gives (evaluate, keys, navigation,
// scripts run before the page's own, console messages and uncaught errors,
// screenshots), over the browser's own BiDi socket. Its only package is the
// WebSocket client `ws`, which scripts/web/test_web.sh installs into a cache
// (GRAZE_NODE_MODULES).
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { sleep } from './chromium.mjs';

// A quiet profile: nothing fetched from outside, sound allowed to start
// without a click, a synthetic gamepad readable.
const preferences = {
  'app.update.disabledForTesting': true,
  'browser.shell.checkDefaultBrowser': false,
  'browser.startup.page': 0,
  'browser.startup.homepage_override.mstone': 'ignore',
  'datareporting.policy.dataSubmissionEnabled': false,
  'toolkit.telemetry.reportingpolicy.firstRun': false,
  'network.captive-portal-service.enabled': false,
  'network.connectivity-service.enabled': false,
  'browser.safebrowsing.malware.enabled': false,
  'browser.safebrowsing.phishing.enabled': false,
  'extensions.update.enabled': false,
  'media.autoplay.default': 0,
  'media.autoplay.block-webaudio': false,
  'dom.gamepad.enabled': true,
  'full-screen-api.allow-trusted-requests-only': false,
  'dom.disable_beforeunload': true,
};

export async function open_firefox(binary = process.env.FIREFOX || '/usr/bin/firefox-esr') {
  const modules = process.env.GRAZE_NODE_MODULES;
  if (!modules) throw new Error('GRAZE_NODE_MODULES does not name the test\'s node modules');
  const WebSocket = createRequire(join(modules, 'x.js'))('ws');
  const profile = mkdtempSync(join(tmpdir(), 'graze-firefox-'));
  writeFileSync(join(profile, 'user.js'),
    Object.entries(preferences).map(([k, v]) => `user_pref(${JSON.stringify(k)}, ${JSON.stringify(v)});\n`).join(''));
  const child = spawn(binary, ['--headless', '--no-remote', '--profile', profile,
                               '--remote-debugging-port=0', '--width=1280', '--height=800', 'about:blank'],
                      { stdio: ['ignore', 'pipe', 'pipe'], env: { ...process.env, MOZ_CRASHREPORTER_DISABLE: '1' } });
  let stderr = '';
  const exited = new Promise(resolve => child.on('exit', code => resolve(code)));
  const address = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`firefox did not open its BiDi socket: ${stderr.slice(-2000)}`)), 60000);
    child.stderr.on('data', data => {
      stderr += data;
      const m = /WebDriver BiDi listening on (ws:\/\/\S+)/.exec(stderr);
      if (m) {
        clearTimeout(timer);
        resolve(m[1]);
      }
    });
    child.stdout.on('data', () => {});
    exited.then(code => reject(new Error(`firefox exited (${code}): ${stderr.slice(-2000)}`)));
  });
  const socket = new WebSocket(address.replace(/\/?$/, '/session'));
  await new Promise((resolve, reject) => {
    socket.once('open', resolve);
    socket.once('error', reject);
  });
  let next_id = 1;
  const waiting = new Map(), listeners = [];
  socket.on('message', data => {
    const message = JSON.parse(data);
    if (message.id && waiting.has(message.id)) {
      const { resolve, reject } = waiting.get(message.id);
      waiting.delete(message.id);
      if (message.type === 'error') reject(new Error(`${message.error}: ${message.message}`));
      else resolve(message.result);
    } else if (message.method) {
      for (const listen of listeners) listen(message);
    }
  });
  socket.on('error', () => {});
  function send(method, params = {}) {
    const id = next_id++;
    socket.send(JSON.stringify({ id, method, params }));
    return new Promise((resolve, reject) => {
      waiting.set(id, { resolve, reject });
      exited.then(code => reject(new Error(`firefox exited (${code})`)));
    });
  }
  const session = await send('session.new', { capabilities: {} });
  const tree = await send('browsingContext.getTree', {});
  const context = tree.contexts[0].context;
  await send('session.subscribe', { events: ['log.entryAdded'] });

  const page = {
    engine: 'firefox',
    version: `Firefox ${session.capabilities.browserVersion}`,
    console: [], exceptions: [], log: [],
    browser_pid: child.pid,
    async evaluate(expression) {
      const r = await send('script.evaluate', {
        expression, target: { context }, awaitPromise: true, resultOwnership: 'none',
        serializationOptions: { maxObjectDepth: 8 },
      });
      if (r.type === 'exception') throw new Error(`page: ${r.exceptionDetails.text}`);
      return from_remote(r.result);
    },
    async navigate(url) {
      await send('browsingContext.navigate', { context, url, wait: 'interactive' });
    },
    async add_init_script(source) {
      const { script } = await send('script.addPreloadScript', { functionDeclaration: `() => { ${source} }` });
      return script;
    },
    async remove_init_script(id) {
      await send('script.removePreloadScript', { script: id });
    },
    async key(name, type) {
      await send('input.performActions', { context, actions: [{
        type: 'key', id: 'keyboard', actions: [{ type, value: key_values[name] ?? name }],
      }] });
    },
    async press(name, hold_ms = 60) {
      await page.key(name, 'keyDown');
      await sleep(hold_ms);
      await page.key(name, 'keyUp');
    },
    async click(x, y) {
      await send('input.performActions', { context, actions: [{
        type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
          { type: 'pointerMove', x: Math.round(x), y: Math.round(y) },
          { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }],
      }] });
    },
    async viewport(width, height) {
      await send('browsingContext.setViewport', { context, viewport: { width, height } });
    },
    async screenshot() {
      const { data } = await send('browsingContext.captureScreenshot', { context });
      return Buffer.from(data, 'base64');
    },
    async close() {
      try { await send('browser.close'); } catch { /* gone already */ }
      try { socket.close(); } catch { /* closed */ }
      const timer = setTimeout(() => child.kill('SIGKILL'), 5000);
      await exited;
      clearTimeout(timer);
      rmSync(profile, { recursive: true, force: true });
    },
  };
  listeners.push(message => {
    if (message.method !== 'log.entryAdded') return;
    const p = message.params;
    if (p.type === 'console') page.console.push({ type: p.level === 'warn' ? 'warning' : p.level, text: p.text });
    else if (p.type === 'javascript') page.exceptions.push(p.text);
    else page.log.push({ level: p.level, text: p.text });
  });
  return page;
}

// A BiDi remote value as a plain one.
function from_remote(v) {
  if (!v) return undefined;
  switch (v.type) {
    case 'undefined': return undefined;
    case 'null': return null;
    case 'string': case 'boolean': return v.value;
    case 'number':
      return typeof v.value === 'number' ? v.value : { NaN, Infinity, '-Infinity': -Infinity, '-0': -0 }[v.value];
    case 'array': return (v.value || []).map(from_remote);
    case 'object': return Object.fromEntries((v.value || []).map(([k, x]) => [typeof k === 'string' ? k : from_remote(k), from_remote(x)]));
    default: return v.value;
  }
}

// WebDriver's key values for the keys the test presses.
const key_values = {
  Enter: '\uE006', Escape: '\uE00C', Space: ' ', ArrowUp: '\uE013', ArrowDown: '\uE015',
  ArrowLeft: '\uE012', ArrowRight: '\uE014', Alt: '\uE00A',
};
