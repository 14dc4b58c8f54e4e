// Drives the trainer's page in Debian's headless Chromium through puppeteer-core:
// a static server for the built page, the browser, key presses, the clipboard and the
// colour of one pixel as the page is rendered.
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const MIME = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.mjs': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8', '.json': 'application/json',
  '.svg': 'image/svg+xml', '.png': 'image/png', '.ico': 'image/x-icon', '.txt': 'text/plain; charset=utf-8',
};

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, Math.max(0, ms)));

// Serves the files of `folder` on 127.0.0.1 at a free port; a folder's address serves its
// index.html, nothing lists a folder, and nothing outside `folder` is reached. A slow
// school connection is simulated here, on the server side, rather than with Chromium's
// network emulation: { latencyMs } holds back each response's headers, and { bytesPerSecond }
// is one link shared by all responses at once (as a school's line is), so the timing is the
// same whatever in the page asks for a file.
export async function serveFolder(folder, { bytesPerSecond = 0, latencyMs = 0, gzip = false } = {}) {
  const root = fs.realpathSync(folder);
  let linkFreeAt = 0; // when the simulated link has sent everything queued on it
  const compressed = new Map(); // compressed once, as a server's cache would
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
    const compress = gzip && /\bgzip\b/.test(req.headers['accept-encoding'] ?? '');
    if (compress && !compressed.has(file)) compressed.set(file, zlib.gzipSync(fs.readFileSync(file)));
    const body = compress ? compressed.get(file) : fs.readFileSync(file);
    await sleep(latencyMs);
    res.writeHead(200, {
      'Content-Type': MIME[path.extname(file).toLowerCase()] ?? 'application/octet-stream',
      'Content-Length': body.length, 'Cache-Control': 'no-store',
      ...(compress ? { 'Content-Encoding': 'gzip' } : {}),
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
  await new Promise((resolve, reject) => server.once('error', reject).listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
  };
}

// Lets pages of `origin` (such as a served folder's url) read and write the clipboard.
export async function grantClipboard(browser, origin) {
  await browser.defaultBrowserContext().overridePermissions(new URL(origin).origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
}

// Starts headless Chromium with a new empty profile, deleted again by close() (or when a
// failed test leaves without it). `log` collects the page's console messages and uncaught
// errors (Qt's loader says there why it stops).
export async function launchChromium({ width = 1280, height = 800, origin } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'trainer-chromium-'));
  const removeProfile = () => fs.rmSync(profile, { recursive: true, force: true, maxRetries: 3 });
  process.once('exit', removeProfile);
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, pipe: true, userDataDir: profile,
    defaultViewport: { width, height, deviceScaleFactor: 1 },
    args: [
      `--window-size=${width},${height}`,
      // as root, and with no network but the loopback: nothing may call outside
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      // Qt's loader will not start without WebGL. With --disable-gpu, Chromium falls back
      // to WebGL on SwiftShader (software) only through a deprecated automatic fallback;
      // these two ask for SwiftShader outright. --disable-software-rasterizer would take
      // WebGL away altogether.
      '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    ],
  });
  const [page] = await browser.pages();
  // The clipboard answers only a focused page, and a page is not focused until brought to
  // the front; it stays focused across navigations.
  await page.bringToFront();
  const log = [];
  page.on('console', (message) => log.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => log.push(`pageerror: ${error.message}`));
  if (origin) await grantClipboard(browser, origin);
  return {
    browser, page, log,
    close: async () => { await browser.close(); process.off('exit', removeProfile); removeProfile(); },
  };
}

// The text on the clipboard, as the page reads it. Chromium reads the clipboard only for a
// focused page, so the page is brought to the front first.
export async function clipboardText(page) {
  await page.bringToFront();
  return page.evaluate(() => navigator.clipboard.readText());
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

// The colour of the CSS pixel (x, y) as the page is rendered, as 0x00BBGGRR.
export async function colourAt(page, x, y) {
  const { data } = decodePng(await page.screenshot({ type: 'png', clip: { x, y, width: 1, height: 1 } }));
  return data[0] | (data[1] << 8) | (data[2] << 16);
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

// Presses a key with real key events through Chromium's input pipeline: 'Enter', 'x', 'F7',
// 'Tab', 'Control+w' or ('w', ['Control']). The modifiers are held down around the key.
// The page receives all of them, and the browser acts on none: here Control+w closes no tab
// and F5 reloads nothing, though a person's browser would (Control+w unseen by the page).
export async function pressKey(page, key, modifiers = []) {
  const parts = key.length > 1 && key.includes('+') ? key.split(/\+(?=.)/) : [key];
  const held = [...modifiers, ...parts.slice(0, -1)];
  for (const modifier of held) await page.keyboard.down(modifier);
  await page.keyboard.press(parts.at(-1));
  for (const modifier of held.reverse()) await page.keyboard.up(modifier);
}
