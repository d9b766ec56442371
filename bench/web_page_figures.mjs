// The page in headless Chromium (the browser tests' puppeteer-core): bytes a
// first visit transfers (gzip-compressed and revalidated by ETag, as a common
// static server sends them; the service worker's caching of every file
// included), the time from navigation
// until the page is ready to play, and the render speed of twelve slots in an
// OfflineAudioContext as seconds of audio per second (wall time, best of three).
//   node --no-experimental-fetch bench/web_page_figures.mjs [build/web]
import {createRequire} from 'node:module';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const testsDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../tests/web');
const {serve} = await import(pathToFileURL(path.join(testsDir, 'static_server.mjs')));
const puppeteer = (await import(pathToFileURL(createRequire(path.join(testsDir, 'package.json'))
  .resolve('puppeteer-core')))).default;

const kSeconds = 60;
const kTwelveSlots = ['0 program "C Major style"',
  ...Array.from({length: 12}, (_, i) => `0 set Slot ${i + 1}=${21 + i}`), `${kSeconds} end`, ''].join('\n');

const server = await serve(path.resolve(process.argv[2] ?? 'build/web'), {caching: 'revalidate'});
const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox']});
try {
  const page = await browser.newPage();
  const started = performance.now();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction(() => window.stereoPulseWeaver?.ready);
  const readyMs = performance.now() - started;
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
    }
  });
  console.log(`first visit: ${server.bytesSent} bytes transferred (gzip), ready to play after ${readyMs.toFixed(0)} ms`);
  const speeds = [];
  for (let run = 0; run < 3; ++run) {
    speeds.push(await page.evaluate(async (seconds, session) => {
      const t0 = performance.now();
      await window.stereoPulseWeaver.renderOffline(seconds, 48000, session);
      return seconds / ((performance.now() - t0) / 1000);
    }, kSeconds, kTwelveSlots));
  }
  console.log(`twelve slots in Chromium's OfflineAudioContext: ${Math.max(...speeds).toFixed(0)} s of audio per second ` +
              `(runs: ${speeds.map((s) => s.toFixed(0)).join(', ')})`);
} finally {
  await browser.close();
  server.close();
}
