// Stereo audio as a 16-bit PCM WAV file, in a Blob (built in slices, so that a
// long render needs no second copy of itself at once).

const kSliceFrames = 1 << 16;

// left, right: Float32Arrays of one length; rate in Hz.
export function wavBlob(left, right, rate) {
  const dataBytes = left.length * 4;
  const header = new DataView(new ArrayBuffer(44));
  const text = (at, value) => [...value].forEach((c, i) => header.setUint8(at + i, c.charCodeAt(0)));
  text(0, 'RIFF');
  header.setUint32(4, 36 + dataBytes, true);
  text(8, 'WAVEfmt ');
  header.setUint32(16, 16, true);
  header.setUint16(20, 1, true);  // PCM
  header.setUint16(22, 2, true);
  header.setUint32(24, rate, true);
  header.setUint32(28, rate * 4, true);
  header.setUint16(32, 4, true);
  header.setUint16(34, 16, true);
  text(36, 'data');
  header.setUint32(40, dataBytes, true);
  const parts = [header];
  for (let start = 0; start < left.length; start += kSliceFrames) {
    const end = Math.min(left.length, start + kSliceFrames);
    const slice = new Int16Array((end - start) * 2);
    for (let i = start; i < end; ++i) {
      slice[2 * (i - start)] = toInt16(left[i]);
      slice[2 * (i - start) + 1] = toInt16(right[i]);
    }
    parts.push(slice);
  }
  return new Blob(parts, {type: 'audio/wav'});
}

function toInt16(sample) {
  return Math.max(-32768, Math.min(32767, Math.round(sample * 32767)));
}
