// The sessions both the Node and the browser tests render and compare with
// spw_render --block 128, and how spw_render is asked for them.
import {execFileSync} from 'node:child_process';
import {writeFileSync} from 'node:fs';
import path from 'node:path';

export const kRate = 48000;
export const kRenderBlock = 128;
export const sec = (s) => Math.round(s * kRate);

const twelveSlots = Array.from({length: 12}, (_, i) => ({frame: 0, set: [`Slot ${i + 1}`, String(21 + i)]}));

// Sessions rendered both ways: every change on the 128-frame grid (spw_render
// starts its following blocks from a change; off the grid the engine's
// per-block ramps would step elsewhere than in the browser's blocks).
export const sameAsRenderer = [
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

// spw_render's WAV file of a session, rendered into workDir.
export function renderWithRenderer(renderer, session, workDir) {
  const file = (ext) => path.join(workDir, `${session.name.replaceAll(' ', '-')}.${ext}`);
  writeFileSync(file('txt'), timelineText(session.events, session.seconds));
  execFileSync(renderer, ['--timeline', file('txt'), '--block', String(kRenderBlock), '--rate', String(kRate),
                          '--no-fade', '--quiet', '-o', file('wav')]);
  return file('wav');
}

function timelineText(events, seconds) {
  const at = (frame) => (frame / kRate).toFixed(9);
  const lines = events.map((e) => {
    if (e.program !== undefined) return `${at(e.frame)} program "${e.program}"`;
    if (e.set) return `${at(e.frame)} set ${e.set[0]}=${e.set[1]}`;
    return `${at(e.frame)} slide ${e.slide[0]}=${e.slide[1]} over ${(e.slide[2] / kRate).toFixed(9)}`;
  });
  return [...lines, `${seconds} end`, ''].join('\n');
}

