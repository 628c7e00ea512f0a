// The pictures the browser test compares: PNG files read with pngjs, the
// game's 24-bit BMP digits, and finding the ship and reading the score in a
// frame of the page's canvas (640x480 RGBA).
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { need } from './packages.mjs';

const { PNG } = need('pngjs');

export function read_png(path) {
  const png = PNG.sync.read(readFileSync(path));
  return { width: png.width, height: png.height, rgba: png.data };
}

export function read_bmp(path) {
  const file = readFileSync(path);
  const offset = file.readUInt32LE(10), width = file.readInt32LE(18), signed_height = file.readInt32LE(22);
  if (file.readUInt16LE(28) !== 24) throw new Error(`${path}: only 24-bit BMP`);
  const height = Math.abs(signed_height), stride = (width * 3 + 3) & ~3;
  const rgba = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; y++) {
    const source = offset + (signed_height > 0 ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; x++) {
      const o = (y * width + x) * 4;
      rgba[o] = file[source + x * 3 + 2];
      rgba[o + 1] = file[source + x * 3 + 1];
      rgba[o + 2] = file[source + x * 3];
      rgba[o + 3] = 255;
    }
  }
  return { width, height, rgba };
}

// One number per picture, over its red, green and blue (alpha left out), as
// the page's frame hook computes it.
export function picture_hash(rgba) {
  let h = 0x811c9dc5;
  for (let i = 0; i < rgba.length; i += 4) h = Math.imul(h ^ (rgba[i] | rgba[i + 1] << 8 | rgba[i + 2] << 16), 16777619);
  return (h >>> 0).toString(16).padStart(8, '0');
}

// Opaque pixels of a keyed picture placed at (x, y) that match the frame.
function match(frame, picture, x, y, key, enough) {
  let tried = 0, wrong = 0;
  const allowed = Math.floor(picture.width * picture.height * (1 - enough));
  for (let py = 0; py < picture.height; py++) {
    for (let px = 0; px < picture.width; px++) {
      const p = (py * picture.width + px) * 4;
      const r = picture.rgba[p], g = picture.rgba[p + 1], b = picture.rgba[p + 2];
      if (r === key[0] && g === key[1] && b === key[2]) continue;
      tried += 1;
      const f = ((y + py) * 640 + x + px) * 4;
      if ((frame[f] !== r || frame[f + 1] !== g || frame[f + 2] !== b) && ++wrong > allowed) return 0;
    }
  }
  return tried ? (tried - wrong) / tried : 0;
}

// Up to 24 of a keyed picture's lit pixels (dark ones match any dark
// background), spread over it, as [px, py, r, g, b].
function probes(picture, key) {
  const opaque = [];
  for (let i = 0; i < picture.width * picture.height; i++) {
    const r = picture.rgba[i * 4], g = picture.rgba[i * 4 + 1], b = picture.rgba[i * 4 + 2];
    if ((r !== key[0] || g !== key[1] || b !== key[2]) && r + g + b > 96)
      opaque.push([i % picture.width, Math.floor(i / picture.width), r, g, b]);
  }
  const step = Math.max(1, Math.floor(opaque.length / 24));
  return Int32Array.from(opaque.filter((_, i) => i % step === 0).flat());
}
// Two thirds of the probes match where the picture may be (the full match
// asks 80% of all its pixels).
function likely(frame, picture, probe, x, y) {
  let wrong = 0;
  const allowed = probe.length / 15;
  for (let i = 0; i < probe.length; i += 5) {
    const f = ((y + probe[i + 1]) * 640 + x + probe[i]) * 4;
    if ((frame[f] !== probe[i + 2] || frame[f + 1] !== probe[i + 3] || frame[f + 2] !== probe[i + 4]) &&
        ++wrong > allowed) return false;
  }
  return true;
}

// The ship's pictures and the score's digits, from the generated assets.
export function game_pictures(assets) {
  const ship = ['Vaisseau1', 'Vaisseau2', 'Vaisseau_Gauche', 'Vaisseau_Droite', 'Vaisseau1a',
                'Vaisseau2a', 'Vaisseau_Gauchea', 'Vaisseau_Droitea']
    .map(name => read_png(join(assets, 'Images', name + '.png')));
  const digits = ['Zero', 'Un', 'Deux', 'Trois', 'Quatre', 'Cinq', 'Six', 'Sept', 'Huit', 'Neuf']
    .map(name => read_bmp(join(assets, 'Images', name + '.bmp')));
  return {
    find_ship(frame) {
      let best = { score: 0 };
      for (const picture of ship) {
        const probe = probes(picture, [0, 0, 255]);
        for (let y = 0; y + picture.height <= 480; y++)
          for (let x = 130; x + picture.width <= 512; x++) {
            // A few of its pixels first: most places fail there at once.
            if (!likely(frame, picture, probe, x, y)) continue;
            const score = match(frame, picture, x, y, [0, 0, 255], 0.8);
            if (score > best.score) best = { score, x, y };
          }
      }
      return best.score ? best : null;
    },
    read_score(frame) {
      let score = 0;
      for (let i = 0; i < 5; i++) {
        const found = digits.findIndex(d => match(frame, d, 510 + 25 * i, 50, [0, 0, 0], 1) === 1);
        if (found < 0) return -1;
        score = score * 10 + found;
      }
      return score;
    },
  };
}
