// A host for the plug-in compiled to WebAssembly, as the page's worklet is one:
// blocks of 128 frames, with parameter changes on their samples, or a session
// played by the module's own session player.

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

// Renders `frames` with changes {frame, id, value} (in frame order) queued on
// their samples of the browser's blocks. Both ears.
export function renderChanges(plugin, changes, frames, rate) {
  const left = new Float32Array(frames), right = new Float32Array(frames);
  if (!plugin.m._spw_setup(plugin.h, rate, kQuantum)) throw new Error('setup refused');
  plugin.m._spw_set_active(plugin.h, 1);
  let next = 0;
  for (let at = 0; at < frames; at += kQuantum) {
    const n = Math.min(kQuantum, frames - at);
    for (; next < changes.length && changes[next].frame < at + n; ++next) {
      plugin.queue(changes[next].id, changes[next].value, changes[next].frame - at);
    }
    plugin.process(n, left, right, at);
  }
  return {left, right};
}

// Renders the first `frames` of a session's text as the page's worklet plays it:
// read and played by the module's session player (the renderer's own code).
// Both ears; throws with the session's problems.
export function renderSessionText(plugin, text, frames, rate) {
  const m = plugin.m;
  const left = new Float32Array(frames), right = new Float32Array(frames);
  if (!m._spw_setup(plugin.h, rate, kQuantum)) throw new Error('setup refused');
  m._spw_set_active(plugin.h, 1);
  const session = m._spw_session_create(plugin.h, kQuantum);
  try {
    const problems = m.loadSession(session, text, rate);
    if (problems.length > 0) {
      throw new Error(`the session has problems: ${problems.map((p) => `${p.line}: ${p.message}`).join('; ')}`);
    }
    for (let at = 0; at < frames; at += kQuantum) {
      const n = Math.min(kQuantum, frames - at);
      m._spw_session_render(session, n);
      const heap = m.HEAPF32.buffer;
      left.set(new Float32Array(heap, m._spw_session_output(session, 0), n), at);
      right.set(new Float32Array(heap, m._spw_session_output(session, 1), n), at);
    }
  } finally {
    m._spw_session_destroy(session);
  }
  return {left, right};
}
