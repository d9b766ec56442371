// The page of build/web in headless Chromium, served from localhost: it loads
// without a console error; its audio worklet, playing sessions with the module's
// own session reader in an OfflineAudioContext, gives every sample
// spw_render --block 128 gives, bit for bit; what is heard live passes the
// limiter and fades out on Stop; a session file with errors lists them with
// their lines and plays nothing; Play and Stop work; the settings survive a
// reload; Save as WAV downloads the session as heard; and with the network and
// the server gone, a reload still loads and plays.
//   node browser_render_test.mjs BUILD_WEB_DIR SPW_RENDER WORK_DIR
import {existsSync, mkdirSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import path from 'node:path';

import puppeteer from 'puppeteer-core';

import {compare, readWav} from './audio_compare.mjs';
import {kRate, renderWithRenderer, sameAsRenderer, sec, sessionText} from './sessions.mjs';
import {serve} from './static_server.mjs';

const [webDir, renderer, workDir] = process.argv.slice(2);
for (const needed of [renderer, path.join(webDir, 'index.html')]) {
  if (!existsSync(needed)) {
    console.log(`${needed} is missing: build it first (scripts/build.sh)`);
    process.exit(1);
  }
}
// A session with three problems (lines 2, 4 and 5) among lines that are fine.
const kFaultySession = `0 program "C Major style"
0:10 set Nonesuch=3
0:20 slide Binaural=6 over 0:05
0:15 set Volume=50
0:30 wobble
1:00 end
`;

mkdirSync(workDir, {recursive: true});
const server = await serve(path.resolve(webDir));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required'],
});
let failures = 0;
const fail = (text) => {
  console.log(`FAIL ${text}`);
  ++failures;
};
try {
  const page = await browser.newPage();
  const consoleErrors = [];
  page.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
  page.on('pageerror', (error) => consoleErrors.push(error.message));
  await page.goto(`http://127.0.0.1:${server.address().port}/`, {waitUntil: 'load'});
  await page.waitForFunction(() => window.stereoPulseWeaver?.ready);

  for (const c of sameAsRenderer) {
    const native = readWav(renderWithRenderer(renderer, c, workDir));
    // Both ears come back as base64 of their float bytes: every bit, and quickly.
    const ears = await page.evaluate(async (seconds, rate, session) => {
      const {left, right} = await window.stereoPulseWeaver.renderOffline(seconds, rate, session);
      const base64 = (samples) => {
        const bytes = new Uint8Array(samples.buffer);
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
        return btoa(text);
      };
      return [base64(left), base64(right)];
    }, c.seconds, kRate, sessionText(c));
    const [left, right] = ears.map((text) => {
      const bytes = Buffer.from(text, 'base64');
      return new Float32Array(bytes.buffer, bytes.byteOffset, bytes.length / 4);
    });
    const result = compare({left, right}, native);
    if (result.lengths) {
      fail(`${c.name}: ${result.lengths[0]} frames in Chromium, ${result.lengths[1]} from spw_render`);
    } else if (result.differing > 0) {
      fail(`${c.name}: ${result.differing} samples in Chromium differ from spw_render's, the first at frame ` +
           `${result.first}, by up to ${result.dBFS.toFixed(1)} dBFS`);
    } else {
      console.log(`ok   ${c.name}: ${left.length} frames in Chromium's OfflineAudioContext, every bit as spw_render's`);
    }
  }
  // What is heard live: the limiter holds a loud chord at -1 dBFS, and Stop fades
  // it to silence over half a second.
  const kLoud = '0 program "C Major style"\n0 set Volume=100\n' +
                Array.from({length: 12}, (_, i) => `0 set Slot ${i + 1}=${21 + i}`).join('\n') + '\n10 end\n';
  const heard = await page.evaluate(async (session) => {
    const peak = (ears, from, to) => Math.max(...[ears.left, ears.right].map((ear) =>
      ear.subarray(Math.round(from * 48000), Math.round(to * 48000)).reduce((m, x) => Math.max(m, Math.abs(x)), 0)));
    const raw = await window.stereoPulseWeaver.renderOffline(3, 48000, session);
    const live = await window.stereoPulseWeaver.renderOffline(3, 48000, session, {output: true, stopAt: 1.5});
    return {raw: peak(raw, 0, 3), limited: peak(live, 0, 3), beforeStop: peak(live, 1.4, 1.5),
            halfway: peak(live, 1.74, 1.76), after: peak(live, 2.1, 3)};
  }, kLoud);
  const ceiling = 10 ** (-1 / 20);
  if (heard.raw > 1 && heard.limited <= ceiling && heard.beforeStop > 0.5 && heard.halfway < heard.beforeStop * 0.8 &&
      heard.halfway > 0.05 && heard.after === 0) {
    console.log(`ok   live, a chord peaking at ${heard.raw.toFixed(2)} leaves at ${heard.limited.toFixed(3)} ` +
                `(-1 dBFS: ${ceiling.toFixed(3)}), and Stop fades it out within half a second`);
  } else {
    fail(`live output: ${JSON.stringify(heard)}`);
  }
  // A session file with errors: its problems listed with their lines, Play
  // refused, and the worklet given it plays nothing.
  const faulty = path.join(workDir, 'faulty-session.txt');
  writeFileSync(faulty, kFaultySession);
  await (await page.$('#session-file')).uploadFile(faulty);
  await page.waitForFunction(() => document.querySelectorAll('#problems li').length > 0);
  const problems = await page.$$eval('#problems li', (items) => items.map((item) => item.textContent));
  const lines = problems.map((text) => Number(/, line (\d+):/.exec(text)?.[1]));
  const playRefused = await page.$eval('#play', (button) => button.disabled);
  const loudest = await page.evaluate(async (session) => {
    const {left, right} = await window.stereoPulseWeaver.renderOffline(1, 48000, session);
    return Math.max(...left.map(Math.abs), ...right.map(Math.abs));
  }, kFaultySession);
  if (lines.join() === '2,4,5' && /Nonesuch/.test(problems[0]) && playRefused && loudest === 0) {
    console.log(`ok   a session file with errors: ${problems.length} problems listed with their lines, nothing plays`);
  } else {
    fail(`a session file with errors: listed ${JSON.stringify(problems)}, Play ${playRefused ? 'refused' : 'allowed'}, ` +
         `its render peaks at ${loudest}`);
  }
  // Live: the programmes listed, then Play with a session of sessions/.
  const listed = await page.$$eval('#programs option', (options) => options.map((o) => o.textContent));
  if (listed.length === 160 && listed[57] === '57 Binaural - 10.6 (Relaxed & alert)') {
    console.log(`ok   the page lists the ${listed.length} programmes`);
  } else {
    fail(`the page lists ${listed.length} programmes, the 58th ${listed[57]}`);
  }
  await page.select('#sessions', 'demo.txt');
  await page.waitForFunction(() => !document.getElementById('play').disabled && !document.querySelector('#problems li'));
  await page.select('#sleep', '15');
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('play').disabled);
  const sleepShown = await page.$eval('#sleep-left', (shown) => shown.textContent);
  // Stop (once faded, Play comes back and the sleep timer is off), then Play again.
  await page.click('#stop');
  await page.waitForFunction(() => !document.getElementById('play').disabled);
  const sleepAfterStop = await page.$eval('#sleep-left', (shown) => shown.textContent);
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('play').disabled);
  if (/^stops in 1[45]:\d\d$/.test(sleepShown) && sleepAfterStop === '') {
    console.log(`ok   Play and Stop, with the sleep timer showing "${sleepShown}" while playing`);
  } else {
    fail(`the sleep timer shows "${sleepShown}" while playing, "${sleepAfterStop}" after Stop`);
  }
  // A session ends by itself, faded, at its length: Play comes back.
  await page.click('#stop');
  await page.waitForFunction(() => !document.getElementById('play').disabled);
  const short = path.join(workDir, 'two-seconds.txt');
  writeFileSync(short, '0 program "C Major style"\n2 end\n');
  await (await page.$('#session-file')).uploadFile(short);
  await page.waitForFunction(() => /two-seconds/.test(document.getElementById('status').textContent));
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('play').disabled);
  const ended = await page.waitForFunction(() => !document.getElementById('play').disabled, {timeout: 10000})
    .then(() => page.$eval('#status', (shown) => shown.textContent), () => 'still playing after 10 s');
  if (ended === 'two-seconds.txt has ended') console.log('ok   a session stops by itself at its end');
  else fail(`a two-second session: "${ended}"`);
  // The person's choices survive a reload: a programme, then a value set after it.
  await page.select('#programs', '57');
  await page.$eval('[data-parameter="Volume"]', (input) => {
    input.value = '0.4';
    input.dispatchEvent(new Event('input'));
  });
  const chosen = await page.$eval('[data-parameter="Volume"] + output', (shown) => shown.value);
  await page.reload({waitUntil: 'load'});
  await page.waitForFunction(() => window.stereoPulseWeaver?.ready);
  const restored = await page.evaluate(() => [document.getElementById('programs').value,
    document.querySelector('[data-parameter="Volume"] + output').value,
    document.querySelector('[data-parameter="Link Freq"] + output').value]);
  if (restored.join() === `57,${chosen},Yes` && chosen === '40') {
    console.log(`ok   the settings survive a reload: programme ${restored[0]}, Volume ${restored[1]}`);
  } else {
    fail(`after a reload the page shows programme, Volume, Link Freq ${restored.join(', ')} (chosen: 57, ${chosen}, Yes)`);
  }
  // Settings the browser kept, but spoilt: one line says so, and the defaults play.
  await page.evaluate(() => localStorage.setItem('stereoPulseWeaver.settings', '{"program": 5'));
  await page.reload({waitUntil: 'load'});
  await page.waitForFunction(() => window.stereoPulseWeaver?.ready);
  const spoilt = await page.evaluate(() => [document.getElementById('status').textContent,
                                            document.getElementById('play').disabled]);
  if (/could not be read/.test(spoilt[0]) && !spoilt[1]) console.log(`ok   spoilt settings: "${spoilt[0]}"`);
  else fail(`spoilt settings: the page says "${spoilt[0]}", Play ${spoilt[1] ? 'refused' : 'offered'}`);
  // Save as WAV: a minute of the programme as heard, faster than real time, into
  // a download that ends faded.
  await page.select('#sessions', '');
  await page.$eval('#wav-minutes', (input) => { input.value = '1'; });
  const programme = await page.$eval('#programs', (list) => list.selectedOptions[0].textContent.replace(/^\d+ /, ''));
  const downloads = path.join(workDir, 'downloads');
  rmSync(downloads, {recursive: true, force: true});
  await (await page.createCDPSession()).send('Browser.setDownloadBehavior',
                                             {behavior: 'allow', downloadPath: downloads});
  await page.click('#save-wav');
  await page.waitForFunction(() => /^saved|failed/.test(document.getElementById('status').textContent),
                             {timeout: 60000});
  const saved = await page.$eval('#status', (shown) => shown.textContent);
  const wavFile = path.join(downloads, `stereoPulseWeaver - ${programme.replace(/[\\/:*?"<>|]/g, '_')}.wav`);
  for (let tries = 0; tries < 100 && !existsSync(wavFile); ++tries) await new Promise((r) => setTimeout(r, 100));
  const wav = existsSync(wavFile) ? readFileSync(wavFile) : Buffer.alloc(0);
  const pcm = wav.length > 44 ? new Int16Array(wav.buffer, wav.byteOffset + 44, (wav.length - 44) / 2) : new Int16Array();
  const wavPeak = (from, to) => pcm.subarray(from * 2, to * 2).reduce((m, x) => Math.max(m, Math.abs(x)), 0) / 32767;
  const frames = pcm.length / 2;
  const [sounding, fading, last] = [wavPeak(sec(58), sec(59)), wavPeak(frames - sec(0.1), frames - 64),
                                    wavPeak(frames - 64, frames)];
  if (wav.toString('latin1', 0, 4) === 'RIFF' && wav.readUInt32LE(24) === 48000 && frames === 60 * 48000 &&
      wavPeak(0, frames) <= 10 ** (-1 / 20) + 1e-4 && sounding > 0.05 && fading < sounding * 0.5 && last === 0) {
    console.log(`ok   Save as WAV: ${frames} frames of "${programme}", ending faded (${saved})`);
  } else {
    fail(`Save as WAV of "${programme}": "${saved}", ${wav.length} bytes, ${frames} frames, peak ${wavPeak(0, frames)}, ` +
         `at 58 s ${sounding}, in its last 0.1 s ${fading}, last frames ${last}`);
  }
  // Offline after the first visit: with the network cut, a reload still loads
  // the page from the service worker's cache, and it plays.
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
    }
  });
  // Both the page's and the service worker's requests: the server goes away too.
  await page.setOfflineMode(true);
  server.closeAllConnections();
  server.close();
  const loaded = await page.reload({waitUntil: 'load'})
    .then(() => page.waitForFunction(() => window.stereoPulseWeaver?.ready, {timeout: 20000}))
    .then(() => true, () => false);
  if (!loaded) throw new Error('offline, the reloaded page does not load');
  const offlinePeak = await page.evaluate(async () => {
    const {left} = await window.stereoPulseWeaver.renderOffline(0.5, 48000);
    return Math.max(...left.map(Math.abs));
  });
  await page.select('#sessions', 'demo.txt');
  await page.waitForFunction(() => !document.getElementById('play').disabled && !document.querySelector('#problems li'));
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('play').disabled);
  if (offlinePeak > 0.01) console.log(`ok   offline, a reload loads and plays (peak ${offlinePeak.toFixed(3)})`);
  else fail(`offline, the reloaded page renders a peak of ${offlinePeak}`);
  if (consoleErrors.length > 0) fail(`the page's console: ${consoleErrors.join(' | ')}`);
  else console.log('ok   no console error');
} finally {
  await browser.close();
  if (server.listening) server.close();
}
process.exit(failures ? 1 : 0);
