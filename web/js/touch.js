// The touch pad: a finger on the round pad holds one or two directions (a
// diagonal between two arrows), the buttons on the right hold their keys;
// several fingers at once. A tap anywhere else starts the game.
import { elements, graze } from './state.js';
import { hold, onReleaseAll } from './keys.js';

const { dpad } = elements;
const arrows = { up: 273, down: 274, right: 275, left: 276 };
const touches = new Map();

// The directions a finger holds, by where it is against the pad's centre;
// none in the middle.
function dpadDirections(event) {
  const box = dpad.getBoundingClientRect();
  const dx = event.clientX - (box.left + box.width / 2);
  const dy = event.clientY - (box.top + box.height / 2);
  const held = [];
  if (Math.hypot(dx, dy) < box.width * 0.12) return held;
  const angle = Math.atan2(dy, dx) * 180 / Math.PI;  // 0 right, 90 down
  if (angle > -67.5 && angle < 67.5) held.push('right');
  if (angle > 112.5 || angle < -112.5) held.push('left');
  if (angle > 22.5 && angle < 157.5) held.push('down');
  if (angle < -22.5 && angle > -157.5) held.push('up');
  return held;
}

const symOf = name => Number(name) || arrows[name];

function touchHold(id, names, element) {
  const before = touches.get(id) || { names: [], element: null };
  for (const name of before.names) if (!names.includes(name)) hold('touch' + id, symOf(name), false);
  for (const name of names) if (!before.names.includes(name)) hold('touch' + id, symOf(name), true);
  if (before.element) before.element.classList.remove('held');
  for (const span of dpad.children) span.classList.remove('held');
  touches.set(id, { names, element });
  for (const t of touches.values()) {
    if (t.element) t.element.classList.add('held');
    for (const name of t.names) if (arrows[name]) dpad.querySelector('.' + name).classList.add('held');
  }
  if (!names.length) touches.delete(id);
}

export function setUpTouch(startGame, becameTouch, wakeSound) {
  addEventListener('pointerdown', event => {
    if (event.pointerType === 'touch' && !graze.touch) becameTouch();
    if (graze.state === 'ready' && !event.target.closest('button, a, input, label')) {
      event.preventDefault();
      startGame();
    } else {
      wakeSound();
    }
  });
  function padDown(event) {
    event.preventDefault();
    if (graze.state === 'ready') startGame();
    const button = event.target.closest('button');
    try { event.currentTarget.setPointerCapture(event.pointerId); } catch (error) { /* gone */ }
    if (event.currentTarget === dpad) touchHold(event.pointerId, dpadDirections(event), null);
    else if (button && button.dataset.sym) touchHold(event.pointerId, [button.dataset.sym], button);
  }
  function padMove(event) {
    if (event.currentTarget === dpad && touches.has(event.pointerId))
      touchHold(event.pointerId, dpadDirections(event), null);
  }
  function padUp(event) {
    event.preventDefault();
    touchHold(event.pointerId, [], null);
  }
  for (const part of [dpad, ...document.querySelectorAll('#pad-right button')]) {
    part.addEventListener('pointerdown', padDown);
    part.addEventListener('pointermove', padMove);
    part.addEventListener('pointerup', padUp);
    part.addEventListener('pointercancel', padUp);
    part.addEventListener('contextmenu', event => event.preventDefault());
  }
  onReleaseAll(() => {
    for (const element of document.querySelectorAll('.held')) element.classList.remove('held');
    touches.clear();
  });
}
