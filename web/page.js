// The page's main thread: fetches and compiles the plug-in once, hands the
// compiled module to the audio worklet, and plays it live (Play, Stop, the
// programme, the settings, a session) or renders it offline faster than real
// time. An instance of its own on this thread lists the programmes and
// parameters and reads session files, so their problems show before a sound.

import {EditorView} from './editor_view.js';
import {wavBlob} from './wav_file.js';

const kProgramChangeId = -1;
const kQuantum = 128;
const kMaxSessionBytes = 16 << 20;  // as the tools: a timeline is a few kilobytes
const kMaxListedSteps = 8;          // parameters with more steps get a slider
const kMaxWavMinutes = 30;          // a longer render would hold gigabytes at once
const kWavRate = 48000;
const kFadeMs = 600;                // the output's half-second fade, and a little more
const kSettleQuanta = 4;            // 512 frames: longer than a phase re-alignment's 5 ms
const kEchoMs = 500;                // the worklet's report of a value the person just sent may be older than it

const compiled = WebAssembly.compileStreaming(fetch('stereoPulseWeaver.wasm'));

// An instance of the module on this thread.
async function mainThreadModule() {
  const module = await compiled;
  return createStereoPulseWeaver({
    instantiateWasm: (imports, receive) => {
      WebAssembly.instantiate(module, imports).then((instance) => receive(instance));
      return {};
    },
  });
}

// A worklet node of the plug-in in context; resolves once the plug-in is made,
// with the programme and parameter names it reported. session: a text it plays
// from the start; output: through the player's limiter and fades; stopAt: the
// frame where those fade out, as on Stop; changes: {id, value} applied before
// its first quantum (an offline render does not wait for messages).
async function pluginNode(context, {session = null, output = true, stopAt = Infinity, changes = []} = {}) {
  await context.audioWorklet.addModule('worklet.js');
  const node = new AudioWorkletNode(context, 'stereo-pulse-weaver', {
    numberOfInputs: 0,
    outputChannelCount: [2],
    processorOptions: {module: await compiled, session, output, stopAt, changes},
  });
  node.onprocessorerror = () => console.error('the audio worklet stopped on an error');
  const ready = await new Promise((resolve) => {
    node.port.onmessage = ({data}) => data.ready && resolve(data);
  });
  return {node, ...ready};
}

// Renders seconds of the plug-in at rate Hz in an OfflineAudioContext: a
// session's text from its start (null: the plug-in as it starts). As the plug-in
// makes them, or with output true through the limiter and fades as heard live,
// with Stop at stopAt seconds. changes: {id, value} applied first (the person's
// choices). Both ears as Float32Arrays.
export async function renderOffline(seconds, rate, session = null, {output = false, stopAt = Infinity, changes = []} = {}) {
  const context = new OfflineAudioContext(2, Math.round(seconds * rate), rate);
  const {node} = await pluginNode(context, {session, output, stopAt: stopAt * rate, changes});
  node.connect(context.destination);
  const rendered = await context.startRendering();
  return {left: rendered.getChannelData(0), right: rendered.getChannelData(1)};
}

// What the main thread's instance knows: programmes, parameters, the values the
// person chose (applied to it as to the worklet's), and a session's problems.
// It is the editor's instance too: the editor shows its values.
class Catalog {
  constructor(m) {
    this.m = m;
    this.h = m._spw_create_with_editor();
    m._spw_setup(this.h, 48000, kQuantum);
    // Its first block, as a host's: the plug-in's clock and status line start.
    m._spw_set_active(this.h, 1);
    this.settle();
    const texts = (count, text) => Array.from({length: count(this.h)}, (_, i) => m.UTF8ToString(text(this.h, i)));
    this.programs = texts(m._spw_program_count, m._spw_program_name);
    this.parameters = texts(m._spw_parameter_count, m._spw_parameter_name)
      .map((name, id) => ({id, name, steps: m._spw_parameter_steps(this.h, id)}));
    this.session = m._spw_session_create(this.h, kQuantum);
  }
  text(id, normalized) { return this.m.UTF8ToString(this.m._spw_parameter_text(this.h, id, normalized)); }
  // Applies a change ({id, value}, as the worklet takes it) here too; what the
  // plug-in writes itself on the way, the worklet's instance writes there too.
  apply({id, value}) {
    this.m._spw_queue_change(this.h, id, value, 0);
    this.settle();
    this.m._spw_clear_output_changes(this.h);
  }
  // A few blocks of its own, unheard, after a change: what the plug-in shows
  // once it has played one (phases re-aligned, the status line) is shown, as a
  // host's first block after a change shows it.
  settle() {
    for (let i = 0; i < kSettleQuanta; ++i) this.m._spw_process(this.h, kQuantum);
  }
  current(id) { return this.m._spw_parameter_normalized(this.h, id); }
  // The length of the session problems() last read without a problem.
  lengthFrames() { return this.m._spw_session_length(this.session); }
  // A session's problems, {line, message}, as the renderer lists them.
  problems(text, rate) { return this.m.loadSession(this.session, text, rate); }
}

// The person's choices, kept in the browser: the programme and the values set
// since (by parameter name), not where a session's automation left them.
class StoredChoices {
  static kKey = 'stereoPulseWeaver.settings';
  constructor(catalog) {
    this.catalog = catalog;
    this.program = null;
    this.values = {};
    this.problem = '';
    try {
      const saved = JSON.parse(localStorage.getItem(StoredChoices.kKey) ?? 'null');
      if (saved !== null) this.adopt(saved);
    } catch (error) {
      this.problem = `the settings saved in this browser could not be read (${error.message}): the defaults play`;
    }
  }
  // Keeps what of saved fits the plug-in: a programme it has, values of its
  // parameters within 0..1.
  adopt(saved) {
    const {programs, parameters} = this.catalog;
    if (Number.isInteger(saved.program) && saved.program >= 0 && saved.program < programs.length) {
      this.program = saved.program;
    }
    for (const [name, value] of Object.entries(saved.values ?? {})) {
      if (parameters.some((p) => p.name === name) && typeof value === 'number' && value >= 0 && value <= 1) {
        this.values[name] = value;
      }
    }
  }
  // The changes that restore them, in order.
  changes() {
    const changes = this.program === null ? [] : [{id: kProgramChangeId, value: this.program}];
    for (const p of this.catalog.parameters) {
      if (p.name in this.values) changes.push({id: p.id, value: this.values[p.name]});
    }
    return changes;
  }
  // A programme replaces every value.
  chooseProgram(index) {
    this.program = index;
    this.values = {};
    this.save();
  }
  chooseValue(name, value) {
    this.values[name] = value;
    this.save();
  }
  save() {
    try {
      localStorage.setItem(StoredChoices.kKey, JSON.stringify({program: this.program, values: this.values}));
    } catch {
      // A browser that keeps nothing (private mode, storage full) still plays.
    }
  }
}

// One control per parameter in the settings panel: a list for a few steps, else
// a slider, with the plug-in's text of the value. onChoose(id, normalized).
function settingsPanel(catalog, onChoose) {
  const controls = catalog.parameters.map((p) => {
    const label = document.createElement('label');
    const shown = document.createElement('output');
    let input;
    if (p.steps > 0 && p.steps <= kMaxListedSteps) {
      input = document.createElement('select');
      for (let k = 0; k <= p.steps; ++k) input.add(new Option(catalog.text(p.id, k / p.steps), k / p.steps));
    } else {
      input = Object.assign(document.createElement('input'), {type: 'range', min: 0, max: 1,
                                                              step: p.steps > 0 ? 1 / p.steps : 'any'});
    }
    input.dataset.parameter = p.name;
    input.oninput = () => {
      shown.value = catalog.text(p.id, Number(input.value));
      onChoose(p.id, Number(input.value));
    };
    label.append(p.name, input, shown);
    return {p, input, shown};
  });
  document.getElementById('settings').append(...controls.map((c) => c.input.parentElement));
  // Shows the values the catalog's instance holds.
  return () => {
    for (const {p, input, shown} of controls) {
      const value = catalog.current(p.id);
      input.value = p.steps > 0 && p.steps <= kMaxListedSteps ? String(Math.round(value * p.steps) / p.steps) : value;
      shown.value = catalog.text(p.id, value);
    }
  };
}

// The sleep timer: after the minutes chosen in select, calls stop (which fades
// out). Shows the time left in shown; a new choice while playing starts anew.
class SleepTimer {
  constructor(select, shown, stop) {
    Object.assign(this, {select, shown, stop, timer: null, ends: 0});
    select.disabled = false;
    select.onchange = () => this.timer !== null && this.start();
  }
  start() {
    this.cancel();
    const minutes = Number(this.select.value);
    if (!(minutes > 0)) return;
    this.ends = Date.now() + minutes * 60000;
    this.timer = setInterval(() => this.tick(), 1000);
    this.tick();
  }
  tick() {
    const left = Math.max(0, Math.ceil((this.ends - Date.now()) / 1000));
    this.shown.textContent = `stops in ${Math.floor(left / 60)}:${String(left % 60).padStart(2, '0')}`;
    if (left === 0) {
      this.cancel();
      this.stop();
    }
  }
  cancel() {
    clearInterval(this.timer);
    this.timer = null;
    this.shown.textContent = '';
  }
}

// Live: the programme list, the settings, the sessions, Play and Stop.
async function live() {
  const $ = (id) => document.getElementById(id);
  const catalog = new Catalog(await mainThreadModule());
  const choices = new StoredChoices(catalog);
  let context = null, plugin = null;
  // The chosen session without problems: {name, text, seconds, endsAt (on the context's clock)}.
  let session = null;
  const status = (text) => { $('status').textContent = text; };
  // When the person last sent each value (a programme: all of them), so that an older report does not undo it.
  const sentAt = new Map();
  const send = (message) => {
    if (message.id !== undefined) sentAt.set(message.id, performance.now());
    plugin?.node.port.postMessage(message);
  };
  const justSent = (id, now) => now - Math.max(sentAt.get(id) ?? -Infinity, sentAt.get(kProgramChangeId) ?? -Infinity) < kEchoMs;

  choices.changes().forEach((change) => catalog.apply(change));
  const showSettings = settingsPanel(catalog, (id, value) => {
    catalog.apply({id, value});
    choices.chooseValue(catalog.parameters[id].name, value);
    send({id, value});
  });
  showSettings();
  // The editor: what the person does there is sent and kept as the settings
  // panel's changes are; what the worklet's instance changed itself (a session,
  // its own writes) is shown, but for a value the person has just sent.
  const editor = new EditorView(catalog.m, catalog.h, $('editor'), (changes) => {
    for (const change of changes) {
      choices.chooseValue(catalog.parameters[change.id].name, change.value);
      send(change);
    }
    catalog.settle();
    showSettings();
  });
  const showPlayed = ({values, program}) => {
    const now = performance.now(), moved = [];
    values.forEach((value, id) => {
      if (value !== catalog.current(id) && !justSent(id, now)) moved.push({id, value});
    });
    editor.apply(moved);
    if (moved.length > 0) showSettings();
    $('programs').value = program;
  };
  catalog.programs.forEach((name, i) => $('programs').add(new Option(`${i} ${name}`, i)));
  $('programs').value = catalog.m._spw_current_program(catalog.h);
  $('programs').disabled = false;
  $('programs').onchange = () => {
    const change = {id: kProgramChangeId, value: Number($('programs').value)};
    catalog.apply(change);
    choices.chooseProgram(change.value);
    showSettings();
    send(change);
  };
  status(choices.problem);

  // A session chosen from the list or a file: its problems listed, or it plays.
  const choose = (name, text) => {
    const problems = text === null ? [] : catalog.problems(text, kWavRate);
    $('problems').replaceChildren(...problems.map((p) => {
      const item = document.createElement('li');
      item.textContent = p.line > 0 ? `${name}, line ${p.line}: ${p.message}` : `${name}: ${p.message}`;
      return item;
    }));
    session = text !== null && problems.length === 0 ? {name, text, seconds: catalog.lengthFrames() / kWavRate} : null;
    if (problems.length > 0) {
      status(`${name} has ${problems.length} problem${problems.length === 1 ? '' : 's'}: nothing plays`);
      if (!$('stop').disabled) $('stop').onclick();
      $('play').disabled = true;
      return;
    }
    status(session ? `session ${name}` : '');
    $('play').disabled = !$('stop').disabled;
    startSession();
  };
  // The chosen session plays from its start (none: the worklet leaves it).
  const startSession = () => {
    send({session: session ? session.text : null});
    if (session && context) session.endsAt = context.currentTime + session.seconds;
  };
  const listed = await (await fetch('sessions/index.json')).json();
  listed.forEach((file) => $('sessions').add(new Option(file.replace(/\.txt$/, ''), file)));
  $('sessions').disabled = false;
  $('sessions').onchange = async () => {
    const file = $('sessions').value;
    choose(file, file ? await (await fetch(`sessions/${file}`)).text() : null);
  };
  $('session-file').disabled = false;
  $('session-file').onchange = async () => {
    const file = $('session-file').files[0];
    if (!file) return;
    if (file.size > kMaxSessionBytes) {
      choose(file.name, null);
      status(`${file.name} is too large for a session (${file.size} bytes)`);
      return;
    }
    $('sessions').value = '';
    choose(file.name, await file.text());
  };

  // Play and Stop: the worklet's output rises and fades as the player's; once
  // faded, the context is suspended (no processor time while stopped). A
  // session ends faded at its length on the context's clock.
  const playing = (on) => {
    $('play').disabled = on || (session === null && $('problems').childElementCount > 0);
    $('stop').disabled = !on;
  };
  const stopped = () => {
    context.suspend();
    sleepTimer.cancel();
    playing(false);
  };
  $('play').disabled = false;
  $('play').onclick = async () => {
    if (!context) {
      context = new AudioContext();
      plugin = await pluginNode(context);
      plugin.node.connect(context.destination);
      plugin.node.port.onmessage = ({data}) => data.values && showPlayed(data);
      // The person's choices first: a session's own settings apply after them.
      choices.changes().forEach(send);
      startSession();
    } else {
      send({resume: true});
      if (session && context.currentTime >= session.endsAt) startSession();  // again from its start
    }
    await context.resume();
    sleepTimer.start();
    playing(true);
  };
  $('stop').onclick = () => {
    send({fade: true});
    $('stop').disabled = true;
    setTimeout(stopped, kFadeMs);
  };
  setInterval(() => {
    if (session && !$('stop').disabled && context.currentTime >= session.endsAt) {
      status(`${session.name} has ended`);
      stopped();
    }
  }, 250);
  const sleepTimer = new SleepTimer($('sleep'), $('sleep-left'), () => $('stop').onclick());

  // Save as WAV: the chosen session, or the programme and settings for the
  // minutes asked, rendered as heard (limiter, fades) faster than real time.
  $('save-wav').disabled = false;
  $('save-wav').onclick = async () => {
    const asked = session ? session.seconds : Number($('wav-minutes').value) * 60;
    if (!(asked > 0)) {
      status('Save as WAV: give a length in minutes above 0');
      return;
    }
    const seconds = Math.min(asked, kMaxWavMinutes * 60);
    const name = session ? session.name.replace(/\.txt$/, '') : catalog.programs[Number($('programs').value)];
    $('save-wav').disabled = true;
    status(`rendering ${name}${seconds < asked ? ` (its first ${kMaxWavMinutes} minutes: the longest a WAV here takes)` : ''}...`);
    try {
      const started = performance.now();
      const {left, right} = await renderOffline(seconds, kWavRate, session?.text ?? null,
        {output: true, stopAt: seconds - 0.5, changes: choices.changes()});
      const link = Object.assign(document.createElement('a'), {
        href: URL.createObjectURL(wavBlob(left, right, kWavRate)),
        download: `stereoPulseWeaver - ${name.replace(/[\\/:*?"<>|]/g, '_')}.wav`,
      });
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      status(`saved ${link.download}: ${(seconds / ((performance.now() - started) / 1000)).toFixed(0)}x real time`);
    } catch (error) {
      status(`Save as WAV failed: ${error.message}`);
    }
    $('save-wav').disabled = false;
  };
  window.stereoPulseWeaver.ready = true;
}

window.stereoPulseWeaver = {renderOffline, ready: false};
// Offline after the first visit, and installable as an app.
navigator.serviceWorker?.register('sw.js').catch((error) => console.warn(`no offline use: ${error.message}`));
live();
