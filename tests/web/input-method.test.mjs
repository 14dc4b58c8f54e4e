// The browser edition for a pupil whose computer is set up for Japanese: fcitx5 with mozc
// (switched on) on an X display of the test's own, Debian's Chromium in a window on it, and
// real X key events from xdotool. The input method first composes 「か」 in a text field, so
// it is truly on; then lesson 1 is typed on the trainer's page with it still on.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { serveFolder, waitFor } from './harness.mjs';

const facts = JSON.parse(execFileSync(process.env.TYPING_TRAINER_FACTS, { encoding: 'utf8' }));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const root = fs.mkdtempSync(path.join(os.tmpdir(), 'trainer-input-method-'));
fs.chmodSync(root, 0o755); // the input method's user reaches its home and the bus in here
process.once('exit', () => fs.rmSync(root, { recursive: true, force: true, maxRetries: 3 }));
// mozc's server will not run as root: as root, the input method runs as nobody.
const imUser = process.getuid() === 0 ? { uid: 65534, gid: 65534 } : {};
const processes = [];
let desktop, server, browser, page;

// A home with its XDG folders; `files` are written under it, all owned by `owner`.
function makeHome(name, owner = {}, files = {}) {
  const home = path.join(root, name);
  const env = { HOME: home, XDG_CONFIG_HOME: `${home}/.config`, XDG_DATA_HOME: `${home}/.local/share`,
    XDG_CACHE_HOME: `${home}/.cache`, XDG_RUNTIME_DIR: `${home}/run` };
  for (const folder of Object.values(env)) fs.mkdirSync(folder, { recursive: true, mode: 0o700 });
  for (const [file, text] of Object.entries(files)) {
    fs.mkdirSync(path.dirname(path.join(home, file)), { recursive: true });
    fs.writeFileSync(path.join(home, file), text);
  }
  if (owner.uid !== undefined) {
    for (const entry of ['', ...fs.readdirSync(home, { recursive: true })]) {
      fs.chownSync(path.join(home, entry), owner.uid, owner.gid);
    }
  }
  return env;
}

// Starts a program of the test's own; its output is kept for a failure's message.
function start(command, args, { env = {}, user = {}, fd3 = false } = {}) {
  const child = spawn(command, args, { env: { PATH: process.env.PATH, ...env }, ...user,
    stdio: ['ignore', 'pipe', 'pipe', ...(fd3 ? ['pipe'] : [])] });
  child.out = '';
  child.log = '';
  child.stdout.on('data', (data) => { child.out += data; });
  child.stderr.on('data', (data) => { child.log = (child.log + data).slice(-3000); });
  child.on('error', (error) => { child.log += String(error); });
  processes.push(child);
  return child;
}

const isRunning = (pid) => {
  try { return !/^\d+ \(.*\) Z/.test(fs.readFileSync(`/proc/${pid}/stat`, 'utf8')); } catch { return false; }
};

// Ends a process by its id, after the programs it started (fcitx5's mozc_server).
async function stop(pid) {
  let children = [];
  try { children = execFileSync('pgrep', ['-P', String(pid)], { encoding: 'utf8' }).split('\n').filter(Boolean); } catch {}
  for (const id of [...children.map(Number), pid]) {
    try { process.kill(id, 'SIGTERM'); } catch {}
    await waitFor(() => !isRunning(id), { timeoutMs: 5000 }).catch(() => { try { process.kill(id, 'SIGKILL'); } catch {} });
  }
}

const run = (command, ...args) =>
  execFileSync(command, args, { env: desktop, encoding: 'utf8', timeout: 30000, stdio: 'pipe' }).trim();
const imState = () => { try { return run('fcitx5-remote'); } catch { return 'no answer'; } };
// Real key events (XTEST) to the window that has the keyboard, at a pupil's pace.
const keys = async (...names) => { run('xdotool', 'key', '--delay', '80', ...names); await sleep(150); };
const keysOf = (text) => [...text].map((character) => (character === ' ' ? 'space' : character));

async function switchInputMethodOn() {
  run('fcitx5-remote', '-o');
  await waitFor(() => imState() === '2', { timeoutMs: 20000, what: `the input method on (now ${imState()})` });
}

// The box titled `title`, copied with Ctrl+C. With no box open, Ctrl+C copies the last
// box's text again.
async function copyOfBox(title) {
  await page.evaluate(() => navigator.clipboard.writeText(''));
  return waitFor(async () => {
    await keys('ctrl+c');
    const text = await page.evaluate(() => navigator.clipboard.readText());
    return text.split('\n')[1] === title && text;
  }, { timeoutMs: 20000, intervalMs: 300, what: `the box '${title}'` });
}

before(async () => {
  const display = start('Xvfb', ['-displayfd', '3', '-screen', '0', '1366x768x24', '-nolisten', 'tcp'], { fd3: true });
  let number = '';
  display.stdio[3].on('data', (data) => { number += data; });
  await waitFor(() => number.includes('\n'), { timeoutMs: 30000, what: `Xvfb's display (${display.log})` });
  // A D-Bus bus of the test's own, open to the input method's user; it starts no services.
  fs.writeFileSync(path.join(root, 'bus.conf'), `<!DOCTYPE busconfig PUBLIC
    "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
    "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
    <busconfig><type>session</type><listen>unix:path=${root}/bus</listen><auth>EXTERNAL</auth>
    <policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/>
    <allow receive_sender="*"/></policy></busconfig>`);
  const bus = start('dbus-daemon', ['--config-file', path.join(root, 'bus.conf'), '--nofork', '--print-address']);
  await waitFor(() => bus.out.includes('\n'), { timeoutMs: 30000, what: `the D-Bus bus (${bus.log})` });
  desktop = { PATH: process.env.PATH, DISPLAY: `:${number.trim()}`,
    DBUS_SESSION_BUS_ADDRESS: bus.out.split('\n')[0] };
  // keyboard-us while off, mozc while on, as fcitx5 sets itself up for Japanese.
  const profile = `[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=mozc\n\n` +
    `[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n[Groups/0/Items/1]\nName=mozc\nLayout=\n\n` +
    `[GroupOrder]\n0=Default\n`;
  const fcitx = start('fcitx5', [], { user: imUser,
    env: { ...desktop, ...makeHome('input-method', imUser, { '.config/fcitx5/profile': profile }) } });
  await waitFor(() => /^\d$/.test(imState()), { timeoutMs: 30000, what: `fcitx5 (${fcitx.log})` });

  server = await serveFolder(process.env.TYPING_WEB_SITE);
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: false, pipe: true, defaultViewport: null,
    userDataDir: path.join(root, 'chromium-profile'), protocolTimeout: 60000,
    env: { ...desktop, ...makeHome('pupil'), GTK_IM_MODULE: 'fcitx',
      XMODIFIERS: '@im=fcitx', NO_AT_BRIDGE: '1' },
    args: ['--window-position=0,0', '--window-size=1366,768',
      // as the harness starts it: no network but the loopback, WebGL on SwiftShader
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
  await browser.defaultBrowserContext().overridePermissions(new URL(server.url).origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  [page] = await browser.pages();
});

after(async () => {
  await browser?.close().catch(() => stop(browser.process()?.pid));
  await server?.close();
  for (const child of processes.reverse()) await stop(child.pid);
});

test('lesson 1 typed with the Japanese input method on, which composes in a text field', async () => {
  // A text field filling the window; a click into it gives it the keyboard.
  await page.setContent(`<textarea style="position:fixed;inset:0;width:100%;height:100%"></textarea>
    <script>window.composed = []; document.querySelector('textarea').addEventListener('compositionupdate',
      (event) => composed.push(event.data));</script>`);
  const pointer = run('xdotool', 'mousemove', '--sync', '683', '500', 'getmouselocation', '--shell');
  run('xdotool', 'windowfocus', '--sync', pointer.match(/WINDOW=(\d+)/)[1], 'click', '1');
  await switchInputMethodOn();
  await keys('k', 'a');
  const composed = await waitFor(() => page.evaluate(() => composed.includes('か') && composed),
    { timeoutMs: 20000, what: 'mozc composing か' });
  assert.equal(await page.evaluate(() => document.querySelector('textarea').value), 'か', composed.join(' '));

  // The trainer's page in the same window: which keys reach it, and whether anything composes.
  await page.evaluateOnNewDocument(() => {
    window.seen = [];
    window.addEventListener('keydown', (event) => seen.push(event.code), true);
    window.addEventListener('compositionstart', () => seen.push('composition'), true);
  });
  await page.goto(server.url);
  await waitFor(() => page.evaluate(() => document.documentElement.dataset.state === 'running'),
    { timeoutMs: 90000, what: 'the program to start' });
  await switchInputMethodOn();
  await sleep(3000); // the menu window takes the keyboard

  await keys('Return'); // lesson 1 has the focus
  await copyOfBox(facts.titles.startBox);
  await keys('Return');
  await keys('x');
  const missBox = await copyOfBox('xではありません');
  await keys('Return');
  await keys(...keysOf(facts.lessonOneKeys.slice(0, 3)));
  // 変換, 無変換 and ひらがな in the middle of a word: no box comes (with no box open, Ctrl+C
  // copies the last box again), and the run goes on.
  await keys('Henkan_Mode', 'Muhenkan', 'Hiragana_Katakana');
  await sleep(1000);
  await copyOfBox('xではありません');
  await keys(...keysOf(facts.lessonOneKeys.slice(3)));
  const finishedBox = await copyOfBox(facts.titles.finishedBox);
  await keys('Return');
  const timeBox = await copyOfBox(facts.titles.timeBox);
  await keys('Return');

  assert.match(missBox, /Tです/);
  assert.match(finishedBox, /終わりました/);
  assert.match(timeBox, /\d打／分\n合格圏内/);
  const seen = await page.evaluate(() => window.seen);
  for (const code of ['Convert', 'NonConvert', 'KanaMode']) assert.ok(seen.includes(code), `${code} not pressed`);
  assert.ok(!seen.includes('composition'), 'the input method composed on the page');
  assert.equal(imState(), '2', 'the input method is no longer on');
});
