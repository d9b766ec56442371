// The editor on the page in headless Chromium, as a person meets it: at 100 %
// the canvas shows, pixel for pixel, what spw_snapshot draws for the default
// programme and for "C Major style"; a real click on a free grid cell lights it
// and its tone is in what the page plays with the settings it kept; a knob
// dragged and a value typed after a right click change the value the page
// shows; at a device scale of 2 the editor is drawn at twice the pixels; on a
// phone it fits the screen and a tap lights a cell.
//   node browser_editor_test.mjs BUILD_WEB_DIR SPW_SNAPSHOT WORK_DIR
import {execFileSync} from 'node:child_process';
import {mkdirSync} from 'node:fs';
import path from 'node:path';

import puppeteer from 'puppeteer-core';

import {readPng} from './png_pixels.mjs';
import {serve} from './static_server.mjs';

const [webDir, snapshot, workDir] = process.argv.slice(2);
mkdirSync(workDir, {recursive: true});
// "C Major style" lights the fourth grid row; the last cell of the fifth row, 627.19 Hz, is free.
const kFreeCell = [457, 375], kCellHz = 627.19, kVolumeKnob = [234, 224], kOtherFreeCell = [389, 375];

const server = await serve(path.resolve(webDir));
const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox']});
let failures = 0;
const check = (ok, text) => {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
  if (!ok) ++failures;
};
const settle = () => new Promise((resolve) => setTimeout(resolve, 200));  // a few of the editor's 24 Hz ticks

try {
  const page = await browser.newPage();
  await page.setViewport({width: 800, height: 1200, deviceScaleFactor: 1});
  await page.goto(`http://127.0.0.1:${server.address().port}/`, {waitUntil: 'load'});
  await page.evaluate(() => localStorage.clear());
  await page.reload({waitUntil: 'load'});
  await page.waitForFunction(() => window.stereoPulseWeaver?.ready);
  await settle();
  const canvasPixels = () => page.$eval('#editor', (canvas) => {
    const {data} = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return {width: canvas.width, height: canvas.height, rgba: btoa(text)};
  }).then(({width, height, rgba}) => ({width, height, rgba: Buffer.from(rgba, 'base64')}));
  const differing = (a, b) => {
    let n = 0;
    for (let i = 0; i < a.length; i += 4) {
      const d = a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2] || a[i + 3] !== b[i + 3];
      if (d && n === 0) differing.first = `the first at (${(i / 4) % 520}, ${Math.floor(i / 4 / 520)})`;
      n += d;
    }
    return n;
  };

  // The same picture as spw_snapshot's.
  for (const programme of [null, 'C Major style']) {
    if (programme) {
      const index = await page.$$eval('#programs option', (options, name) =>
        options.findIndex((o) => o.textContent.replace(/^\d+ /, '') === name), programme);
      await page.select('#programs', String(index));
      await settle();
    }
    const png = path.join(workDir, `${programme ?? 'default'}.png`);
    execFileSync(snapshot, ['-o', png, ...(programme ? ['--program', programme] : [])]);
    const want = readPng(png), got = await canvasPixels();
    const n = got.width === want.width && got.height === want.height ? differing(got.rgba, want.rgba) : -1;
    check(n === 0, `${programme ?? 'the default programme'} on the canvas: ${got.width}x${got.height}, ` +
                   `${n < 0 ? 'not spw_snapshot\'s size' : `${n} pixels differ from spw_snapshot's${n ? `, ${differing.first}` : ''}`}`);
  }

  // A click on a free cell: it lights, and the settings kept play its tone.
  const box = await (await page.$('#editor')).boundingBox();
  const before = await canvasPixels();
  await page.mouse.click(box.x + kFreeCell[0] + 0.5, box.y + kFreeCell[1] + 0.5);
  await settle();
  const lit = differing(before.rgba, (await canvasPixels()).rgba);
  const tone = await page.evaluate(async (hz) => {
    const names = [...document.querySelectorAll('#settings [data-parameter]')].map((input) => input.dataset.parameter);
    const kept = JSON.parse(localStorage.getItem('stereoPulseWeaver.settings'));
    const changes = [{id: -1, value: kept.program}, ...Object.entries(kept.values).map(([name, value]) => ({id: names.indexOf(name), value}))];
    const strength = async (settings) => {
      const {left} = await window.stereoPulseWeaver.renderOffline(1, 48000, null, {changes: settings});
      let re = 0, im = 0;
      for (let i = 24000; i < 48000; ++i) {
        re += left[i] * Math.cos((2 * Math.PI * hz * i) / 48000);
        im += left[i] * Math.sin((2 * Math.PI * hz * i) / 48000);
      }
      return Math.hypot(re, im);
    };
    return {with: await strength(changes), without: await strength(changes.slice(0, 1)), kept: Object.keys(kept.values)};
  }, kCellHz);
  check(lit > 20 && tone.with > 20 * tone.without,
        `a click on a free cell: ${lit} pixels change, the kept settings (${tone.kept.join(', ')}) play its tone ` +
        `${(tone.with / Math.max(tone.without, 1e-9)).toFixed(0)} times stronger`);

  // A knob dragged down, then a value typed into the box a right click opens over it.
  const volume = () => page.$eval('[data-parameter="Volume"] + output', (shown) => shown.value);
  const startVolume = await volume();
  const [kx, ky] = [box.x + kVolumeKnob[0], box.y + kVolumeKnob[1]];
  await page.mouse.move(kx, ky);
  await page.mouse.down();
  for (let step = 1; step <= 4; ++step) await page.mouse.move(kx, ky + 10 * step);
  await page.mouse.up();
  await settle();
  const dragged = await volume();
  await page.mouse.click(kx, ky, {button: 'right'});
  await page.waitForSelector('.editor-entry', {timeout: 2000}).catch(() => null);
  const entry = await page.$('.editor-entry');
  if (entry) {
    await entry.click({clickCount: 3});
    await page.keyboard.type('50');
    await page.keyboard.press('Enter');
  }
  await settle();
  const typed = await volume();
  check(Number(dragged) < Number(startVolume) && entry && typed === '50' && !(await page.$('.editor-entry')),
        `"Volume" ${startVolume}, dragged down to ${dragged}, typed: ${typed}`);

  // Twice the device pixels, the same size on the page.
  await page.setViewport({width: 800, height: 1200, deviceScaleFactor: 2});
  await settle();
  const scaled = await page.$eval('#editor', (canvas) => [canvas.width, canvas.height, canvas.getBoundingClientRect().width]);
  check(scaled.join() === '1040,804,520', `at a device scale of 2: ${scaled[0]}x${scaled[1]} pixels, ${scaled[2]} wide on the page`);

  // A phone: the editor fits the screen's width, and a tap on another free cell lights it.
  await page.setViewport({width: 360, height: 800, deviceScaleFactor: 2, isMobile: true, hasTouch: true});
  await settle();
  const phone = await (await page.$('#editor')).boundingBox();
  const untapped = await canvasPixels(), shrink = phone.width / 520, [cx, cy] = [kOtherFreeCell[0] * 2, kOtherFreeCell[1] * 2];
  await page.touchscreen.tap(phone.x + kOtherFreeCell[0] * shrink, phone.y + kOtherFreeCell[1] * shrink);
  await settle();
  const tapped = await canvasPixels();
  let changed = 0;
  for (let y = cy - 12; y < cy + 12; ++y) {
    for (let x = cx - 20; x < cx + 20; ++x) changed += untapped.rgba[(y * 1040 + x) * 4] !== tapped.rgba[(y * 1040 + x) * 4];
  }
  check(phone.x + phone.width <= 360 && changed > 40,
        `on a 360-pixel-wide phone the editor is ${phone.width.toFixed(0)} wide, and a tap lights a cell (${changed} pixels)`);
} finally {
  await browser.close();
  server.close();
}
process.exit(failures ? 1 : 0);
