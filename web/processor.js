// The plug-in's audio thread in a page: an AudioWorkletProcessor that renders
// each 128-frame quantum with the plug-in's process. The build appends this file
// to the module's script (stereoPulseWeaver.js) as worklet.js, so that
// createStereoPulseWeaver is at hand; the compiled module itself comes from the
// page (processorOptions.module), which fetched it once.
//
// Doors into this thread, each read only here:
//   processorOptions.schedule  changes {frame, id, value} on frames of the
//                              context's timeline, in order (offline renders)
//   port messages              {id, value} from the page, applied at the start
//                              of the next quantum; {resume: true} after a pause,
//                              which switches the plug-in on again (the phases
//                              re-align, as the desktop's watchdog has them do)
// and out of it: port message {ready, programs, parameters} once the plug-in
// is made. process() allocates nothing: the changes wait in fixed arrays.

const kQuantum = 128;
const kMaxPendingChanges = 1024;

// The AudioWorklet scope has no performance clock: the plug-in's clock (its
// status line's nine seconds) runs on the audio timeline.
globalThis.performance ??= {now: () => currentTime * 1000};

class StereoPulseWeaverProcessor extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const {module, schedule = []} = options.processorOptions;
    this.schedule = schedule;
    this.next = 0;
    this.pendingIds = new Int32Array(kMaxPendingChanges);
    this.pendingValues = new Float64Array(kMaxPendingChanges);
    this.pendingCount = 0;
    this.resumePending = false;
    this.port.onmessage = ({data}) => {
      if (data.resume) this.resumePending = true;
      if (data.resume || this.pendingCount >= kMaxPendingChanges) return;
      this.pendingIds[this.pendingCount] = data.id;
      this.pendingValues[this.pendingCount++] = data.value;
    };
    createStereoPulseWeaver({
      instantiateWasm: (imports, receive) => {
        const instance = new WebAssembly.Instance(module, imports);
        receive(instance);
        return instance.exports;
      },
    }).then((m) => this.start(m));
  }

  start(m) {
    const h = m._spw_create();
    m._spw_setup(h, sampleRate, kQuantum);
    m._spw_set_active(h, 1);
    // The module's memory never grows: views made once stay valid.
    this.left = new Float32Array(m.HEAPF32.buffer, m._spw_output(h, 0), kQuantum);
    this.right = new Float32Array(m.HEAPF32.buffer, m._spw_output(h, 1), kQuantum);
    this.m = m;
    this.h = h;
    const texts = (count, text) => Array.from({length: count(h)}, (_, i) => m.UTF8ToString(text(h, i)));
    this.port.postMessage({
      ready: true,
      programs: texts(m._spw_program_count, m._spw_program_name),
      parameters: texts(m._spw_parameter_count, m._spw_parameter_name),
    });
  }

  process(inputs, outputs) {
    const out = outputs[0];
    if (!this.m) return true;  // silent until the plug-in is made
    const m = this.m, h = this.h;
    if (this.resumePending) m._spw_set_active(h, 1);
    this.resumePending = false;
    for (let i = 0; i < this.pendingCount; ++i) m._spw_queue_change(h, this.pendingIds[i], this.pendingValues[i], 0);
    this.pendingCount = 0;
    const end = currentFrame + kQuantum;
    for (; this.next < this.schedule.length && this.schedule[this.next].frame < end; ++this.next) {
      const change = this.schedule[this.next];
      m._spw_queue_change(h, change.id, change.value, Math.max(0, change.frame - currentFrame));
    }
    m._spw_process(h, kQuantum);
    out[0].set(this.left);
    if (out.length > 1) out[1].set(this.right);
    return true;
  }
}

registerProcessor('stereo-pulse-weaver', StereoPulseWeaverProcessor);
