// A host for the plug-in compiled to WebAssembly, as the page's worklet is one:
// blocks of 128 frames, and what a session does (programmes, settings, slides)
// sent as parameter changes on their samples. It sends the same values on the
// same samples as spw_render's automation player: a slide sends a point every
// 10 ms from its start (a grid of its own, wherever blocks fall) and at its end,
// linear in the parameter's own units through the same table of 1024 steps the
// tools interpolate (tools/render/parameter_scale.cpp).

export const kQuantum = 128;  // frames the browser asks a worklet for at a time
const kProgramChangeId = -1;

export class WebPlugin {
  // withEditor: the page's instance, which shows the editor.
  constructor(module, {withEditor = false} = {}) {
    this.m = module;
    this.h = withEditor ? module._spw_create_with_editor() : module._spw_create();
    this.names = [];
    for (let i = 0; i < module._spw_parameter_count(this.h); ++i) {
      this.names.push(module.UTF8ToString(module._spw_parameter_name(this.h, i)));
    }
  }
  destroy() { this.m._spw_destroy(this.h); }
  param(name) {
    const id = this.names.indexOf(name);
    if (id < 0) throw new Error(`no parameter ${name}`);
    return id;
  }
  program(name) {
    for (let i = 0; i < this.m._spw_program_count(this.h); ++i) {
      if (this.m.UTF8ToString(this.m._spw_program_name(this.h, i)) === name) return i;
    }
    throw new Error(`no programme ${name}`);
  }
  // A setting's normalised value, as spw_render's --set resolves it.
  normalized(id, value) {
    const steps = this.m._spw_parameter_steps(this.h, id);
    for (let k = 0; k <= steps && steps > 0; ++k) {
      if (this.m.UTF8ToString(this.m._spw_parameter_text(this.h, id, k / steps)) === value) return k / steps;
    }
    const n = this.m._spw_plain_to_normalized(this.h, id, Number(value));
    return steps > 0 ? Math.round(n * steps) / steps : n;
  }
  toPlain(id, normalized) { return this.m._spw_normalized_to_plain(this.h, id, normalized); }
  current(id) { return this.m._spw_parameter_normalized(this.h, id); }
  queue(id, value, offset) {
    if (!this.m._spw_queue_change(this.h, id, value, offset)) throw new Error('change refused');
  }
  // One block into left and right (Float32Arrays) at frame `at`.
  process(frames, left, right, at) {
    if (!this.m._spw_process(this.h, frames)) throw new Error('process refused');
    const heap = this.m.HEAPF32.buffer;
    left.set(new Float32Array(heap, this.m._spw_output(this.h, 0), frames), at);
    right.set(new Float32Array(heap, this.m._spw_output(this.h, 1), frames), at);
  }
}

const kScalePoints = 1024;        // intervals of the tools' scale table
const kSlidePointsPerSecond = 100;  // a slide's points: every 10 ms

// One parameter's scale as the tools keep it: plain values at kScalePoints + 1
// normalised points, interpolated both ways.
class ScaleRow {
  constructor(plugin, id) {
    this.row = [];
    for (let k = 0; k <= kScalePoints; ++k) this.row.push(plugin.toPlain(id, k / kScalePoints));
  }
  toPlain(normalized) {
    const x = Math.min(1, Math.max(0, normalized)) * kScalePoints;
    const k = Math.min(kScalePoints - 1, Math.trunc(x));
    return this.row[k] + (this.row[k + 1] - this.row[k]) * (x - k);
  }
  toNormalized(plain) {
    const row = this.row;
    const rising = row[kScalePoints] >= row[0];
    // The first point at or beyond plain, in the direction the scale runs.
    let lo = 0, hi = row.length;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (rising ? row[mid] < plain : row[mid] > plain) lo = mid + 1; else hi = mid;
    }
    if (lo === 0) return 0;
    if (lo === row.length) return 1;
    const k = lo - 1;
    const span = row[k + 1] - row[k];
    const part = span !== 0 ? (plain - row[k]) / span : 0;
    return Math.min(1, Math.max(0, (k + part) / kScalePoints));
  }
}

// Renders `frames` of a session: events {frame, program} | {frame, set: [name,
// value]} | {frame, slide: [name, value, frames]}, in the order they apply. Gives
// both ears and the changes sent, {frame, id, value} in the order sent.
export function renderSession(plugin, events, frames, rate) {
  const left = new Float32Array(frames), right = new Float32Array(frames);
  const changes = [];
  let at = 0;
  const send = (id, value, frame) => {
    changes.push({frame, id, value});
    plugin.queue(id, value, frame - at);
  };
  const gap = Math.max(1, Math.trunc(rate / kSlidePointsPerSecond));
  const scales = new Map();  // id -> ScaleRow
  const scale = (id) => scales.get(id) ?? scales.set(id, new ScaleRow(plugin, id)).get(id);
  let slides = [];
  let next = 0;
  if (!plugin.m._spw_setup(plugin.h, rate, kQuantum)) throw new Error('setup refused');
  plugin.m._spw_set_active(plugin.h, 1);
  for (; at < frames; at += kQuantum) {
    const n = Math.min(kQuantum, frames - at);
    const sentThisBlock = new Map();  // id -> normalised value queued in this block
    const frameOfEvent = () => (next < events.length && events[next].frame < at + n ? events[next].frame : Infinity);
    for (let f = slides.length > 0 ? at : Math.min(frameOfEvent(), at + n); f < at + n;
         f = slides.length > 0 ? f + 1 : Math.min(frameOfEvent(), at + n)) {
      for (const s of slides) {
        if (f < s.next) continue;
        if (f >= s.end) {
          send(s.id, s.toNormalized, f);
          s.done = true;
          continue;
        }
        send(s.id, scale(s.id).toNormalized(s.from + (s.to - s.from) * ((f - s.start) / (s.end - s.start))), f);
        s.next = Math.min(s.end, s.start + (Math.trunc((f - s.start) / gap) + 1) * gap);
      }
      slides = slides.filter((s) => !s.done);
      for (; next < events.length && events[next].frame === f; ++next) {
        const e = events[next];
        if (e.program !== undefined) {
          send(kProgramChangeId, plugin.program(e.program), f);
          slides = [];
          sentThisBlock.clear();
          continue;
        }
        const [name, value, slideFrames] = e.set ?? e.slide;
        const id = plugin.param(name);
        const normalized = plugin.normalized(id, value);
        slides = slides.filter((s) => s.id !== id);
        if (e.set) {
          send(id, normalized, f);
          sentThisBlock.set(id, normalized);
          continue;
        }
        // From the value the plug-in holds once everything before the slide applies.
        const from = scale(id).toPlain(sentThisBlock.get(id) ?? plugin.current(id));
        const end = f + Math.max(1, slideFrames);
        slides.push({id, from, to: scale(id).toPlain(normalized), toNormalized: normalized,
                     start: f, end, next: Math.min(end, f + gap)});
      }
    }
    plugin.process(n, left, right, at);
  }
  return {left, right, changes};
}
