// The browser edition's benchmarks, in Debian's headless Chromium (as the browser tests run):
//   site_bytes        the folder's files as stored, and as a server sends them that sends
//                     the .gz or the .br files beside them (PNG files as they are)
//   load_*_ms         from asking for the page to the program running with its menu window
//                     drawn, over a simulated connection (the server sends each file at the
//                     given rate on one shared link, after the given delay; `_gzip`, `_br`:
//                     the server sends the .gz or .br files); a new browser with an empty
//                     cache every run
//   load_offline_ms   the same for a second visit with the network off: the page from the
//                     service worker's cache, in a new tab of the browser of the first visit
//   key_latency_*     from a key's keydown event to the end of the frame that shows the
//                     board redrawn (`_frame`), and to the end of the program's handling of
//                     the key (`_handler`), for the 22 keys of lesson 1 typed at 100 ms a key
//   memory_peak_*     lessons 1 to 3 in a row, each typed to its end and its boxes
//                     closed: the program's memory (WebAssembly memory only grows, so its
//                     size at the end is its peak) and the page's JavaScript heap at its
//                     largest after a lesson
//
//   node bench/web-bench.mjs <site folder> [runs]
import { serveFolder, waitFor } from '../tests/web/harness.mjs';
import { launch as launchChromium } from '../tests/web/engines/chromium.mjs';
import fs from 'node:fs';
import path from 'node:path';

const [site = 'build/web/site', runsText = '5'] = process.argv.slice(2);
const runs = Number(runsText);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const fixed = (value) => value.toFixed(1);
const lessonOneKeys = 'chuugakuseino minasan ';

// One school connection: a share of the school's line and the delay to its server.
const plain = { encodings: [] }, gzip = { encodings: ['gzip'] }, brotli = { encodings: ['br'] };
const connections = [
  { name: 'load_local_ms', bytesPerSecond: 0, latencyMs: 0, ...plain, what: 'the same machine' },
  { name: 'load_10mbit_ms', bytesPerSecond: 10e6 / 8, latencyMs: 40, ...plain, what: '10 Mbit/s, 40 ms' },
  { name: 'load_10mbit_gzip_ms', bytesPerSecond: 10e6 / 8, latencyMs: 40, ...gzip, what: '10 Mbit/s, 40 ms, .gz' },
  { name: 'load_10mbit_br_ms', bytesPerSecond: 10e6 / 8, latencyMs: 40, ...brotli, what: '10 Mbit/s, 40 ms, .br' },
  { name: 'load_4mbit_ms', bytesPerSecond: 4e6 / 8, latencyMs: 80, ...plain, what: '4 Mbit/s, 80 ms' },
  { name: 'load_4mbit_gzip_ms', bytesPerSecond: 4e6 / 8, latencyMs: 80, ...gzip, what: '4 Mbit/s, 80 ms, .gz' },
  { name: 'load_4mbit_br_ms', bytesPerSecond: 4e6 / 8, latencyMs: 80, ...brotli, what: '4 Mbit/s, 80 ms, .br' },
];

// The time from asking `page` (a new browser's, unless given) for the page to the frame
// that holds the menu window, the one after the program started.
async function runningPage(serverUrl, chromium, page) {
  chromium ??= await launchChromium({ width: 1366, height: 768 });
  page ??= chromium.page;
  const started = Date.now();
  await page.goto(serverUrl);
  await waitFor(async () => (await page.evaluate(
    () => document.documentElement.dataset.state)) === 'running',
  { timeoutMs: 180000, intervalMs: 20, what: 'the program to run' });
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  return { chromium, loadMs: Date.now() - started };
}

// A first visit on the same machine; once the service worker keeps the build, the network
// goes off (the server stops, DevTools' offline mode) and a new tab opens the page.
async function measureOfflineLoad() {
  const times = [];
  for (let run = 0; run < runs; run++) {
    const server = await serveFolder(site);
    const { chromium } = await runningPage(server.url);
    try {
      await waitFor(() => chromium.page.evaluate(async () => (await caches.keys()).length === 1),
        { timeoutMs: 60000, what: 'the build to be kept' });
      await server.close();
      const page = await chromium.browser.newPage();
      await page.setViewport({ width: 1366, height: 768 });
      await page.setOfflineMode(true);
      times.push((await runningPage(server.url, chromium, page)).loadMs);
    } finally {
      await chromium.close();
      await server.close();
    }
  }
  console.log(`${'load_offline_ms'.padEnd(24)} median ${median(times)} (runs: ${times.join(' ')}; second visit, network off)`);
}

async function measureLoad(connection) {
  const server = await serveFolder(site, connection);
  const times = [];
  try {
    for (let run = 0; run < runs; run++) {
      const { chromium, loadMs } = await runningPage(server.url);
      times.push(loadMs);
      await chromium.close();
    }
  } finally {
    await server.close();
  }
  console.log(`${connection.name.padEnd(24)} median ${median(times)} (runs: ${times.join(' ')}; ${connection.what})`);
}

// Starts the lesson whose button has the focus (lesson 1 at first) from the menu: Enter on
// the button, Enter on the start box.
async function startFocusedLesson(page) {
  await page.keyboard.press('Enter');
  await sleep(700);
  await page.keyboard.press('Enter');
  await sleep(700);
}

async function measureKeys(server) {
  const frames = [];
  const handlers = [];
  for (let run = 0; run < runs; run++) {
    const { chromium } = await runningPage(server.url);
    const { page } = chromium;
    await startFocusedLesson(page);
    await page.evaluate(() => {
      window.keyTimes = [];
      // Bubbling on the window: the program has handled the key by now.
      window.addEventListener('keydown', (event) => {
        const handled = performance.now();
        requestAnimationFrame(() => setTimeout(() => window.keyTimes.push({
          handler: handled - event.timeStamp, frame: performance.now() - event.timeStamp,
        })));
      });
    });
    for (const key of lessonOneKeys) {
      await page.keyboard.press(key === ' ' ? 'Space' : key);
      await sleep(100);
    }
    await sleep(500);
    const times = await page.evaluate(() => window.keyTimes);
    frames.push(...times.map((time) => time.frame));
    handlers.push(...times.map((time) => time.handler));
    await chromium.close();
  }
  console.log(`${'key_latency_frame_ms'.padEnd(24)} median ${fixed(median(frames))} worst ${fixed(Math.max(...frames))} (${frames.length} keys)`);
  console.log(`${'key_latency_handler_ms'.padEnd(24)} median ${fixed(median(handlers))} worst ${fixed(Math.max(...handlers))} (${handlers.length} keys)`);
}

// Keeps the program's memory where the benchmark can see it: the one WebAssembly memory the
// program's instance exports.
const keepProgramMemory = `{
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = async (...args) => {
    const result = await instantiate(...args);
    window.programMemory = Object.values((result.instance ?? result).exports)
      .find((value) => value instanceof WebAssembly.Memory);
    return result;
  };
}`;
const firstLessons = ['chuugakuseino minasan ', 'soyokaze koukouhe ', 'youkoso! '];

async function measureMemory() {
  const server = await serveFolder(site, { firstScript: keepProgramMemory });
  const { chromium } = await runningPage(server.url);
  const { page } = chromium;
  let heapPeak = 0;
  try {
    for (const keys of firstLessons) {
      await startFocusedLesson(page);  // each cleared lesson hands the focus to the next
      for (const key of keys) {
        await page.keyboard.press(key === ' ' ? 'Space' : key);
        await sleep(100);
      }
      for (let box = 0; box < 2; box++) {  // the finished box, then the time box
        await sleep(700);
        await page.keyboard.press('Enter');
      }
      heapPeak = Math.max(heapPeak, (await page.metrics()).JSHeapUsedSize);
    }
    const programBytes = await page.evaluate(() => window.programMemory.buffer.byteLength);
    console.log(`${'memory_peak_program'.padEnd(24)} ${programBytes} bytes (${(programBytes / 2 ** 20).toFixed(1)} MiB)`);
    console.log(`${'memory_peak_js_heap'.padEnd(24)} ${heapPeak} bytes (${(heapPeak / 2 ** 20).toFixed(1)} MiB)`);
  } finally {
    await chromium.close();
    await server.close();
  }
}

// What the folder weighs: its files as stored, and as sent from their .gz and .br files
// (a file without one as it is); the licence texts apart.
function folderWeight() {
  const files = fs.readdirSync(site, { recursive: true }).map((name) => path.join(site, name))
    .filter((file) => fs.statSync(file).isFile() && !/\.(br|gz)$/.test(file));
  const sent = (file, ending) => fs.statSync(fs.existsSync(file + ending) ? file + ending : file).size;
  const weigh = (list) => ({
    bytes: list.reduce((sum, file) => sum + sent(file, ''), 0),
    gzip: list.reduce((sum, file) => sum + sent(file, '.gz'), 0),
    brotli: list.reduce((sum, file) => sum + sent(file, '.br'), 0),
  });
  const isLicence = (file) => path.relative(site, file).startsWith('licenses');
  return { all: weigh(files), licences: weigh(files.filter(isLicence)) };
}

const server = await serveFolder(site);
try {
  const { all, licences } = folderWeight();
  console.log(`kunpu-typing browser benchmarks: ${runs} runs each; times in ms`);
  console.log(`${'site_bytes'.padEnd(24)} ${all.bytes} .gz ${all.gzip} .br ${all.brotli} ` +
    `(of which licence texts: ${licences.bytes}, .gz ${licences.gzip}, .br ${licences.brotli})`);
  for (const connection of connections) await measureLoad(connection);
  await measureOfflineLoad();
  await measureKeys(server);
  await measureMemory();
} finally {
  await server.close();
}
