// Gamepads with the standard mapping, read ten times a second until one is
// seen, then also at every frame the game presents.
import { graze } from './state.js';
import { hold, onReleaseAll } from './keys.js';

// Buttons: 0 A, 1 B, 2 X, 3 Y, 8 Back, 9 Start, 12-15 the d-pad.
const padKeys = [
  [0, [103, 13]], [1, [102]], [2, [100]], [3, [100]], [9, [13]], [8, [27]],
  [12, [273]], [13, [274]], [14, [276]], [15, [275]],
];
const stickKeys = [[0, -1, 276], [0, 1, 275], [1, -1, 273], [1, 1, 274]];
const held = new Array(padKeys.length + stickKeys.length).fill(false);
const now = new Array(held.length).fill(false);
let seen = false;
let startGame = () => {};

function readPad(pad) {
  seen = true;
  for (let i = 0; i < padKeys.length; i++) {
    const button = pad.buttons[padKeys[i][0]];
    if (button && (button.pressed || button.value > 0.5)) now[i] = true;
  }
  for (let i = 0; i < stickKeys.length; i++) {
    const [axis, sign] = stickKeys[i];
    if ((pad.axes[axis] || 0) * sign > 0.5) now[padKeys.length + i] = true;
  }
}

export function readGamepads() {
  const pads = navigator.getGamepads ? navigator.getGamepads() : [];
  now.fill(false);
  for (const pad of pads) if (pad && pad.connected) readPad(pad);
  for (let i = 0; i < now.length; i++) {
    if (now[i] === held[i]) continue;
    held[i] = now[i];
    if (now[i] && graze.state === 'ready') startGame();
    const syms = i < padKeys.length ? padKeys[i][1] : [stickKeys[i - padKeys.length][2]];
    for (const sym of syms) hold('pad' + i, sym, now[i]);
  }
}

// At each presented frame, once a pad has been seen.
export function readGamepadsAtFrame() {
  if (seen) readGamepads();
}

export function setUpGamepad(start) {
  startGame = start;
  setInterval(readGamepads, 100);
  addEventListener('gamepadconnected', () => { graze.gamepad = true; });
  onReleaseAll(() => held.fill(false));
}
