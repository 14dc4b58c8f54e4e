// The browser edition as a pupil uses it: the page served from the built folder, in Debian's
// headless Chromium, with real key and mouse events through the DevTools protocol. The
// trainer's titles, lesson 1's keys, the buttons' places and the speed bands come from
// trainer_facts, built from the same sources as the program.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import {
  clipboardText, colourAt, decodePng, launchChromium, pressKey, serveFolder, waitFor,
} from './harness.mjs';

const facts = JSON.parse(execFileSync(process.env.TYPING_TRAINER_FACTS, { encoding: 'utf8' }));
const pupilPaceMs = 60;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

let server;
before(async () => { server = await serveFolder(process.env.TYPING_WEB_SITE); });
after(async () => { await server?.close(); });

// A Chromebook's screen, as most pupils have it.
async function openPage({ width = 1366, height = 768, withoutWebAssembly = false } = {}) {
  const chromium = await launchChromium({ width, height, origin: server.url });
  if (withoutWebAssembly) {
    await chromium.page.evaluateOnNewDocument(() => { delete globalThis.WebAssembly; });
  }
  await chromium.page.goto(server.url);
  return chromium;
}

const pageState = (page) => page.evaluate(() => document.documentElement.dataset.state);
const noticeText = (page) => page.evaluate(() => document.getElementById('notice').innerText);

async function waitUntilRunning(chromium) {
  await waitFor(async () => (await pageState(chromium.page)) === 'running',
    { timeoutMs: 60000, what: `the program to start (log: ${chromium.log.join(' | ')})` });
}

// The menu window's client area: the pale cyan the menu is painted in.
async function menuClientRect(page) {
  return waitFor(async () => {
    const { width, height, channels, data } = decodePng(await page.screenshot({ type: 'png' }));
    const cyan = facts.paleCyan;
    let left = width, top = height, right = -1, bottom = -1;
    for (let y = 0; y < height; y++) {
      for (let x = 0; x < width; x++) {
        const at = (y * width + x) * channels;
        if ((data[at] | (data[at + 1] << 8) | (data[at + 2] << 16)) === cyan) {
          left = Math.min(left, x); right = Math.max(right, x);
          top = Math.min(top, y); bottom = Math.max(bottom, y);
        }
      }
    }
    const rect = { left, top, width: right - left + 1, height: bottom - top + 1 };
    return rect.width === facts.menuClient.width && rect.height === facts.menuClient.height && rect;
  }, { timeoutMs: 20000, what: 'the menu window' });
}

// A point inside lesson button `index`, `inset` pixels in from its left edge, halfway down.
function inButton(client, index, inset) {
  const place = facts.lessonButtons[index];
  return { x: client.left + place.left + inset, y: client.top + place.top + Math.floor(place.height / 2) };
}

async function typeKeys(page, keys) {
  for (const key of keys) {
    await page.keyboard.press(key === ' ' ? 'Space' : key);
    await sleep(pupilPaceMs);
  }
}

// The box titled `title`, copied with Ctrl+C as a pupil can copy any box.
async function copyOfBox(page, title) {
  await page.evaluate(() => navigator.clipboard.writeText(''));
  return waitFor(async () => {
    await pressKey(page, 'Control+c');
    const text = await clipboardText(page);
    return text.split('\n')[1] === title && text;
  }, { timeoutMs: 10000, what: `the box '${title}'` });
}

async function closeBox(page, title) {
  await copyOfBox(page, title);
  await page.keyboard.press('Enter');
}

function bandColour(speed) {
  return facts.speedBands.find((band) => speed >= band.from && speed <= band.to)?.colour;
}

test('a browser without WebAssembly gets a page that says what it needs', async () => {
  const chromium = await openPage({ withoutWebAssembly: true });
  try {
    await waitFor(async () => (await pageState(chromium.page)) === 'unsupported',
      { what: 'the page to give up' });
    assert.match(await noticeText(chromium.page), /WebAssembly と WebGL に対応したブラウザーが必要です/);
  } finally {
    await chromium.close();
  }
});

test('a pupil types lesson 1 with one wrong key, and the browser keeps none of the keys', async () => {
  const chromium = await openPage();
  const { page } = chromium;
  try {
    await waitUntilRunning(chromium);
    assert.equal(await page.title(), 'タイピングソフト');
    const client = await menuClientRect(page);
    assert.equal(await colourAt(page, inButton(client, 2, 0).x, inButton(client, 2, 0).y),
      facts.paleCyan, 'lesson 3 shows at start');
    // Whether the page let the browser act on each key, seen after the program had it.
    await page.evaluate(() => {
      window.keysSeen = [];
      window.addEventListener('keydown', (event) => window.keysSeen.push([event.key, event.defaultPrevented]));
    });

    // Lesson 1 has the focus: Enter starts it.
    await page.keyboard.press('Enter');
    const startBox = await copyOfBox(page, facts.titles.startBox);
    await page.keyboard.press('Enter');

    // A wrong key; then the keys a browser keeps for itself, which the board judges (or
    // ignores) as on the desktop: none of them reloads the page or leaves the board.
    await typeKeys(page, 'x');
    const missBox = await copyOfBox(page, 'xではありません');
    await page.keyboard.press('Enter');
    await pressKey(page, 'Tab');
    await closeBox(page, 'Tabではありません');
    await pressKey(page, 'F7');
    await closeBox(page, 'F7ではありません');
    await pressKey(page, 'F5');
    await pressKey(page, 'Control+r');
    await pressKey(page, 'Control+f');

    await typeKeys(page, facts.lessonOneKeys);
    const finishedBox = await copyOfBox(page, facts.titles.finishedBox);
    await page.keyboard.press('Enter');
    const timeBox = await copyOfBox(page, facts.titles.timeBox);
    await page.keyboard.press('Enter');
    await sleep(500);

    assert.match(startBox, /\n---------------------------\nOK {3}\n/);
    assert.match(missBox, /Tです/);
    assert.match(finishedBox, /終わりました/);
    const speed = Number(timeBox.match(/(\d+(?:\.\d)?)打／分/)?.[1]);
    assert.match(timeBox, /打／分\n合格圏内/);
    assert.equal(await colourAt(page, inButton(client, 0, 2).x, inButton(client, 0, 2).y),
      bandColour(speed), `lesson 1 after a run at ${speed}`);
    assert.notEqual(await colourAt(page, inButton(client, 2, 0).x, inButton(client, 2, 0).y),
      facts.paleCyan, 'lesson 3 was not revealed');

    const keysSeen = new Map(await page.evaluate(() => window.keysSeen));
    for (const key of ['Tab', 'F7', 'F5', 'r', 'f']) {
      assert.equal(keysSeen.get(key), true, `the browser could act on ${key}`);
    }
    assert.equal(await pageState(page), 'running');
  } finally {
    await chromium.close();
  }
});
