// The page's main thread: fetches and compiles the plug-in once, hands the
// compiled module to the audio worklet, and plays it live (Play, Stop, the
// programme list) or renders it offline faster than real time.

const kProgramChangeId = -1;
const kFadeSeconds = 0.5;  // Play and Stop fade as the player does

const compiled = WebAssembly.compileStreaming(fetch('stereoPulseWeaver.wasm'));

// A worklet node of the plug-in in context; resolves once the plug-in is made,
// with the programme and parameter names it reported.
async function pluginNode(context, schedule = []) {
  await context.audioWorklet.addModule('worklet.js');
  const node = new AudioWorkletNode(context, 'stereo-pulse-weaver', {
    numberOfInputs: 0,
    outputChannelCount: [2],
    processorOptions: {module: await compiled, schedule},
  });
  node.onprocessorerror = () => console.error('the audio worklet stopped on an error');
  const ready = await new Promise((resolve) => {
    node.port.onmessage = ({data}) => data.ready && resolve(data);
  });
  return {node, ...ready};
}

// Renders seconds of the plug-in at rate Hz in an OfflineAudioContext, with the
// changes {frame, id, value} of schedule on their frames. Both ears as
// Float32Arrays.
export async function renderOffline(seconds, rate, schedule) {
  const context = new OfflineAudioContext(2, Math.round(seconds * rate), rate);
  const {node} = await pluginNode(context, schedule);
  node.connect(context.destination);
  const rendered = await context.startRendering();
  return {left: rendered.getChannelData(0), right: rendered.getChannelData(1)};
}

// Live: the programme list, Play and Stop.
async function live() {
  const play = document.getElementById('play');
  const stop = document.getElementById('stop');
  const programs = document.getElementById('programs');
  let context = null, gain = null, plugin = null;
  play.disabled = false;
  play.onclick = async () => {
    if (!context) {
      context = new AudioContext();
      plugin = await pluginNode(context);
      gain = new GainNode(context, {gain: 0});
      plugin.node.connect(gain).connect(context.destination);
      plugin.programs.forEach((name, i) => programs.add(new Option(`${i} ${name}`, i)));
      programs.disabled = false;
      programs.onchange = () => plugin.node.port.postMessage({id: kProgramChangeId, value: Number(programs.value)});
    } else {
      plugin.node.port.postMessage({resume: true});
    }
    await context.resume();
    gain.gain.setTargetAtTime(1, context.currentTime, kFadeSeconds / 4);
    play.disabled = true;
    stop.disabled = false;
  };
  stop.onclick = () => {
    gain.gain.setTargetAtTime(0, context.currentTime, kFadeSeconds / 4);
    setTimeout(() => context.suspend(), kFadeSeconds * 1000);
    play.disabled = false;
    stop.disabled = true;
  };
}

window.stereoPulseWeaver = {renderOffline};
live();
