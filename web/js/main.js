// The page: downloads the game, gets it ready, and wires the page's controls,
// keys, touch pad and gamepad to it. Loaded by index.html as an ES module.
import { elements, graze, manifest } from './state.js';
import { show, fail } from './messages.js';
import { downloadAll } from './download.js';
import { setUpDisplay, layout, toggleFullscreen, capture } from './display.js';
import { heldKeys, isShortcut, listenToKeyboard } from './keys.js';
import { setUpTouch } from './touch.js';
import { setUpGamepad } from './gamepad.js';
import { setUpSound, setMuted, wakeSound, audioState } from './sound.js';
import { setUpGame, startRuntime, startGame } from './game.js';

async function load(retrying) {
  graze.state = 'loading';
  show('Loading Graze…', { bar: true, welcome: true });
  let files;
  try {
    files = await downloadAll(retrying);
  } catch (error) {
    fail(error.message, () => load(true));
    return;
  }
  graze.loadedAt = performance.now();
  startRuntime(files);
}

// The page's own keys: Alt+Enter for fullscreen, M for the sound.
function pageKey(event, sym) {
  if (event.altKey && (sym === 13 || sym === 271) && !event.ctrlKey && !event.metaKey) {
    if (!event.repeat) toggleFullscreen();
    return true;
  }
  if (sym === 109 && !isShortcut(event, sym)) {
    if (!event.repeat) setMuted(!graze.muted);
    return true;
  }
  if (graze.state === 'playing') wakeSound();
  return false;
}

// A button clicked with the mouse hands the keys back to the game; one
// reached with Tab keeps the focus, for Enter or Space to press it.
function refocusAfterClick() {
  for (const control of document.querySelectorAll('#strip button, #strip input'))
    control.addEventListener('click', event => { if (event.detail > 0) elements.stage.focus(); });
}

export function main() {
  if (manifest.project) {
    document.getElementById('project-link').href = manifest.project;
    document.getElementById('native-link').href = manifest.project + '#installing-and-packaging';
  }
  Object.assign(graze, { heldKeys, capture, audioContextState: audioState });
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    fail('This browser cannot run WebAssembly, which Graze needs.\n' +
         'Open the page in a current Firefox, Chrome, Edge or Safari.');
    return;
  }
  setUpDisplay();
  setUpSound();
  setUpGame();
  listenToKeyboard(pageKey, startGame);
  setUpTouch(startGame, () => { graze.touch = true; layout(); }, wakeSound);
  setUpGamepad(startGame);
  elements.full.onclick = toggleFullscreen;
  refocusAfterClick();
  elements.stage.focus();
  load(false);
}
