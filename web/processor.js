// The plug-in's audio thread in a page: an AudioWorkletProcessor that renders
// each 128-frame quantum with the plug-in's process. The build appends this file
// to the module's script (stereoPulseWeaver.js) as worklet.js, so that
// createStereoPulseWeaver is at hand; the compiled module itself comes from the
// page (processorOptions.module), which fetched it once.
//
// Doors into this thread, each read only here:
//   processorOptions.session   a session's text, played from the start (offline
//                              renders)
//   processorOptions.output    true: the sound leaves through the player's
//                              limiter and fades (live); false: as the plug-in
//                              makes it (renders compared with spw_render's)
//   processorOptions.stopAt    a frame of the context's timeline where the
//                              output starts its fade to silence, as on Stop
//   processorOptions.changes   [{id, value}] applied before the first quantum
//                              (the person's choices, for an offline render,
//                              which does not wait for port messages)
//   port messages              {id, value} from the page, applied at the start
//                              of the next quantum; {resume: true} after a pause,
//                              which switches the plug-in on again (the phases
//                              re-align, as the desktop's watchdog has them do)
//                              and the output rises from silence again;
//                              {fade: true} fades the output to silence;
//                              {session: text} plays a session from its start
//                              (one with problems: silence, nothing plays),
//                              {session: null} leaves it where it is
// and out of it: port messages {ready, programs, parameters} once the plug-in
// is made, {session: {problems, length}} once one is read (problems as
// {line, message}; length in frames), and {values, program} (every
// parameter's normalised value, and the programme) when a session or the
// plug-in itself changed one, at most 24 times a second, for the editor. The
// page keeps time itself: a fade is over half a second after it asked, a
// session at its length.
// process() allocates nothing but that message, when a value changed: the
// changes wait in fixed arrays, and sessions are read in the message handler,
// outside it.

const kQuantum = 128;
const kMaxPendingChanges = 1024;
const kValueReportSeconds = 1 / 24;  // the editor's redraw rate

// The AudioWorklet scope has no performance clock: the plug-in's clock (its
// status line's nine seconds) runs on the audio timeline.
globalThis.performance ??= {now: () => currentTime * 1000};

class StereoPulseWeaverProcessor extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const {module, session = null, output = true, stopAt = Infinity, changes = []} = options.processorOptions;
    this.stopAt = stopAt;
    this.sessionText = session;
    this.output = output;
    this.fading = false;
    this.pendingIds = new Int32Array(kMaxPendingChanges);
    this.pendingValues = new Float64Array(kMaxPendingChanges);
    this.pendingCount = 0;
    for (const {id, value} of changes.slice(0, kMaxPendingChanges)) {
      this.pendingIds[this.pendingCount] = id;
      this.pendingValues[this.pendingCount++] = value;
    }
    this.resumePending = false;
    this.port.onmessage = ({data}) => {
      if (data.resume) this.resumePending = true;
      if (data.fade) this.fading = true;
      if (data.session !== undefined) this.loadSession(data.session);
      if (data.resume || data.fade || data.session !== undefined || this.pendingCount >= kMaxPendingChanges) return;
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
    this.m = m;
    this.h = h;
    const texts = (count, text) => Array.from({length: count(h)}, (_, i) => m.UTF8ToString(text(h, i)));
    this.session = m._spw_session_create(h, kQuantum);
    this.makeViews();
    this.reported = new Float64Array(m._spw_parameter_count(h)).fill(NaN);
    this.reportedProgram = -1;
    this.sinceReport = 0;
    this.sessionPlaying = this.silent = false;
    this.stage = this.output ? m._spw_output_create(sampleRate) : 0;
    this.fadeFrames = this.stage ? m._spw_output_fade_frames(this.stage) : 0;
    this.port.postMessage({
      ready: true,
      programs: texts(m._spw_program_count, m._spw_program_name),
      parameters: texts(m._spw_parameter_count, m._spw_parameter_name),
    });
    if (this.sessionText !== null) this.loadSession(this.sessionText);
  }

  // Views of the output buffers in the module's memory. Memory that grows (a
  // session read) gets a new buffer, and views of the old one are empty: they
  // are made again then, outside the process call's usual path.
  makeViews() {
    const m = this.m, heap = m.HEAPF32.buffer;
    this.left = new Float32Array(heap, m._spw_output(this.h, 0), kQuantum);
    this.right = new Float32Array(heap, m._spw_output(this.h, 1), kQuantum);
    this.sessionLeft = new Float32Array(heap, m._spw_session_output(this.session, 0), kQuantum);
    this.sessionRight = new Float32Array(heap, m._spw_session_output(this.session, 1), kQuantum);
  }

  // Reads a session's text with the module's session reader; plays it from its
  // start when it has no problem, and nothing when it has.
  loadSession(text) {
    if (!this.m) {
      this.sessionText = text;
      return;
    }
    this.sessionPlaying = this.silent = false;
    if (text === null) return;
    const problems = this.m.loadSession(this.session, text, sampleRate);
    this.makeViews();
    this.sessionPlaying = problems.length === 0;
    this.silent = problems.length > 0;
    this.port.postMessage({session: {problems, length: this.m._spw_session_length(this.session)}});
  }

  process(inputs, outputs) {
    const out = outputs[0];
    if (!this.m) return true;  // silent until the plug-in is made
    const m = this.m, h = this.h;
    if (this.resumePending) {
      m._spw_set_active(h, 1);
      if (this.stage) m._spw_output_restart(this.stage);
      this.fading = false;
    }
    this.resumePending = false;
    for (let i = 0; i < this.pendingCount; ++i) m._spw_queue_change(h, this.pendingIds[i], this.pendingValues[i], 0);
    this.pendingCount = 0;
    if (this.silent) return true;  // the outputs come zeroed
    if (this.left.buffer !== m.HEAPF32.buffer) this.makeViews();
    let left = this.left, right = this.right;
    if (this.sessionPlaying && m._spw_session_render(this.session, kQuantum)) {
      left = this.sessionLeft;
      right = this.sessionRight;
      // The session's end arrives faded.
      const framesLeft = m._spw_session_length(this.session) - m._spw_session_frame(this.session);
      if (framesLeft <= this.fadeFrames) this.fading = true;
    } else {
      this.sessionPlaying = false;
      m._spw_process(h, kQuantum);
    }
    if (currentFrame + kQuantum > this.stopAt) this.fading = true;
    if (this.stage) m._spw_output_process(this.stage, left.byteOffset, right.byteOffset, kQuantum, this.fading);
    out[0].set(left);
    if (out.length > 1) out[1].set(right);
    if ((this.sinceReport += kQuantum) >= kValueReportSeconds * sampleRate) this.reportValues();
    return true;
  }

  // The values as they stand, when one moved since the last report.
  reportValues() {
    const m = this.m, h = this.h, reported = this.reported;
    this.sinceReport = 0;
    let moved = m._spw_current_program(h) !== this.reportedProgram;
    for (let i = 0; i < reported.length; ++i) {
      const value = m._spw_parameter_normalized(h, i);
      moved ||= value !== reported[i];
      reported[i] = value;
    }
    this.reportedProgram = m._spw_current_program(h);
    if (moved) this.port.postMessage({values: reported.slice(), program: this.reportedProgram});
  }
}

registerProcessor('stereo-pulse-weaver', StereoPulseWeaverProcessor);
