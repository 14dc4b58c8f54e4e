// Checks the browser harness itself on a small page of coloured blocks and a WebGL canvas:
// the server, WebGL, pixel colours, the clipboard and key events. Exit code 0 when all pass.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { serveFolder, launchChromium, clipboardText, colourAt, waitFor, pressKey } from './harness.mjs';

const started = Date.now();
let passed = 0, failed = 0;
function check(name, ok, detail = '') {
  ok ? passed++ : failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : `: ${detail}`}`);
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'trainer-harness-'));
const folder = path.join(scratch, 'site');
fs.mkdirSync(folder);
fs.writeFileSync(path.join(folder, 'index.html'), '<!doctype html><body style="margin:0">'
  + '<div style="position:absolute;left:0;top:0;width:50px;height:50px;background:rgb(255,0,0)"></div>'
  + '<div style="position:absolute;left:50px;top:0;width:50px;height:50px;background:rgb(10,20,30)"></div>'
  + '<div style="position:absolute;left:0;top:50px;width:100px;height:50px;background:rgb(0,200,100)"></div>'
  + '<canvas width="50" height="50" style="position:absolute;left:100px;top:0"></canvas><script>'
  + 'const gl=document.querySelector("canvas").getContext("webgl");gl.clearColor(.2,.4,.6,1);gl.clear(gl.COLOR_BUFFER_BIT);'
  + 'window.keys=[];addEventListener("keydown",e=>{keys.push(e.key);e.preventDefault()})</script>');
fs.writeFileSync(path.join(folder, 'module.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
fs.writeFileSync(path.join(scratch, 'secret.txt'), 'outside the served folder');
fs.symlinkSync(path.join(scratch, 'secret.txt'), path.join(folder, 'link.txt'));

const server = await serveFolder(folder);
const chromium = await launchChromium({ width: 400, height: 300, origin: server.url });
try {
  // raw request paths: fetch() would tidy the dots away before sending
  const status = (name) => new Promise((resolve, reject) =>
    http.get(server.url, { path: name }, (res) => resolve(res.resume().statusCode)).on('error', reject));
  const wasm = await fetch(server.url + 'module.wasm');
  check('wasm served as application/wasm', wasm.headers.get('content-type') === 'application/wasm');
  check('a folder serves its index.html, a missing file is 404',
    (await status('/')) === 200 && (await status('/nothing.js')) === 404);
  const outside = await Promise.all(['/../secret.txt', '/%2e%2e/secret.txt', '/..%2fsecret.txt', '/link.txt'].map(status));
  check('nothing outside the folder is served', outside.every((code) => code === 404), outside.join(' '));

  const { page } = chromium;
  await page.goto(server.url);
  check('WebGL available', await page.evaluate(() => !!gl));
  check('page compiles the served wasm', await page.evaluate(() => WebAssembly.compileStreaming(fetch('module.wasm')).then(() => true)));

  const colours = [[25, 25, 0x0000ff], [75, 25, 0x1e140a], [50, 75, 0x64c800], [200, 200, 0xffffff], [125, 25, 0x996633]];
  for (const [x, y, want] of colours) {
    const got = await colourAt(page, x, y);
    check(`colour at (${x},${y})`, got === want, `0x${got.toString(16)} instead of 0x${want.toString(16)}`);
  }

  await page.evaluate(() => navigator.clipboard.writeText('かな kana'));
  const text = await clipboardText(page);
  check('clipboard round trip', text === 'かな kana', JSON.stringify(text));

  for (const key of ['F7', 'Tab', 'x', 'Enter', 'Control+w']) await pressKey(page, key);
  const keys = await waitFor(() => page.evaluate(() => (window.keys.length >= 6 ? window.keys : null)),
    { timeoutMs: 3000, what: 'six keydown events' }).catch((error) => String(error));
  check('keydown receives F7, Tab, x, Enter, Control+w', JSON.stringify(keys)
    === JSON.stringify(['F7', 'Tab', 'x', 'Enter', 'Control', 'w']), JSON.stringify(keys));
  check('page still open after Control+w', !page.isClosed() && (await page.evaluate(() => 1)) === 1);

  const timeout = await waitFor(() => false, { timeoutMs: 100, what: 'nothing' }).catch((error) => error.message);
  check('waitFor names what it waited for', /waiting for nothing/.test(timeout), timeout);

  const slow = await serveFolder(folder, { bytesPerSecond: 20000, latencyMs: 200 });
  fs.writeFileSync(path.join(folder, 'big.bin'), Buffer.alloc(10000));
  const t0 = Date.now();
  const sizes = await Promise.all([1, 2].map(async () => (await (await fetch(slow.url + 'big.bin')).arrayBuffer()).byteLength));
  const took = Date.now() - t0;
  await slow.close();
  check('slow link shares 20000 B/s between two downloads', sizes.every((n) => n === 10000) && took >= 1000 && took < 4000, `${took} ms`);
} catch (error) {
  check('no exception', false, error.stack);
} finally {
  if (failed) console.log(chromium.log.join('\n'));
  await chromium.close();
  await server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed (${((Date.now() - started) / 1000).toFixed(1)} s)`);
process.exit(failed ? 1 : 0);
