// Reading spw_render's files and comparing renders sample by sample, bit for bit.
import {readFileSync} from 'node:fs';

// The stereo samples of a 32-bit float WAV file, each ear on its own.
export function readWav(file) {
  const bytes = readFileSync(file);
  for (let at = 12; at + 8 <= bytes.length;) {
    const id = bytes.toString('latin1', at, at + 4), size = bytes.readUInt32LE(at + 4);
    if (id === 'data') {
      const all = new Float32Array(bytes.buffer.slice(bytes.byteOffset + at + 8, bytes.byteOffset + at + 8 + size));
      const left = new Float32Array(all.length / 2), right = new Float32Array(all.length / 2);
      for (let i = 0; i < left.length; ++i) [left[i], right[i]] = [all[2 * i], all[2 * i + 1]];
      return {left, right};
    }
    at += 8 + size + (size & 1);
  }
  throw new Error(`${file}: no data chunk`);
}

// Frames whose bits differ, the first of them, and the largest difference in dBFS.
export function compare(web, native) {
  let differing = 0, first = -1, largest = 0;
  for (const ear of ['left', 'right']) {
    const a = new Uint32Array(web[ear].buffer), b = new Uint32Array(native[ear].buffer);
    if (a.length !== b.length) return {lengths: [a.length, b.length]};
    for (let i = 0; i < a.length; ++i) {
      if (a[i] === b[i]) continue;
      ++differing;
      if (first < 0 || i < first) first = i;
      largest = Math.max(largest, Math.abs(web[ear][i] - native[ear][i]));
    }
  }
  return {differing, first, dBFS: largest > 0 ? 20 * Math.log10(largest) : -Infinity};
}

