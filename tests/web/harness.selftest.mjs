// Checks the browser harness itself on a small page of coloured blocks and a WebGL canvas:
// the server, WebGL, pixel colours, the clipboard, key events, clicks, a stalled page and the
// question before leaving, in the engine TYPING_WEB_ENGINE names (Chromium unless set).
// Exit code 0 when all pass.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { colourAt, launchBrowser, outsideFaultOf, serveFolder, sleep, temporaryFolder, waitFor } from './harness.mjs';

const started = Date.now();
let passed = 0, failed = 0;
function check(name, ok, detail = '') {
  ok ? passed++ : failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : `: ${detail}`}`);
}

const { folder: scratch, remove: removeScratch } = temporaryFolder('trainer-harness-');
const folder = path.join(scratch, 'site');
fs.mkdirSync(folder);
fs.writeFileSync(path.join(folder, 'index.html'), '<!doctype html><body style="margin:0">'
  + '<div style="position:absolute;left:0;top:0;width:50px;height:50px;background:rgb(255,0,0)"></div>'
  + '<div style="position:absolute;left:50px;top:0;width:50px;height:50px;background:rgb(10,20,30)"></div>'
  + '<div style="position:absolute;left:0;top:50px;width:100px;height:50px;background:rgb(0,200,100)"></div>'
  + '<canvas width="50" height="50" style="position:absolute;left:100px;top:0"></canvas><script>'
  + 'const gl=document.querySelector("canvas").getContext("webgl");gl.clearColor(.2,.4,.6,1);gl.clear(gl.COLOR_BUFFER_BIT);'
  + 'window.keys=[];addEventListener("keydown",e=>{keys.push(e.keyCode===229?`${e.key} ${e.code} ${e.shiftKey}`:e.key);e.preventDefault()});'
  + 'window.buttons=[];addEventListener("pointerdown",e=>buttons.push(e.button));addEventListener("contextmenu",e=>e.preventDefault());'
  + 'window.ticks=[];setInterval(()=>ticks.push(performance.now()),20);addEventListener("beforeunload",e=>e.preventDefault())</script>');
fs.writeFileSync(path.join(folder, 'module.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
fs.writeFileSync(path.join(scratch, 'secret.txt'), 'outside the served folder');
fs.symlinkSync(path.join(scratch, 'secret.txt'), path.join(folder, 'link.txt'));

const server = await serveFolder(folder);
// MiniBrowser (WebKit) keeps its window at least 447 pixels wide.
const page = await launchBrowser(undefined, { width: 640, height: 300, origin: server.url });
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

  await page.goto(server.url);
  check('WebGL available', await page.evaluate(() => !!gl));
  check('page compiles the served wasm', await page.evaluate(() => WebAssembly.compileStreaming(fetch('module.wasm')).then(() => true)));

  const colours = [[25, 25, 0x0000ff], [75, 25, 0x1e140a], [50, 75, 0x64c800], [200, 200, 0xffffff], [125, 25, 0x996633]];
  for (const [x, y, want] of colours) {
    const got = await colourAt(page, x, y);
    check(`colour at (${x},${y})`, got === want, `0x${got.toString(16)} instead of 0x${want.toString(16)}`);
  }

  await page.evaluate(() => { navigator.clipboard.writeText('かな kana').catch(() => {}); });
  const text = await waitFor(async () => { const copied = await page.clipboardText(); return copied === 'かな kana' && copied; },
    { timeoutMs: 3000, what: 'the text on the clipboard' }).catch(() => page.clipboardText());
  check('clipboard round trip', text === 'かな kana', JSON.stringify(text));

  for (const key of ['F7', 'Tab', 'x', 'Enter', 'Space', 'ArrowDown', 'Control+w']) await page.press(key);
  await page.pressImeKey('KeyA', { shift: true });
  const want = ['F7', 'Tab', 'x', 'Enter', ' ', 'ArrowDown', 'Control', 'w', 'Process KeyA true'];
  const keys = await waitFor(() => page.evaluate((count) => (window.keys.length >= count ? window.keys : null), want.length),
    { timeoutMs: 3000, what: 'the keydown events' }).catch(() => page.evaluate(() => window.keys));
  check(`keydown receives ${want.join(', ')}`, JSON.stringify(keys) === JSON.stringify(want), JSON.stringify(keys));
  check('page still open after Control+w', (await page.evaluate(() => 1)) === 1);

  await page.click(10, 10);
  await page.click(60, 60, { button: 'right' });
  await page.click(20, 20);
  const buttons = await page.evaluate(() => window.buttons);
  check('left, right and left click', JSON.stringify(buttons) === '[0,2,0]', JSON.stringify(buttons));

  const stallFrom = Date.now();
  await page.stallPage(1000);
  await sleep(100);
  const gap = await page.evaluate(() => Math.max(...window.ticks.slice(1).map((tick, i) => tick - window.ticks[i])));
  check('a stalled page\'s timers wait', gap >= 900 && Date.now() - stallFrom >= 1000, `longest gap ${gap} ms`);

  check('the question before leaving', (await page.leaveQuestion()) === 'beforeunload');
  check('the page stays', Array.isArray(await page.evaluate(() => window.keys)));
  check('title', (await page.title()) === '', JSON.stringify(await page.title()));

  const timeout = await waitFor(() => false, { timeoutMs: 100, what: 'nothing' }).catch((error) => error.message);
  check('waitFor names what it waited for', /waiting for nothing/.test(timeout), timeout);

  const slow = await serveFolder(folder, { bytesPerSecond: 20000, latencyMs: 200 });
  fs.writeFileSync(path.join(folder, 'big.bin'), Buffer.alloc(10000));
  const t0 = Date.now();
  const sizes = await Promise.all([1, 2].map(async () => (await (await fetch(slow.url + 'big.bin')).arrayBuffer()).byteLength));
  const took = Date.now() - t0;
  await slow.close();
  check('slow link shares 20000 B/s between two downloads', sizes.every((n) => n === 10000) && took >= 1000 && took < 4000, `${took} ms`);
  const rerunFor = (message) => outsideFaultOf(new Error(message)) !== null;
  check('only the named faults outside the program are run again',
    rerunFor('WebDriver POST /session/1/execute/sync: invalid session id: session deleted because of page crash or hang.')
    && rerunFor("Page.captureScreenshot timed out. Increase the 'protocolTimeout' setting in launch/connect calls")
    && !rerunFor('RuntimeError: Unreachable code') && !rerunFor('timed out after 60000 ms waiting for the program to start'));
} catch (error) {
  check('no exception', false, error.stack);
} finally {
  if (failed) console.log((await page.pageLog()).join('\n'));
  await page.close();
  await server.close();
  removeScratch();
}
console.log(`${passed} passed, ${failed} failed (${((Date.now() - started) / 1000).toFixed(1)} s)`);
process.exit(failed ? 1 : 0);
