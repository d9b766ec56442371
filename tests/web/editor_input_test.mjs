// The page's editor instance as a person uses it: a click on a free grid cell,
// a knob dragged, a value typed after a right click, the page's scale. What the
// editor reports is what the page sends the worklet's instance, and that
// instance then plays it; what the worklet's instance writes itself, applied to
// the editor's, is shown there.
//   node --no-experimental-fetch editor_input_test.mjs MODULE.js
import assert from 'node:assert/strict';
import {createRequire} from 'node:module';
import path from 'node:path';

import {WebPlugin} from './web_host.mjs';

const m = await createRequire(import.meta.url)(path.resolve(process.argv[2]))();
const kProgramChangeId = -1, kRate = 48000, kQuantum = 128;
const kLeft = 1, kRight = 2;
// "C Major style" lights the fourth grid row; the last cell of the fifth row, 627.19 Hz, is free.
const kFreeCell = [457, 375], kCellHz = 627.19;
const kVolumeKnob = [234, 224];

function editorAt(programme) {
  const e = new WebPlugin(m, {withEditor: true});
  m._spw_apply_change(e.h, kProgramChangeId, e.program(programme));
  m._spw_clear_output_changes(e.h);
  m._spw_editor_tick(e.h);
  return e;
}
function playerAt(programme) {
  const p = new WebPlugin(m);
  m._spw_setup(p.h, kRate, kQuantum);
  m._spw_set_active(p.h, 1);
  p.queue(kProgramChangeId, p.program(programme), 0);
  return p;
}
const picture = (e) => m.HEAPU8.slice(m._spw_editor_rgba(e.h), m._spw_editor_rgba(e.h) + m._spw_editor_width(e.h) * m._spw_editor_height(e.h) * 4);
// What the plug-in reported since the last call, as [id, value], the list then cleared.
function reported(p) {
  const changes = [];
  for (let i = 0; i < m._spw_output_change_count(p.h); ++i) {
    changes.push([m._spw_output_change_id(p.h, i), m._spw_output_change_value(p.h, i)]);
  }
  m._spw_clear_output_changes(p.h);
  return changes;
}
// A press, a tick, a release and a tick, as a person's click spans the editor's timer.
function click(e, [x, y], button = kLeft) {
  m._spw_editor_mouse_move(e.h, x, y, 0);
  m._spw_editor_mouse_down(e.h, x, y, button);
  m._spw_editor_tick(e.h);
  m._spw_editor_mouse_up(e.h, x, y, 0);
  m._spw_editor_tick(e.h);
}
// seconds of the player's left ear, after the changes are queued on its next block.
function play(p, changes, seconds) {
  for (const [id, value] of changes) p.queue(id, value, 0);
  const left = new Float32Array(Math.ceil((seconds * kRate) / kQuantum) * kQuantum);
  for (let at = 0; at < left.length; at += kQuantum) p.process(kQuantum, left, new Float32Array(left.length), at);
  return left;
}
function strength(samples, hz) {
  let re = 0, im = 0;
  samples.forEach((s, i) => {
    const w = 0.5 - 0.5 * Math.cos((2 * Math.PI * i) / samples.length);
    re += s * w * Math.cos((2 * Math.PI * hz * i) / kRate);
    im += s * w * Math.sin((2 * Math.PI * hz * i) / kRate);
  });
  return Math.hypot(re, im) / samples.length;
}
const rms = (s) => Math.sqrt(s.reduce((a, x) => a + x * x, 0) / s.length);
const differing = (a, b, [x0, y0, x1, y1], width) => {
  let n = 0;
  for (let y = y0; y < y1; ++y) for (let x = x0; x < x1; ++x) n += a.subarray((y * width + x) * 4, (y * width + x) * 4 + 4).some((v, k) => v !== b[(y * width + x) * 4 + k]);
  return n;
};

// A click on a free cell: the cell lights, and the player sounds its tone.
{
  const e = editorAt('C Major style'), before = picture(e);
  click(e, kFreeCell);
  const edits = reported(e);
  assert.ok(edits.some(([id]) => e.names[id].startsWith('Slot')), `a slot is reported: ${JSON.stringify(edits)}`);
  const [x, y] = kFreeCell;
  assert.ok(differing(before, picture(e), [x - 10, y - 6, x + 10, y + 6], 520) > 20, 'the cell is drawn lit');
  const heard = play(playerAt('C Major style'), edits, 1.0).subarray(kRate / 2);
  const unheard = play(playerAt('C Major style'), [], 1.0).subarray(kRate / 2);
  assert.ok(strength(heard, kCellHz) > 20 * strength(unheard, kCellHz), 'the cell\'s tone is heard');
  e.destroy();
}

// "Volume" dragged down: the values reported fall step by step, and the player plays quieter.
{
  const e = editorAt('C Major style'), volume = e.param('Volume'), start = e.current(volume);
  let [x, y] = kVolumeKnob;
  m._spw_editor_mouse_move(e.h, x, y, 0);
  m._spw_editor_mouse_down(e.h, x, y, kLeft);
  for (let k = 0; k < 4; ++k) {
    m._spw_editor_mouse_move(e.h, x, (y += 10), kLeft);
    m._spw_editor_tick(e.h);
  }
  m._spw_editor_mouse_up(e.h, x, y, 0);
  const edits = reported(e).filter(([id]) => id === volume).map(([, v]) => v);
  assert.ok(edits.length >= 3 && edits.every((v, i) => i === 0 || v < edits[i - 1]), `falling: ${edits}`);
  assert.ok(e.current(volume) < start);
  const player = playerAt('C Major style');
  const quieter = rms(play(player, edits.map((v) => [volume, v]), 1.0).subarray(kRate / 2));
  assert.equal(player.current(volume), e.current(volume), 'the player holds what the editor shows');
  const loud = rms(play(playerAt('C Major style'), [], 1.0).subarray(kRate / 2));
  assert.ok(quieter < 0.9 * loud, `${quieter} against ${loud}`);
  e.destroy();
}

// A right click on the knob opens a box over it with the value's text; "50" typed is taken, reported and drawn.
{
  const e = editorAt('C Major style'), volume = e.param('Volume');
  click(e, kVolumeKnob, kRight);
  assert.equal(m._spw_editor_entry_kind(e.h), 1);
  const box = [0, 1, 2, 3].map((side) => m._spw_editor_entry_rect(e.h, side));
  assert.ok(box[0] <= kVolumeKnob[0] && kVolumeKnob[0] <= box[2] && box[1] <= kVolumeKnob[1] && kVolumeKnob[1] <= box[3], `${box}`);
  assert.equal(m.UTF8ToString(m._spw_editor_entry_text(e.h)), m.UTF8ToString(m._spw_parameter_text(e.h, volume, e.current(volume))));
  const text = m._malloc(3);
  m.stringToUTF8('50', text, 3);
  assert.equal(m._spw_editor_entry_answer(e.h, text), 1);
  m._free(text);
  m._spw_editor_tick(e.h);
  assert.equal(m._spw_editor_entry_kind(e.h), 0, 'closed');
  assert.equal(m.UTF8ToString(m._spw_parameter_text(e.h, volume, e.current(volume))), '50');
  assert.deepEqual(reported(e).filter(([id]) => id === volume).at(-1), [volume, e.current(volume)]);
  e.destroy();
}

// What the player writes itself ("Unlink Ref" when "Link Freq" goes off) reaches the editor as a host's change.
{
  const e = editorAt('C Major style'), p = playerAt('C Major style');
  play(p, [[p.param('Link Freq'), 0]], 0.01);
  const writes = reported(p).filter(([id]) => p.names[id] === 'Unlink Ref');
  assert.equal(writes.length, 1, 'the player unlinks');
  for (const [id, value] of writes) m._spw_apply_change(e.h, id, value);
  assert.equal(e.current(writes[0][0]), writes[0][1]);
  assert.deepEqual(reported(e), [], 'applied, not reported back');
  e.destroy();
}

// The page's scale: the picture at twice the size.
{
  const e = editorAt('C Major style');
  m._spw_editor_set_scale(e.h, 2);
  m._spw_editor_tick(e.h);
  assert.deepEqual([m._spw_editor_width(e.h), m._spw_editor_height(e.h)], [1040, 804]);
  e.destroy();
}
console.log('editor input: a cell, a knob drag, a typed value, the player\'s own writes and the scale as a person meets them');
