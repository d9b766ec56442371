// A host for the plug-in compiled to WebAssembly, as the page's worklet is one:
// blocks of 128 frames, and what a session does (programmes, settings, slides)
// sent as parameter changes on their samples. It sends the same values on the
// same samples as spw_render's automation player: a slide sends a point at the
// start of every block spw_render would render (blocks of `renderBlock` frames,
// cut where an event is due), in the parameter's own units, normalised by the
// plug-in.

export const kQuantum = 128;  // frames the browser asks a worklet for at a time
const kProgramChangeId = -1;

export class WebPlugin {
  constructor(module) {
    this.m = module;
    this.h = module._spw_create();
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

// Where spw_render starts its blocks: every renderBlock frames, and where an
// event is due or a slide ends (a slide cut short by another event is not
// followed: no case has one).
function renderBlockStarts(eventFrames, total, renderBlock) {
  const starts = new Set();
  const due = [...new Set(eventFrames)].sort((a, b) => a - b);
  let next = 0;
  for (let f = 0; f < total;) {
    starts.add(f);
    while (next < due.length && due[next] <= f) ++next;
    f = Math.min(f + renderBlock, next < due.length ? due[next] : Infinity);
  }
  return starts;
}

// Renders `frames` of a session: events {frame, program} | {frame, set: [name,
// value]} | {frame, slide: [name, value, frames]}, in the order they apply. Gives
// both ears and the changes sent, {frame, id, value} in the order sent.
export function renderSession(plugin, events, frames, rate, renderBlock) {
  const left = new Float32Array(frames), right = new Float32Array(frames);
  const changes = [];
  let at = 0;
  const send = (id, value, frame) => {
    changes.push({frame, id, value});
    plugin.queue(id, value, frame - at);
  };
  const due = events.flatMap((e) => (e.slide ? [e.frame, e.frame + Math.max(1, e.slide[2])] : [e.frame]));
  const pointFrames = renderBlockStarts(due, frames, renderBlock);
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
      if (slides.length > 0 && pointFrames.has(f)) {
        for (const s of slides) {
          const part = (f - s.start) / (s.end - s.start);
          const value = f < s.end ? plugin.m._spw_plain_to_normalized(plugin.h, s.id, s.from + (s.to - s.from) * part)
                                  : s.toNormalized;
          send(s.id, value, f);
        }
        slides = slides.filter((s) => f < s.end);
      }
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
        const from = plugin.toPlain(id, sentThisBlock.get(id) ?? plugin.current(id));
        slides.push({id, from, to: plugin.toPlain(id, normalized), toNormalized: normalized,
                     start: f, end: f + Math.max(1, slideFrames)});
      }
    }
    plugin.process(n, left, right, at);
  }
  return {left, right, changes};
}
