// Render speed of the plug-in compiled to WebAssembly, in Node: "C Major style"
// with all twelve slots sounding, in the browser's 128-frame blocks at 48 kHz,
// as seconds of audio per second; and the module's size, raw and gzipped.
//   node --no-experimental-fetch bench/web_render_speed.mjs [build/web/stereoPulseWeaver.js]
import {readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';
import {gzipSync} from 'node:zlib';

const modulePath = path.resolve(process.argv[2] ?? 'build/web/stereoPulseWeaver.js');
const kRate = 48000, kBlock = 128, kProgramChangeId = -1;
const kWarmUpSeconds = 20;  // until the engine's code runs optimised, not as first compiled
const kTimedSeconds = 120;

const m = await createRequire(import.meta.url)(modulePath)();
const h = m._spw_create();
const names = Array.from({length: m._spw_parameter_count(h)}, (_, i) => m.UTF8ToString(m._spw_parameter_name(h, i)));
const programs = Array.from({length: m._spw_program_count(h)}, (_, i) => m.UTF8ToString(m._spw_program_name(h, i)));
m._spw_setup(h, kRate, kBlock);
m._spw_set_active(h, 1);
m._spw_queue_change(h, kProgramChangeId, programs.indexOf('C Major style'), 0);
for (let slot = 1; slot <= 12; ++slot) {
  const id = names.indexOf(`Slot ${slot}`);
  m._spw_queue_change(h, id, (20 + slot) / m._spw_parameter_steps(h, id), 0);
}
const blocks = (seconds) => Math.round((seconds * kRate) / kBlock);
for (let b = blocks(kWarmUpSeconds); b > 0; --b) m._spw_process(h, kBlock);
// Processor time, not wall time: on a shared machine the wall clock counts
// other programs' turns too.
const started = process.cpuUsage();
for (let b = blocks(kTimedSeconds); b > 0; --b) m._spw_process(h, kBlock);
const used = process.cpuUsage(started);
const elapsed = (used.user + used.system) / 1e6;
m._spw_destroy(h);

const wasm = readFileSync(modulePath.replace(/\.js$/, '.wasm'));
const script = readFileSync(modulePath);
console.log(`twelve slots in ${kBlock}-frame blocks: ${(kTimedSeconds / elapsed).toFixed(0)} s of audio per second of processor time`);
console.log(`stereoPulseWeaver.wasm: ${wasm.length} bytes, ${gzipSync(wasm, {level: 9}).length} gzipped`);
console.log(`stereoPulseWeaver.js:   ${script.length} bytes, ${gzipSync(script, {level: 9}).length} gzipped`);
