// The overlay's message (read out through its live region), the download's
// counter and bar, and the note in the strip under the picture.
import { elements, graze } from './state.js';

const { body, overlay, message, count, bar, retry, note } = elements;

// Shows a message over the field; options: fault, bar (the download's
// counter and bar), action with its label (a Retry or Reload button).
export function show(text, options = {}) {
  graze.message = text;
  if (message.textContent !== text) message.textContent = text;
  message.className = options.fault ? 'fault' : '';
  bar.hidden = count.hidden = !options.bar;
  retry.hidden = !options.action;
  if (options.action) {
    retry.textContent = options.label || 'Retry';
    retry.onclick = options.action;
  }
  body.classList.toggle('waiting', !!options.welcome);
  overlay.hidden = false;
}

export function hideOverlay() {
  overlay.hidden = true;
  body.classList.remove('waiting');
}

export function fail(text, action, label) {
  graze.state = 'failed';
  show(text, { fault: true, action, label });
  if (action) retry.focus();
}

export function say(text) {
  if (note.textContent !== text) note.textContent = text;
  graze.note = text;
}

// The download's counter: bytes in MB (millions), and how long nothing has
// arrived when the line has stalled for a while.
export function showCount(got, total, quietSeconds) {
  const mb = bytes => (bytes / 1e6).toFixed(1);
  const fraction = total > 0 ? Math.min(1, got / total) : 0;
  bar.firstElementChild.style.width = (fraction * 100).toFixed(1) + '%';
  bar.setAttribute('aria-valuenow', Math.round(fraction * 100));
  let text = total > 0 ? mb(got) + ' of ' + mb(total) + ' MB' : mb(got) + ' MB';
  if (quietSeconds >= 3) text += ' (nothing received for ' + Math.floor(quietSeconds) + ' s)';
  if (count.textContent !== text) count.textContent = text;
  graze.count = text;
}
