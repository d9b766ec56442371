// The plug-in compiled to WebAssembly, rendering in Node in the browser's
// 128-frame blocks, against spw_render --block 128 through the native VST 3
// bundle: sessions read and played by the module's own session player, every
// sample of both ears with the same bits; and changes heard on their sample.
//   node --no-experimental-fetch render_compare_test.mjs MODULE.js SPW_RENDER WORK_DIR
import {existsSync, mkdirSync} from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';

import {compare, readWav} from './audio_compare.mjs';
import {kRate, renderWithRenderer, sameAsRenderer, sec, sessionText} from './sessions.mjs';
import {renderChanges, renderSessionText, WebPlugin} from './web_host.mjs';

const [modulePath, renderer, workDir] = process.argv.slice(2);
if (!existsSync(renderer)) {
  console.log(`${renderer} is missing: build the Linux renderer first (scripts/build.sh linux)`);
  process.exit(1);
}
// Changes that are heard on their own sample, inside a block and on its first
// sample: the render with the change equals the one without up to that sample.
const kSteady = sec(2.5) - sec(2.5) % 128;  // a block's first frame, every ramp at rest
const onTheirSample = [
  ['Volume', '74', 1], ['Volume', '74', 37], ['Wave', 'Golden Sine', 127], ['Wave', 'Golden Sine', 128],
  ['Binaural', '7.83', 64], ['Binaural', '7.83', 0],
].map(([name, value, offset]) => ({name, value, frame: kSteady + offset}));

// render(plugin): the audio of a fresh instance.
function renderInNode(render) {
  const plugin = new WebPlugin(module);
  try {
    return render(plugin);
  } finally {
    plugin.destroy();
  }
}
// "C Major style", and a setting on frame.
const withSetting = (setting) => renderInNode((p) => {
  const changes = [{frame: 0, id: -1, value: p.program('C Major style')}];
  if (setting) changes.push({frame: setting.frame, id: p.param(setting.name), value: p.normalized(p.param(setting.name), setting.value)});
  return renderChanges(p, changes, sec(3), kRate);
});

const require = createRequire(import.meta.url);
const module = await require(path.resolve(modulePath))();
mkdirSync(workDir, {recursive: true});
let failures = 0;
const fail = (text) => {
  console.log(`FAIL ${text}`);
  ++failures;
};

for (const c of sameAsRenderer) {
  const native = readWav(renderWithRenderer(renderer, c, workDir));
  const web = renderInNode((p) => renderSessionText(p, sessionText(c), sec(c.seconds), kRate));
  const result = compare(web, native);
  if (result.lengths) {
    fail(`${c.name}: ${result.lengths[0]} frames in Node, ${result.lengths[1]} from spw_render`);
  } else if (result.differing > 0) {
    fail(`${c.name}: ${result.differing} samples differ from spw_render's, the first at frame ${result.first}, ` +
         `by up to ${result.dBFS.toFixed(1)} dBFS`);
  } else {
    console.log(`ok   ${c.name}: ${sec(c.seconds)} frames, every bit as spw_render's`);
  }
}

const steady = withSetting(null);
for (const c of onTheirSample) {
  const changed = withSetting(c);
  const {first} = compare(changed, steady);
  const label = `${c.name}=${c.value} at frame ${c.frame} (${c.frame % 128} into its block)`;
  if (first === c.frame) {
    console.log(`ok   ${label}: heard from that frame on`);
  } else {
    fail(`${label}: the sound changes at frame ${first}`);
  }
}
process.exit(failures ? 1 : 0);
