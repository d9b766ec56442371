// The web binding as a page uses it: state saved and restored, bad input refused
// with the plug-in unharmed, and changes on one sample applied in order.
//   node --no-experimental-fetch binding_test.mjs MODULE.js
import {createRequire} from 'node:module';
import path from 'node:path';

import {WebPlugin} from './web_host.mjs';

const m = await createRequire(import.meta.url)(path.resolve(process.argv[2]))();
const kProgramChangeId = -1;

function started(changes = []) {
  const p = new WebPlugin(m);
  m._spw_setup(p.h, 48000, 128);
  m._spw_set_active(p.h, 1);
  for (const [id, value, offset = 0] of changes) p.queue(id, value, offset);
  m._spw_process(p.h, 128);
  return p;
}
const values = (p) => p.names.map((_, id) => p.current(id));
const same = (a, b) => a.length === b.length && a.every((x, i) => Object.is(x, b[i]));
const stateOf = (p) => {
  const size = m._spw_save_state(p.h);
  return m.HEAPU8.slice(m._spw_state_data(), m._spw_state_data() + size);
};
// Copies bytes into the module's memory for the call, and frees them after.
function load(p, bytes) {
  const at = m._malloc(Math.max(1, bytes.length));
  m.HEAPU8.set(bytes, at);
  const ok = m._spw_load_state(p.h, at, bytes.length);
  m._free(at);
  return ok;
}

const probe = new WebPlugin(m);
const binaural = probe.param('Binaural'), volume = probe.param('Volume');
const relaxed = probe.program('Binaural - 10.6 (Relaxed & alert)');
probe.destroy();

// Each case: what it does, and whether the plug-in then is as it must be.
const cases = [
  ['a saved state restores every value in a new instance', () => {
    const a = started([[kProgramChangeId, relaxed], [binaural, 0.2], [volume, 0.33]]);
    const b = started();
    const ok = load(b, stateOf(a)) === 1 && same(values(a), values(b)) && same(stateOf(a), stateOf(b));
    a.destroy();
    b.destroy();
    return ok;
  }],
  ['a state cut short is refused and keeps the values it did not hold', () => {
    const a = started([[kProgramChangeId, relaxed]]);
    const b = started([[volume, 0.5]]);
    const before = values(b);
    const cut = stateOf(a).slice(0, 8 * volume);  // the values before "Volume"
    const ok = load(b, cut) === 0 && b.current(volume) === before[volume] &&
               b.current(binaural) === a.current(binaural);
    a.destroy();
    b.destroy();
    return ok;
  }],
  ['an unknown parameter is refused', () => {
    const p = started();
    const ok = m._spw_queue_change(p.h, p.names.length, 0.5, 0) === 0 && m._spw_queue_change(p.h, -2, 0.5, 0) === 0;
    p.destroy();
    return ok;
  }],
  ['a block holds 512 changes, and refuses the next', () => {
    const p = started();
    let accepted = 0;
    while (accepted < 600 && m._spw_queue_change(p.h, volume, 0.5, accepted % 128)) ++accepted;
    const ok = accepted === 512 && m._spw_process(p.h, 128) === 1;
    p.destroy();
    return ok;
  }],
  ['a block longer than the set-up is refused, silent', () => {
    const p = started([[kProgramChangeId, relaxed]]);
    const ok = m._spw_process(p.h, 129) === 0 &&
               new Float32Array(m.HEAPF32.buffer, m._spw_output(p.h, 0), 128).every((x) => x === 0);
    p.destroy();
    return ok;
  }],
  ['on one sample the changes apply in the order queued', () => {
    const p = started([[volume, 0.1, 5], [volume, 0.74, 5]]);
    const ok = p.current(volume) === 0.74;
    p.destroy();
    return ok;
  }],
  ['on one sample a programme after a setting replaces it', () => {
    const p = started([[binaural, 0.9, 3], [kProgramChangeId, relaxed, 3]]);
    const fresh = started([[kProgramChangeId, relaxed]]);
    const ok = p.current(binaural) === fresh.current(binaural);
    p.destroy();
    fresh.destroy();
    return ok;
  }],
];

let failures = 0;
for (const [name, check] of cases) {
  const ok = check();
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}`);
  if (!ok) ++failures;
}
process.exit(failures ? 1 : 0);
