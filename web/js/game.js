// The game's module (graze.js and graze.wasm): started once the files are
// in, run after the key press or tap that starts it, told when the page is
// hidden, and its end shown.
import { elements, graze } from './state.js';
import { show, hideOverlay, fail } from './messages.js';
import { present } from './display.js';
import { releaseAll } from './keys.js';
import { readGamepadsAtFrame } from './gamepad.js';
import { AudioContextClass, openAudio, startSound, stopSound, pauseSound } from './sound.js';

const errorLines = [];
const reload = () => location.reload();

function presentFrame(heap, at, width, height) {
  present(heap, at, width, height);
  const now = performance.now();
  if (!graze.firstFrameAt) graze.firstFrameAt = now;
  graze.frameTimes[graze.frames % graze.frameTimes.length] = now;
  graze.frames += 1;
  if (graze.onFrame) graze.onFrame(heap, at, width, height);
  readGamepadsAtFrame();
}

function ended(status) {
  releaseAll();
  if (status === 0) {
    // The game's own goodbye stays on the screen; the page's is beside it.
    graze.state = 'goodbye';
    graze.message = 'Goodbye! Thanks for playing Graze.';
    hideOverlay();
    elements.farewell.hidden = false;
    elements.again.focus();
  } else {
    const why = errorLines.length ? errorLines.join('\n') : 'The game stopped with status ' + status + '.';
    fail('The game could not go on:\n' + why, reload, 'Reload');
  }
  stopSound();
}

function ready() {
  graze.state = 'ready';
  graze.readyAt = performance.now();
  show((graze.touch ? 'Tap' : 'Press any key') + ' to start' +
       (AudioContextClass ? '' : '\n(no Web Audio in this browser: the game plays silent)'),
       { welcome: true });
  elements.stage.focus();
}

export function startRuntime(files) {
  show('Starting…', { welcome: true });
  window.Module = {
    wasmBinary: files['graze.wasm'].buffer,
    getPreloadedPackage: () => files['graze.data'].buffer,
    print: line => console.log(line),
    printErr: line => { errorLines.push(line); console.warn(line); },
    grazePresent: presentFrame,
    grazeAudioOpen: openAudio,
    onRuntimeInitialized: ready,
    onExit: ended,
    onAbort: what => fail('The game stopped: ' + what, reload, 'Reload'),
  };
  const script = document.createElement('script');
  script.textContent = new TextDecoder().decode(files['graze.js']);
  document.body.appendChild(script);
}

// The key press, tap or pad button that starts the game also unlocks its
// sound, as browsers require.
export function startGame() {
  if (graze.state !== 'ready') return;
  graze.state = 'playing';
  graze.startedAt = performance.now();
  hideOverlay();
  startSound();
  elements.stage.focus();
  try {
    window.Module.callMain([]);
  } catch (error) {
    if (graze.state === 'playing') fail('The game stopped: ' + error, reload, 'Reload');
  }
}

// A hidden page pauses the game: its clock and its sound stop together.
function visibilityChanged() {
  const hidden = document.visibilityState === 'hidden';
  if (hidden === graze.hidden) return;
  if (hidden) releaseAll();
  graze.hidden = hidden;
  if (graze.state !== 'playing') return;
  pauseSound(hidden);
  window.Module._web_hidden(hidden ? 1 : 0);
  // The game waits while hidden: wake it, outside of this call into it.
  if (!hidden) setTimeout(() => { if (window.Module.grazeWake) window.Module.grazeWake(); }, 0);
}

export function setUpGame() {
  document.addEventListener('visibilitychange', visibilityChanged);
  elements.again.onclick = reload;
}
