// Just enough PNG and BMP for the browser test: 8-bit RGB and RGBA PNG files
// and palette PNG files of 1 to 8 bits (what the simulator and the asset
// generator write) and 24-bit BMP files,
// decoded to RGBA; frames written back as RGBA PNG files for a person to see.
import { inflateSync, deflateSync } from 'node:zlib';
import { readFileSync } from 'node:fs';

export function read_png(path) {
  const file = readFileSync(path);
  let at = 8, width = 0, height = 0, channels = 0, depth = 8, palette = null;
  const data = [];
  while (at < file.length) {
    const length = file.readUInt32BE(at), type = file.toString('latin1', at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const colour = body[9], interlace = body[12];
      depth = body[8];
      const indexed = colour === 3 && [1, 2, 4, 8].includes(depth);
      if (!(indexed || (depth === 8 && (colour === 2 || colour === 6))) || interlace)
        throw new Error(`${path}: only 8-bit RGB, RGBA or palette PNG without interlacing`);
      channels = colour === 6 ? 4 : colour === 2 ? 3 : 1;
    } else if (type === 'PLTE') {
      palette = body;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = Math.ceil((width * channels * depth) / 8), rgba = new Uint8Array(width * height * 4);
  const previous = new Uint8Array(stride), row = new Uint8Array(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? row[i - channels] : 0, b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      let v = line[i];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      row[i] = v & 255;
    }
    for (let x = 0; x < width; x++) {
      const o = (y * width + x) * 4;
      if (palette) {
        const bit = x * depth, index = (row[bit >> 3] >> (8 - depth - (bit & 7))) & ((1 << depth) - 1);
        rgba.set(palette.subarray(index * 3, index * 3 + 3), o);
        rgba[o + 3] = 255;
        continue;
      }
      rgba[o] = row[x * channels];
      rgba[o + 1] = row[x * channels + 1];
      rgba[o + 2] = row[x * channels + 2];
      rgba[o + 3] = channels === 4 ? row[x * channels + 3] : 255;
    }
    previous.set(row);
  }
  return { width, height, rgba };
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

const crc_table = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(bytes) {
  let c = 0xffffffff;
  for (const b of bytes) c = crc_table[(c ^ b) & 255] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}
function chunk(type, body) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(body.length, 0);
  head.write(type, 4, 'latin1');
  const tail = Buffer.alloc(4);
  tail.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), body])), 0);
  return Buffer.concat([head, body, tail]);
}
export function png_bytes(width, height, rgba) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;
  header[9] = 6;
  const raw = Buffer.alloc(height * (width * 4 + 1));
  for (let y = 0; y < height; y++)
    Buffer.from(rgba.buffer, rgba.byteOffset + y * width * 4, width * 4).copy(raw, y * (width * 4 + 1) + 1);
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
                        chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}

// One number per picture, over its red, green and blue (alpha left out).
export function picture_hash(rgba) {
  let h = 0x811c9dc5;
  for (let i = 0; i < rgba.length; i += 4) {
    h = Math.imul(h ^ (rgba[i] | rgba[i + 1] << 8 | rgba[i + 2] << 16), 16777619);
  }
  return (h >>> 0).toString(16).padStart(8, '0');
}
