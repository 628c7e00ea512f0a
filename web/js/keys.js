// Keys held by the keyboard, the touch pad and the gamepad: a key is down for
// the game while any of them holds it. The keyboard's own keys are turned
// into SDL 1.2's key symbols here.
import { graze } from './state.js';

const holders = new Map();
const releasers = [];

export function hold(source, sym, down) {
  if (!sym) return;
  let by = holders.get(sym);
  if (!by) holders.set(sym, by = new Set());
  const was = by.size > 0;
  if (down) by.add(source);
  else by.delete(source);
  const now = by.size > 0;
  if (was !== now && graze.state === 'playing' && !graze.hidden) window.Module._web_key(sym, now ? 1 : 0);
}

export function heldKeys() {
  return [...holders].filter(([, by]) => by.size > 0).map(([sym]) => sym);
}

// The touch pad and the gamepad forget their own held state too.
export function onReleaseAll(release) {
  releasers.push(release);
}
export function releaseAll() {
  for (const [sym, by] of holders) {
    if (by.size && graze.state === 'playing') window.Module._web_key(sym, 0);
    by.clear();
  }
  for (const release of releasers) release();
}

// The page's key codes to SDL 1.2's key symbols. Tab is left to the page: it
// moves between the page's buttons.
const named = {
  ArrowUp: 273, ArrowDown: 274, ArrowRight: 275, ArrowLeft: 276, Enter: 13, NumpadEnter: 271,
  Escape: 27, Space: 32, Backspace: 8, Insert: 277, Home: 278, End: 279, PageUp: 280,
  PageDown: 281, Delete: 127, ShiftLeft: 304, ShiftRight: 303, ControlLeft: 306,
  ControlRight: 305, AltLeft: 308, AltRight: 307, Pause: 19,
};
export function sdlKey(event) {
  if (named[event.code]) return named[event.code];
  const key = event.key && event.key.length === 1 ? event.key.toLowerCase() : '';
  if (key >= 'a' && key <= 'z') return key.charCodeAt(0);
  let m = /^Key([A-Z])$/.exec(event.code);
  if (m) return m[1].toLowerCase().charCodeAt(0);
  m = /^Digit([0-9])$/.exec(event.code);
  if (m) return 48 + Number(m[1]);
  m = /^F([0-9]+)$/.exec(event.code);
  // F11 stays the browser's (its own fullscreen).
  if (m && Number(m[1]) <= 15 && m[1] !== '11') return 281 + Number(m[1]);
  return 0;
}
export function isShortcut(event, sym) {
  return (event.ctrlKey || event.metaKey || event.altKey) && !(sym >= 303 && sym <= 308);
}
// Enter and Space on a focused page button press that button, not the game's key.
export function forPageControl(event, sym) {
  const target = event.target;
  return !!(target && target.closest && target.closest('button, a, input, label')) &&
         (sym === 13 || sym === 32 || sym === 271);
}

// The page's own keys come first (Alt+Enter fullscreen, M sound: `own`
// returns true for those it took); then, while playing, the game's.
export function listenToKeyboard(own, whenReady) {
  addEventListener('keydown', event => {
    const sym = sdlKey(event);
    if (own(event, sym)) {
      event.preventDefault();
      return;
    }
    if (isShortcut(event, sym) || forPageControl(event, sym)) return;
    if (graze.state === 'ready') {
      if (!sym) return;
      event.preventDefault();
      whenReady();
      return;
    }
    if (graze.state !== 'playing' || !sym) return;
    event.preventDefault();
    if (!event.repeat) hold('keyboard', sym, true);
  });
  addEventListener('keyup', event => {
    const by = holders.get(sdlKey(event));
    if (!by || !by.has('keyboard')) return;
    event.preventDefault();
    hold('keyboard', sdlKey(event), false);
  });
  // Keys held when the page loses focus would stay down: let them go.
  addEventListener('blur', releaseAll);
}
