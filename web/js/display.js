// The game's picture on the page: each presented frame copied to the canvas,
// the canvas scaled to the field (crisp, nearest neighbour) and fullscreen.
import { elements, graze, remember, remembered } from './state.js';
import { say } from './messages.js';

const { body, page, field, canvas, whole, full, fullscreenKeys } = elements;
const context = canvas.getContext('2d', { alpha: false, desynchronized: true });

// --- Scaling. ---------------------------------------------------------------
// By default the largest picture that fits the field; with "whole steps
// only", whole multiples of 640x480 where one fits (below 1x, the largest
// that fits). Sizes are whole device pixels, so each game pixel stays sharp.
export function fit() {
  const dpr = window.devicePixelRatio || 1;
  const ratio = Math.min(field.clientWidth * dpr / 640, field.clientHeight * dpr / 480);
  const scale = graze.wholeSteps && ratio >= 1 ? Math.floor(ratio) : ratio;
  const width = Math.floor(640 * scale), height = Math.floor(480 * scale);
  canvas.style.width = width / dpr + 'px';
  canvas.style.height = height / dpr + 'px';
  graze.scale = scale / dpr;
  graze.picture = [width, height];
}

// A touch screen gets the pad; its shape decides where the pad goes.
function isTouch() {
  return (window.matchMedia && matchMedia('(pointer: coarse)').matches) ||
         navigator.maxTouchPoints > 0;
}
export function layout() {
  body.classList.toggle('touch', graze.touch = graze.touch || isTouch());
  const portrait = innerHeight > innerWidth;
  body.classList.toggle('portrait', portrait);
  body.classList.toggle('landscape', !portrait);
  fit();
}

function setWholeSteps(on) {
  graze.wholeSteps = on;
  whole.checked = on;
  remember('graze-whole-steps', on ? '1' : '0');
  fit();
}

// --- Frames. ----------------------------------------------------------------
// The frame is read where the game drew it in its memory: one ImageData over
// that memory, made again only when the memory grows or the frame moves.
let image = null, imageBuffer = null, imageAt = -1;
export function present(heap, at, width, height) {
  if (imageBuffer !== heap.buffer || imageAt !== at) {
    image = new ImageData(new Uint8ClampedArray(heap.buffer, at, width * height * 4), width, height);
    imageBuffer = heap.buffer;
    imageAt = at;
  }
  context.putImageData(image, 0, 0);
}

// The picture as the page shows it, base64 RGBA (for the tests).
export function capture() {
  const pixels = context.getImageData(0, 0, 640, 480).data;
  let text = '';
  for (let i = 0; i < pixels.length; i += 0x8000)
    text += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
  return btoa(text);
}

// --- Fullscreen. ------------------------------------------------------------
// Where the browser lets a page keep Escape (keyboard lock, Chromium), the
// game gets it in fullscreen and holding Escape leaves; elsewhere Escape
// leaves fullscreen and the page says so.
const canLockEscape = !!(navigator.keyboard && navigator.keyboard.lock);
fullscreenKeys.textContent = canLockEscape
  ? 'In fullscreen, Escape goes to the game; hold Escape, or press Alt+Enter or the ' +
    'Leave fullscreen button, to leave fullscreen.'
  : 'In fullscreen, Escape leaves fullscreen in this browser (the next Escape goes to the ' +
    'game); Alt+Enter and the Leave fullscreen button leave it too.';

const fullscreenElement = () => document.fullscreenElement || document.webkitFullscreenElement;

export function toggleFullscreen() {
  const request = page.requestFullscreen || page.webkitRequestFullscreen;
  if (fullscreenElement()) {
    (document.exitFullscreen || document.webkitExitFullscreen).call(document);
  } else if (request) {
    Promise.resolve(request.call(page)).then(lockEscape)
      .catch(error => say('Fullscreen refused: ' + error.message));
  } else {
    say('This browser has no fullscreen for pages.');
  }
}

function lockEscape() {
  if (!canLockEscape) return;
  navigator.keyboard.lock(['Escape']).then(() => {
    graze.escapeInFullscreen = 'game';
    if (graze.fullscreen) fullscreenChanged();
  }, () => {});
}

function fullscreenChanged() {
  const on = !!fullscreenElement();
  graze.fullscreen = on;
  full.textContent = on ? 'Leave fullscreen' : 'Fullscreen';
  if (!on) {
    if (canLockEscape) navigator.keyboard.unlock();
    graze.escapeInFullscreen = 'browser';
  }
  if (on) {
    say(graze.escapeInFullscreen === 'game'
      ? 'Fullscreen: Escape goes to the game; hold Escape or press Alt+Enter to leave.'
      : 'Fullscreen: Escape leaves fullscreen here (the next one goes to the game); Alt+Enter too.');
  } else if (graze.note.startsWith('Fullscreen')) {
    say('');
  }
  layout();
}

export function setUpDisplay() {
  addEventListener('resize', layout);
  if (window.ResizeObserver) new ResizeObserver(fit).observe(field);
  document.addEventListener('fullscreenchange', fullscreenChanged);
  document.addEventListener('webkitfullscreenchange', fullscreenChanged);
  whole.onchange = () => setWholeSteps(whole.checked);
  setWholeSteps(remembered('graze-whole-steps') === '1');
  layout();
}
