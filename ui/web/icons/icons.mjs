// Writes the page's launcher icons from the program's own 256-pixel icon, at build time:
// quillon-192.png and quillon-512.png show the icon over the whole square (purpose "any");
// quillon-maskable-512.png shows it on a frame of the boxes' border grey, small enough to stay
// whole inside the circle of 40 % of the size around the centre that every launcher's shape
// keeps (purpose "maskable"). Same input, same bytes.
//
//   node icons.mjs quillon-256.png OUT_DIR
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateSync, inflateSync } from 'node:zlib';

const [source, out] = process.argv.slice(2);
const FRAME = [122, 122, 122];

// An 8-bit RGB or RGBA PNG, not interlaced, as rows of RGB pixels.
function decode(bytes) {
  const chunks = [];
  let header;
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const data = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') header = { width: data.readUInt32BE(0), height: data.readUInt32BE(4), depth: data[8], colour: data[9], interlace: data[12] };
    if (type === 'IDAT') chunks.push(data);
    at += 12 + length;
  }
  const { width, height, depth, colour, interlace } = header;
  const channels = { 2: 3, 6: 4 }[colour];
  if (depth !== 8 || !channels || interlace) throw new Error(`${source}: only 8-bit RGB or RGBA without interlace`);
  const raw = inflateSync(Buffer.concat(chunks));
  const stride = width * channels;
  const rows = [];
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? row[x - channels] : 0;
      const up = previous[x];
      const upLeft = x >= channels ? previous[x - channels] : 0;
      const p = left + up - upLeft;
      const paeth = [left, up, upLeft].sort((a, b) => Math.abs(p - a) - Math.abs(p - b))[0];
      row[x] += [0, left, up, (left + up) >> 1, paeth][filter];
    }
    rows.push(Array.from({ length: width }, (_, x) => [...row.subarray(x * channels, x * channels + 3)]));
    previous = row;
  }
  return rows;
}

const CRC = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
const crc32 = (bytes) => (bytes.reduce((c, b) => CRC[(c ^ b) & 0xff] ^ (c >>> 8), 0xffffffff) ^ 0xffffffff) >>> 0;

function chunk(type, data) {
  const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
  const framed = Buffer.alloc(body.length + 8);
  framed.writeUInt32BE(data.length, 0);
  body.copy(framed, 4);
  framed.writeUInt32BE(crc32(body), body.length + 4);
  return framed;
}

// A square of `size` pixels of `background`, with the icon scaled to `inner` pixels (nearest
// pixel) in its middle.
function encode(icon, size, inner, background) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header.set([8, 2, 0, 0, 0], 8);
  const margin = (size - inner) / 2;
  const raw = Buffer.alloc(size * (size * 3 + 1));
  for (let y = 0; y < size; ++y) {
    for (let x = 0; x < size; ++x) {
      const inside = x >= margin && x < margin + inner && y >= margin && y < margin + inner;
      const pixel = inside ? icon[Math.floor(((y - margin) * icon.length) / inner)][Math.floor(((x - margin) * icon.length) / inner)] : background;
      raw.set(pixel, y * (size * 3 + 1) + 1 + x * 3);
    }
  }
  const signature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  return Buffer.concat([signature, chunk('IHDR', header), chunk('IDAT', deflateSync(raw, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
}

const icon = decode(readFileSync(source));
writeFileSync(join(out, 'quillon-192.png'), encode(icon, 192, 192, FRAME));
writeFileSync(join(out, 'quillon-512.png'), encode(icon, 512, 512, FRAME));
// The safe circle's radius is 0.4 of the size: a square of side 0.4 × √2 ≈ 0.5657 of it fits.
writeFileSync(join(out, 'quillon-maskable-512.png'), encode(icon, 512, 288, FRAME));
