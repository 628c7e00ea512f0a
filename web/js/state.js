// What the page's modules share: the page's elements, the build's manifest
// and the state the page and its tests can see (window.graze).

const byId = id => document.getElementById(id);

export const elements = {
  body: document.body, page: byId('page'), stage: byId('stage'), field: byId('field'),
  canvas: byId('screen'), overlay: byId('overlay'), message: byId('message'), count: byId('count'),
  bar: byId('bar'), retry: byId('retry'), note: byId('note'), farewell: byId('farewell'),
  again: byId('again'), mute: byId('mute'), full: byId('full'), whole: byId('whole'),
  dpad: byId('dpad'), fullscreenKeys: byId('fullscreen-keys'),
};

// Each file's size and CRC-32, written by the build (scripts/web/web.sh).
function readManifest() {
  try {
    return JSON.parse(byId('manifest').textContent) || {};
  } catch (error) {
    return {};
  }
}
export const manifest = readManifest();

export const graze = window.graze = {
  state: 'loading', frames: 0, openedAt: performance.now(), loadedAt: 0, readyAt: 0,
  startedAt: 0, firstFrameAt: 0, frameTimes: new Float64Array(4096), onFrame: null,
  audio: 'none', fetches: {}, muted: false, hidden: false, underruns: 0, scale: 1,
  wholeSteps: false, fullscreen: false, escapeInFullscreen: 'browser', message: '', note: '',
};

// Remembered settings; a page that may not store any (private mode) keeps
// them for the visit.
export function remembered(key) {
  try {
    return localStorage.getItem(key);
  } catch (error) {
    return null;
  }
}
export function remember(key, value) {
  try {
    localStorage.setItem(key, value);
  } catch (error) { /* private mode */ }
}
