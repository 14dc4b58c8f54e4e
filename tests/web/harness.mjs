// What the browser tests share: a static server for the built page, the browser drivers'
// common interface (one driver per engine in engines/), X displays for the engines that need
// one, temporary profiles, key names, PNG decoding and waiting.
//
// A driver, from launchBrowser(engine, { width, height, origin }), shows one page in a
// viewport of width × height CSS pixels (one CSS pixel one screen pixel):
//   pageLog()                the page's console messages and uncaught errors so far
//   goto(url), reload(), title()
//   evaluate(fn, ...args)    fn run in the page; its (awaited) value
//   press(key)               a key as a person presses it: 'Enter', 'x', 'F7', 'Tab', 'Space',
//                            'ArrowDown', 'Control+c' (modifiers held down around the key)
//   click(x, y, { button, count })  a left (default) or right click at a CSS pixel of the
//                            viewport; count 2 is a double click
//   screenshot()             a PNG of the viewport, a pixel for each CSS pixel
//   clearClipboard(), clipboardText()   the text the page put on the clipboard (Ctrl+C)
//   leaveQuestion()          the page is asked to leave (a reload); gives the question the
//                            browser asked first ('beforeunload'), dismissed so that the
//                            page stays, or null when the page left without asking
//   stallPage(ms)            holds the page's timers up for ms, as for a hidden or frozen page
//   pressImeKey(code, { shift })   a key as a browser reports it while a Japanese input
//                            method is on: key 'Process', key code 229, the key in `code`
//   close()                  ends the browser and everything started for it
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { spawn } from 'node:child_process';

const MIME = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.mjs': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8', '.json': 'application/json',
  '.svg': 'image/svg+xml', '.png': 'image/png', '.ico': 'image/x-icon', '.txt': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
};
// What a file stored compressed beside itself is sent as, best first.
const STORED_ENCODINGS = [['br', '.br'], ['gzip', '.gz']];

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, Math.max(0, ms)));

// Serves the files of `folder` on 127.0.0.1 at a free port; a folder's address serves its
// index.html, nothing lists a folder, and nothing outside `folder` is reached. As nginx's
// brotli_static and gzip_static do, a file is sent as its .br or .gz beside it when the
// browser takes that encoding and `encodings` (by default both) allows it. A slow
// school connection is simulated here, on the server side, rather than with Chromium's
// network emulation: { latencyMs } holds back each response's headers, and { bytesPerSecond }
// is one link shared by all responses at once (as a school's line is), so the timing is the
// same whatever in the page asks for a file. { firstScript } is put before the page's own
// scripts in every HTML page served. { port } serves at that port (a server stopped and
// started again keeps its address, and the browser its service worker for it).
export async function serveFolder(folder, { bytesPerSecond = 0, latencyMs = 0, encodings = ['br', 'gzip'], firstScript, port = 0 } = {}) {
  const root = fs.realpathSync(folder);
  let linkFreeAt = 0; // when the simulated link has sent everything queued on it
  const server = http.createServer(async (req, res) => {
    let file;
    try {
      const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
      file = fs.realpathSync(path.join(root, path.normalize(name)));
      if (fs.statSync(file).isDirectory()) file = fs.realpathSync(path.join(file, 'index.html'));
      if (file !== root && !file.startsWith(root + path.sep)) throw new Error('outside');
      if (!fs.statSync(file).isFile()) throw new Error('not a file');
    } catch {
      return res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
    }
    const accepted = (req.headers['accept-encoding'] ?? '').split(',').map((name) => name.trim().split(';')[0]);
    const [encoding, suffix] = (firstScript && file.endsWith('.html') ? [] : STORED_ENCODINGS.find(([name, ending]) =>
      encodings.includes(name) && accepted.includes(name) && fs.existsSync(file + ending))) ?? [];
    let body = fs.readFileSync(file + (suffix ?? ''));
    if (firstScript && file.endsWith('.html')) {
      body = Buffer.from(body.toString().replace('<head>', `<head><script>${firstScript}</script>`));
    }
    await sleep(latencyMs);
    res.writeHead(200, {
      'Content-Type': MIME[path.extname(file).toLowerCase()] ?? 'application/octet-stream',
      'Content-Length': body.length, 'Cache-Control': 'no-store', Vary: 'Accept-Encoding',
      ...(encoding ? { 'Content-Encoding': encoding } : {}),
    });
    if (req.method === 'HEAD') return res.end();
    if (!bytesPerSecond) return res.end(body);
    const chunk = Math.max(1024, Math.floor(bytesPerSecond / 20));
    for (let i = 0; i < body.length && !res.destroyed; i += chunk) {
      const part = body.subarray(i, i + chunk);
      linkFreeAt = Math.max(linkFreeAt, Date.now()) + (part.length * 1000) / bytesPerSecond;
      await sleep(linkFreeAt - Date.now());
      res.write(part);
    }
    res.end();
  });
  await new Promise((resolve, reject) => server.once('error', reject).listen(port, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`, port: server.address().port,
    close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
  };
}

// Decodes an 8-bit, non-interlaced RGB or RGBA PNG (as Chromium's screenshots are) into
// { width, height, channels, data } with the rows' filters undone.
export function decodePng(png) {
  const buf = Buffer.from(png);
  let offset = 8, width, height, depth, type, interlace, idat = [];
  while (offset < buf.length) {
    const length = buf.readUInt32BE(offset), kind = buf.toString('latin1', offset + 4, offset + 8);
    const chunk = buf.subarray(offset + 8, offset + 8 + length);
    if (kind === 'IHDR') {
      [width, height] = [chunk.readUInt32BE(0), chunk.readUInt32BE(4)];
      [depth, type, interlace] = [chunk[8], chunk[9], chunk[12]];
    } else if (kind === 'IDAT') idat.push(chunk);
    offset += 12 + length;
  }
  const channels = { 2: 3, 6: 4 }[type];
  if (depth !== 8 || !channels || interlace) throw new Error(`PNG not decoded: depth ${depth}, colour type ${type}, interlace ${interlace}`);
  const raw = zlib.inflateSync(Buffer.concat(idat)), stride = width * channels;
  const data = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? data[y * stride + i - channels] : 0;
      const b = y > 0 ? data[(y - 1) * stride + i] : 0;
      const c = y > 0 && i >= channels ? data[(y - 1) * stride + i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      data[y * stride + i] = (line[i] + predictor) & 0xff;
    }
  }
  return { width, height, channels, data };
}

// Polls `predicate` (which may be async) until it gives a truthy value, and returns that
// value; throws an error naming `what` after `timeoutMs`.
export async function waitFor(predicate, { timeoutMs = 10000, what = 'a condition', intervalMs = 50 } = {}) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const value = await predicate();
    if (value) return value;
    if (Date.now() >= deadline) throw new Error(`timed out after ${timeoutMs} ms waiting for ${what}`);
    await sleep(intervalMs);
  }
}

// The colour of pixel (x, y) of a decoded image, as 0x00BBGGRR.
export function pixel({ width, channels, data }, x, y) {
  const at = (y * width + x) * channels;
  return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16);
}

// The colour of the CSS pixel (x, y) as the page is rendered, as 0x00BBGGRR.
export async function colourAt(driver, x, y) {
  return pixel(decodePng(await driver.screenshot()), x, y);
}

// Starts a browser of `engine` ('chromium', 'firefox' or 'webkit'; by default the one
// TYPING_WEB_ENGINE names, else Chromium) showing an empty page in a viewport of
// width × height CSS pixels; `origin` is the served page's address. Its screenshots are
// checked to have one pixel for each CSS pixel of the viewport.
export async function launchBrowser(engine = process.env.TYPING_WEB_ENGINE || 'chromium',
  { width = 1280, height = 800, origin } = {}) {
  const { launch } = await import(`./engines/${engine}.mjs`);
  const driver = await launch({ width, height, origin });
  const { screenshot } = driver;
  driver.screenshot = async () => {
    const png = Buffer.from(await screenshot());
    const size = [png.readUInt32BE(16), png.readUInt32BE(20)];
    if (size[0] !== width || size[1] !== height) {
      throw new Error(`a screenshot of ${size.join(' × ')} pixels of a ${width} × ${height} viewport`);
    }
    return png;
  };
  return driver;
}

// The faults outside the program that a browser test is run again for: WebKitWebDriver
// losing the page because the browser's web process ended (a trap or an abort of the program
// never ends that process: the engine catches it, and the page log shows it), and a driver
// that never answered a command. A test that fails so is run once more, and says so; every
// other failure fails at once.
const outsideFaults = [
  [/session deleted because of page crash or hang/,
    "WebKitWebDriver lost the page: the browser's web process ended under it"],
  [/timed out\. Increase the 'protocolTimeout'/, "the browser's driver never answered a command"],
];
export const outsideFaultOf = (error) =>
  outsideFaults.find(([message]) => message.test(String(error?.message)))?.[1] ?? null;

// A new empty folder under the system's temporary folder; remove() deletes it, as does the
// end of this process if a failed test leaves without.
export function temporaryFolder(prefix) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  const removeNow = () => fs.rmSync(folder, { recursive: true, force: true, maxRetries: 3 });
  process.once('exit', removeNow);
  return { folder, remove: () => { process.off('exit', removeNow); removeNow(); } };
}

// Starts `command` under a shell that ends it, by its process id, once this process closes
// the shell's input: in stop(), or by ending in any way (a test killed at its time limit
// too). `fd3` gives the command a pipe as its file descriptor 3. The shell's output is the
// command's.
export function startTied(command, args, { env = process.env, fd3 = false } = {}) {
  const child = spawn('/bin/sh', ['-c', '"$@" & read -r _; kill $! 2>/dev/null; wait $!', 'sh', command, ...args],
    { env, stdio: ['pipe', 'pipe', 'pipe', ...(fd3 ? ['pipe'] : [])] });
  const exited = new Promise((resolve) => child.once('exit', resolve));
  return {
    child, exited,
    stop: async () => { child.stdin.end(); await exited; },
  };
}

// An X display of its own (Xvfb) for a browser that needs one; stop() ends it.
export async function startXvfb() {
  const xvfb = startTied('Xvfb', ['-displayfd', '3', '-screen', '0', '2560x1600x24', '-dpi', '96', '-nolisten', 'tcp'],
    { fd3: true });
  xvfb.child.stdout.resume();
  xvfb.child.stderr.resume();
  const number = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.child.stdio[3].on('data', (data) => { text += data; if (text.includes('\n')) resolve(text.trim()); });
    xvfb.exited.then(() => reject(new Error('Xvfb did not start')));
  });
  return { display: `:${number}`, stop: xvfb.stop };
}

// The parts of a key name: 'Control+c' is ['Control', 'c']; 'Space' is the space bar's ' '.
export const keyParts = (key) => (key.length > 1 && key.includes('+') ? key.split(/\+(?=.)/) : [key])
  .map((part) => (part === 'Space' ? ' ' : part));

// Run in the page: keeps its main thread busy for `ms`, so that its timers fire late.
export function blockMainThread(ms) {
  const end = performance.now() + ms;
  while (performance.now() < end);
}

// Run in the page: a key's keydown and keyup as a browser reports them while a Japanese
// input method is on, sent to the focused element.
export function imeKeyEvents(code, shift) {
  for (const type of ['keydown', 'keyup']) {
    const event = new KeyboardEvent(type, { key: 'Process', code, shiftKey: shift, bubbles: true, cancelable: true });
    for (const name of ['keyCode', 'which']) Object.defineProperty(event, name, { get: () => 229 });
    (document.activeElement ?? document.body).dispatchEvent(event);
  }
}

// The driver of a page that puppeteer-core controls (Chromium, Firefox); `close` ends the
// browser and what was started for it. The browser's questions are dismissed as they come.
export function puppeteerDriver(page, close) {
  const log = [], questions = [];
  page.on('console', (message) => log.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => log.push(`pageerror: ${error.message}`));
  page.on('dialog', async (dialog) => { questions.push(dialog.type()); await dialog.dismiss(); });
  return {
    page, close,
    pageLog: async () => log,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    title: () => page.title(),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    async press(key) {
      const parts = keyParts(key), held = parts.slice(0, -1);
      for (const modifier of held) await page.keyboard.down(modifier);
      await page.keyboard.press(parts.at(-1));
      for (const modifier of held.reverse()) await page.keyboard.up(modifier);
    },
    click: (x, y, { button = 'left', count = 1 } = {}) => page.mouse.click(x, y, { button, count }),
    screenshot: () => page.screenshot({ type: 'png' }),
    clearClipboard: () => page.evaluate(() => navigator.clipboard.writeText('')),
    // Firefox now and then refuses a read (NotAllowedError) when the page's activation by the
    // last key has lapsed: that reads as an empty clipboard, and the caller copies again.
    clipboardText: () => page.evaluate(() => navigator.clipboard.readText().catch((error) => {
      if (error.name === 'NotAllowedError') return '';
      throw error;
    })),
    async leaveQuestion() {
      const asked = questions.length;
      await page.evaluate(() => { setTimeout(() => location.reload()); });
      return waitFor(() => questions[asked], { what: 'the question before leaving the page' }).catch(() => null);
    },
    stallPage: (ms) => page.evaluate(blockMainThread, ms),
    pressImeKey: (code, { shift = false } = {}) => page.evaluate(imeKeyEvents, code, shift),
  };
}
