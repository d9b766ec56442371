// The plug-in compiled to WebAssembly, rendering in Node in the browser's
// 128-frame blocks, against spw_render --block 128 through the native VST 3
// bundle: every sample of both ears must have the same bits.
//   node --no-experimental-fetch render_compare_test.mjs MODULE.js SPW_RENDER WORK_DIR
import {execFileSync} from 'node:child_process';
import {existsSync, mkdirSync, readFileSync, writeFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';

import {renderSession, WebPlugin} from './web_host.mjs';

const [modulePath, renderer, workDir] = process.argv.slice(2);
if (!existsSync(renderer)) {
  console.log(`${renderer} is missing: build the Linux renderer first (scripts/build.sh linux)`);
  process.exit(1);
}
const kRate = 48000;
const kRenderBlock = 128;
const sec = (s) => Math.round(s * kRate);

const twelveSlots = Array.from({length: 12}, (_, i) => ({frame: 0, set: [`Slot ${i + 1}`, String(21 + i)]}));

// Sessions rendered both ways: every change on the 128-frame grid (spw_render
// starts its following blocks from a change; off the grid the engine's
// per-block ramps would step elsewhere than in the browser's blocks).
const sameAsRenderer = [
  {name: 'a programme', seconds: 3, events: [{frame: 0, program: 'Binaural - 10.6 (Relaxed & alert)'}]},
  {name: 'twelve slots', seconds: 3, events: [{frame: 0, program: 'C Major style'}, ...twelveSlots]},
  // "Play Anyway" switched on re-aligns the phases, which "Binaural" moved, to the
  // transport's position: a 5 ms crossfade whose weights come from the C library's
  // cosine (emscripten's musl, glibc natively).
  {name: 'a re-alignment crossfade', seconds: 1.5, events: [
    {frame: 0, program: 'C Major style'},
    {frame: 128 * 188, set: ['Binaural', '7.83']},
    {frame: 128 * 374, set: ['Play Anyway', 'No']},
    {frame: 128 * 375, set: ['Play Anyway', 'Yes']},
  ]},
  // The events of sessions/demo.txt.
  {name: 'the demo session', seconds: 60, events: [
    {frame: 0, program: 'Binaural - 10.0 (Manipura chakra)'},
    {frame: 0, set: ['Link Freq', 'No']},
    {frame: 0, set: ['Fade', '2']},
    {frame: sec(5), slide: ['Binaural', '6', sec(20)]},
    {frame: sec(30), program: 'C Major style'},
    {frame: sec(30), set: ['Link Freq', 'No']},
    {frame: sec(30), set: ['Volume', '40']},
    {frame: sec(38), slide: ['Binaural', '3', sec(12)]},
    {frame: sec(50), slide: ['Volume', '0', sec(8)]},
  ]},
];

// Changes that are heard on their own sample, inside a block and on its first
// sample: the render with the change equals the one without up to that sample.
const kSteady = sec(2.5) - sec(2.5) % 128;  // a block's first frame, every ramp at rest
const onTheirSample = [
  ['Volume', '74', 1], ['Volume', '74', 37], ['Wave', 'Golden Sine', 127], ['Wave', 'Golden Sine', 128],
  ['Binaural', '7.83', 64], ['Binaural', '7.83', 0],
].map(([name, value, offset]) => ({name, value, frame: kSteady + offset}));

function timelineText(events, seconds) {
  const at = (frame) => (frame / kRate).toFixed(9);
  const lines = events.map((e) => {
    if (e.program !== undefined) return `${at(e.frame)} program "${e.program}"`;
    if (e.set) return `${at(e.frame)} set ${e.set[0]}=${e.set[1]}`;
    return `${at(e.frame)} slide ${e.slide[0]}=${e.slide[1]} over ${(e.slide[2] / kRate).toFixed(9)}`;
  });
  return [...lines, `${seconds} end`, ''].join('\n');
}

// The stereo samples of a 32-bit float WAV file, each ear on its own.
function readWav(file) {
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
function compare(web, native) {
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

function renderInNode(events, seconds) {
  const plugin = new WebPlugin(module);
  const audio = renderSession(plugin, events, sec(seconds), kRate, kRenderBlock);
  plugin.destroy();
  return audio;
}

const require = createRequire(import.meta.url);
const module = await require(path.resolve(modulePath))();
mkdirSync(workDir, {recursive: true});
let failures = 0;
const fail = (text) => {
  console.log(`FAIL ${text}`);
  ++failures;
};

for (const c of sameAsRenderer) {
  const file = (ext) => path.join(workDir, `${c.name.replaceAll(' ', '-')}.${ext}`);
  writeFileSync(file('txt'), timelineText(c.events, c.seconds));
  execFileSync(renderer, ['--timeline', file('txt'), '--block', String(kRenderBlock), '--rate', String(kRate),
                          '--quiet', '-o', file('wav')]);
  const web = renderInNode(c.events, c.seconds);
  const result = compare(web, readWav(file('wav')));
  if (result.lengths) {
    fail(`${c.name}: ${result.lengths[0]} frames in Node, ${result.lengths[1]} from spw_render`);
  } else if (result.differing > 0) {
    fail(`${c.name}: ${result.differing} samples differ from spw_render's, the first at frame ${result.first}, ` +
         `by up to ${result.dBFS.toFixed(1)} dBFS`);
  } else {
    console.log(`ok   ${c.name}: ${sec(c.seconds)} frames, every bit as spw_render's`);
  }
}

const base = [{frame: 0, program: 'C Major style'}];
const steady = renderInNode(base, 3);
for (const c of onTheirSample) {
  const changed = renderInNode([...base, {frame: c.frame, set: [c.name, c.value]}], 3);
  const {first} = compare(changed, steady);
  const label = `${c.name}=${c.value} at frame ${c.frame} (${c.frame % 128} into its block)`;
  if (first === c.frame) {
    console.log(`ok   ${label}: heard from that frame on`);
  } else {
    fail(`${label}: the sound changes at frame ${first}`);
  }
}
process.exit(failures ? 1 : 0);
