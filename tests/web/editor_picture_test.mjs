// The editor compiled to WebAssembly draws, pixel for pixel, what spw_snapshot
// draws on Linux: the default programme and "C Major style", at 100 %.
//   node --no-experimental-fetch editor_picture_test.mjs MODULE.js SPW_SNAPSHOT OUTDIR
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';

import {readPng} from './png_pixels.mjs';
import {WebPlugin} from './web_host.mjs';

const [moduleFile, snapshot, outDir] = process.argv.slice(2);
const m = await createRequire(import.meta.url)(path.resolve(moduleFile))();
fs.mkdirSync(outDir, {recursive: true});
const kBlock = 512;  // spw_snapshot's block, at its 48 kHz
const kProgramChangeId = -1;

// As spw_snapshot does: the plug-in started, one block and one draw; then the
// programme, and again one block and one draw.
function drawn(programme) {
  const p = new WebPlugin(m, {withEditor: true});
  m._spw_setup(p.h, 48000, kBlock);
  m._spw_set_active(p.h, 1);
  const step = () => {
    m._spw_process(p.h, kBlock);
    m._spw_editor_tick(p.h);
  };
  step();
  if (programme) {
    p.queue(kProgramChangeId, p.program(programme), 0);
    step();
  }
  const width = m._spw_editor_width(p.h), height = m._spw_editor_height(p.h);
  const rgba = m.HEAPU8.slice(m._spw_editor_rgba(p.h), m._spw_editor_rgba(p.h) + width * height * 4);
  p.destroy();
  return {width, height, rgba};
}

let failed = false;
for (const programme of [null, 'C Major style']) {
  const png = path.join(outDir, `${programme ?? 'default'}.png`);
  execFileSync(snapshot, ['-o', png, ...(programme ? ['--program', programme] : [])]);
  const want = readPng(png), got = drawn(programme);
  let differing = 0, first = -1;
  for (let i = 0; i < want.rgba.length; i += 4) {
    if (want.rgba.subarray(i, i + 4).some((v, k) => v !== got.rgba[i + k])) {
      if (first < 0) first = i / 4;
      ++differing;
    }
  }
  const name = programme ?? 'the default programme';
  if (got.width !== want.width || got.height !== want.height) {
    console.error(`${name}: ${got.width}x${got.height}, spw_snapshot ${want.width}x${want.height}`);
    failed = true;
  } else if (differing > 0) {
    const x = first % want.width, y = Math.floor(first / want.width);
    console.error(`${name}: ${differing} pixels differ, the first at (${x}, ${y}): ` +
                  `${got.rgba.subarray(first * 4, first * 4 + 4)} against ${want.rgba.subarray(first * 4, first * 4 + 4)}`);
    failed = true;
  } else {
    console.log(`${name}: ${want.width}x${want.height}, every pixel as spw_snapshot draws it`);
  }
}
process.exit(failed ? 1 : 0);
