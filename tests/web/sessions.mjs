// The sessions both the Node and the browser tests play through the compiled
// session reader and compare with spw_render --block 128 --no-fade: session
// texts, some of them the example sessions of sessions/.
import {execFileSync} from 'node:child_process';
import {readFileSync, writeFileSync} from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

export const kRate = 48000;
export const kRenderBlock = 128;
export const sec = (s) => Math.round(s * kRate);
const sessionsDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../sessions');
// A time on frame f, as a session writes it.
const at = (f) => (f / kRate).toFixed(9);

const twelveSlots = Array.from({length: 12}, (_, i) => `0 set Slot ${i + 1}=${21 + i}`);

// seconds: how much of the session is rendered (its first seconds; all of a short one).
export const sameAsRenderer = [
  {name: 'a programme', seconds: 3, text: '0 program "Binaural - 10.6 (Relaxed & alert)"\n3 end\n'},
  {name: 'twelve slots', seconds: 3, text: ['0 program "C Major style"', ...twelveSlots, '3 end', ''].join('\n')},
  // "Play Anyway" switched on re-aligns the phases, which "Binaural" moved, to the
  // transport's position: a 5 ms crossfade whose weights come from the C library's
  // cosine (emscripten's musl, glibc natively).
  {name: 'a re-alignment crossfade', seconds: 1.5, text: [
    '0 program "C Major style"',
    `${at(128 * 188)} set Binaural=7.83`,
    `${at(128 * 374)} set Play Anyway=No`,
    `${at(128 * 375)} set Play Anyway=Yes`,
    '1.5 end', ''].join('\n')},
  {name: 'sessions/demo.txt', seconds: 60, file: 'demo.txt'},
  // Its first slide starts at 1:00.
  {name: 'the first 70 s of sessions/sleep-45min.txt', seconds: 70, file: 'sleep-45min.txt'},
];

// The text of a session of sameAsRenderer.
export function sessionText(session) {
  return session.text ?? readFileSync(path.join(sessionsDir, session.file), 'utf8');
}

// spw_render's WAV file of a session's first seconds, rendered into workDir.
export function renderWithRenderer(renderer, session, workDir) {
  const file = (ext) => path.join(workDir, `${session.name.replace(/[^A-Za-z0-9]+/g, '-')}.${ext}`);
  writeFileSync(file('txt'), sessionText(session));
  execFileSync(renderer, ['--timeline', file('txt'), '--duration', String(session.seconds),
                          '--block', String(kRenderBlock), '--rate', String(kRate), '--no-fade', '--quiet',
                          '-o', file('wav')]);
  return file('wav');
}
