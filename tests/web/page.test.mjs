// The browser edition the page draws itself (build/page/site), read as the page's elements
// and, in Chromium, through the browser's accessibility tree: each window a region named by
// its title, the menu bar a menubar of menu items, the lessons buttons, each box a modal
// alert dialog with the keyboard on its button. Then the order of events a pupil makes:
// clicks, a double click, keys and closes, in the engine TYPING_WEB_ENGINE names.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { launchBrowser, serveFolder, sleep, waitFor } from './harness.mjs';

const facts = JSON.parse(execFileSync(process.env.TYPING_TRAINER_FACTS, { encoding: 'utf8' }));
const engine = process.env.TYPING_WEB_ENGINE || 'chromium';
const pupilPaceMs = 60;
const menuTitles = ['使用法', 'インディケーター速度', '技術・開発', 'キーボード', '成績'];

let server;
before(async () => { server = await serveFolder(process.env.TYPING_PAGE_SITE); });
after(async () => { await server?.close(); });

async function withPage(steps) {
  const page = await launchBrowser(engine, { width: 1366, height: 768, origin: server.url });
  try {
    await page.goto(server.url);
    await waitFor(async () => (await page.evaluate(() => document.documentElement.dataset.state)) === 'running',
      { timeoutMs: 30000, what: 'the program to start' });
    await steps(page);
  } catch (error) {
    error.message += `\npage log: ${(await page.pageLog()).join(' | ')}`;
    throw error;
  } finally {
    await page.close();
  }
}

// What the page shows now, read from its elements: the windows shown, by name; the element
// with the keyboard, by role and name; the open boxes with their prompts and buttons.
const shown = (page) => page.evaluate(() => {
  const nameOf = (element) => {
    const labelledBy = element.getAttribute('aria-labelledby');
    if (labelledBy) return document.getElementById(labelledBy).textContent;
    return element.getAttribute('aria-label') ?? element.textContent;
  };
  const roleOf = (element) => element.getAttribute('role') ?? element.localName;
  const visible = (element) => !element.closest('[hidden]');
  const focused = document.activeElement;
  return {
    windows: [...document.querySelectorAll('.window')].filter(visible).map(nameOf),
    focus: focused && `${roleOf(focused)} ${nameOf(focused)}`,
    boxes: [...document.querySelectorAll('.box')].filter((box) => box.open || !box.hidden).map((box) => ({
      role: roleOf(box), name: nameOf(box), modal: box.matches(':modal') || box.classList.contains('fallback'),
      prompt: document.getElementById(box.getAttribute('aria-describedby')).textContent,
      buttons: [...box.querySelectorAll('button')].map((button) => button.textContent),
    })),
  };
});

async function press(page, key) {
  await page.press(key);
  await sleep(pupilPaceMs);
}

const boxNamed = async (page, title) => waitFor(async () => {
  const { boxes, focus } = await shown(page);
  return boxes.length === 1 && boxes[0].name === title && { ...boxes[0], focus };
}, { what: `the box '${title}'` });

// The centre of the first element `selector` finds inside the window named `title`.
const centreIn = (page, title, selector) => page.evaluate((title, selector) => {
  const window = [...document.querySelectorAll('.window')].find((found) =>
    document.getElementById(found.getAttribute('aria-labelledby')).textContent === title);
  const rect = window.querySelector(selector).getBoundingClientRect();
  return { x: Math.round(rect.left + rect.width / 2), y: Math.round(rect.top + rect.height / 2) };
}, title, selector);

test('the windows, the menu bar, the lessons and the boxes are the page\'s own elements', () =>
  withPage(async (page) => {
    assert.deepEqual(await shown(page), { windows: [facts.titles.menu], focus: 'button 1ページ', boxes: [] });
    // The menu's client area and its lesson buttons, at their sizes in twips ÷ 15.
    const places = await page.evaluate(() => {
      const client = document.querySelector('.window:not([hidden]) .client');
      const origin = client.getBoundingClientRect();
      return {
        client: { width: origin.width, height: origin.height },
        buttons: [...client.querySelectorAll('button')].filter((button) => !button.hidden).map((button) => {
          const rect = button.getBoundingClientRect();
          return { name: button.textContent, left: rect.left - origin.left, top: rect.top - origin.top, width: rect.width, height: rect.height };
        }),
        menu: [...document.querySelectorAll('[role=menubar] > * ')].map((item) =>
          (item.matches('[role=menuitem]') ? item : item.querySelector('[role=menuitem]')).textContent),
      };
    });
    assert.deepEqual(places.client, facts.menuClient);
    assert.deepEqual(places.buttons, facts.lessonButtons.slice(0, 2).map((place, index) => ({ name: `${index + 1}ページ`, ...place })));
    assert.deepEqual(places.menu, menuTitles);
    if (engine === 'chromium') {
      const roles = [];
      const walk = (node, depth) => {
        const counted = ['region', 'menubar', 'menuitem', 'button'].includes(node.role);
        if (counted) roles.push(`${'  '.repeat(depth)}${node.role} ${node.name}`);
        for (const child of node.children ?? []) walk(child, depth + (counted ? 1 : 0));
      };
      walk(await page.page.accessibility.snapshot(), 0);
      assert.deepEqual(roles, [`region ${facts.titles.menu}`, '  menubar ',
        ...menuTitles.map((title) => `    menuitem ${title}`), '  button 1ページ', '  button 2ページ']);
    }

    // The keyboard reaches the menu bar as on the desktop: F10, the arrows, Enter; a check
    // changes as its item is chosen, and Escape goes back to the lesson button.
    await press(page, 'F10');
    assert.equal((await shown(page)).focus, 'menuitem 使用法');
    for (let step = 0; step < 3; step++) await press(page, 'ArrowRight');
    assert.equal((await shown(page)).focus, 'menuitem キーボード');
    await press(page, 'ArrowDown');
    const guideItem = (await shown(page)).focus;
    assert.match(guideItem, /^menuitemcheckbox /);
    const checked = () => page.evaluate(() => document.activeElement.getAttribute('aria-checked'));
    const before = await checked();
    await press(page, 'Enter');
    assert.equal((await shown(page)).focus, 'button 1ページ', 'the keyboard went back to the lesson');
    // Round the bar the other way: left of the first title is the last.
    await press(page, 'F10');
    for (let step = 0; step < 2; step++) await press(page, 'ArrowLeft');
    await press(page, 'ArrowDown');
    assert.equal((await shown(page)).focus, guideItem);
    assert.notEqual(await checked(), before, 'choosing the item changed its check');
    await press(page, 'Escape');
    await press(page, 'Escape');
    assert.equal((await shown(page)).focus, 'button 1ページ');

    // A question: its title, prompt and buttons, the keyboard on Yes; Escape answers No as
    // the desktop's boxes do, and N too.
    const close = await centreIn(page, facts.titles.menu, '.close');
    for (const answer of ['Escape', 'n']) {
      await page.click(close.x, close.y);
      const quit = await boxNamed(page, facts.titles.quitBox);
      assert.deepEqual(quit, { role: 'alertdialog', name: facts.titles.quitBox, modal: true,
        prompt: '本当に終わりますか', buttons: ['はい(Y)', 'いいえ(N)'], focus: 'button はい(Y)' });
      await press(page, answer);
      assert.deepEqual(await shown(page), { windows: [facts.titles.menu], focus: 'button 1ページ', boxes: [] });
    }
  }));

test('a lesson by keys and clicks: a box owns the keyboard until it is answered', () =>
  withPage(async (page) => {
    // A double click on a lesson opens its start box once; the box keeps the keyboard.
    const lesson = await centreIn(page, facts.titles.menu, 'button');
    await page.click(lesson.x, lesson.y, { count: 2 });
    const start = await boxNamed(page, facts.titles.startBox);
    assert.equal(start.focus, 'button OK');
    assert.equal(start.prompt, 'Enterを押して、スタート');
    assert.deepEqual((await shown(page)).windows, [facts.titles.menu, facts.titles.board]);
    // The board's × and a click on the menu while the box is open change nothing.
    const boardClose = await centreIn(page, facts.titles.board, '.close');
    await page.click(boardClose.x, boardClose.y);
    await page.click(lesson.x, lesson.y);
    assert.equal((await boxNamed(page, facts.titles.startBox)).focus, 'button OK');
    assert.deepEqual((await shown(page)).windows, [facts.titles.menu, facts.titles.board]);

    // Enter closes the box and the very next key is the board's: a wrong one, answered by
    // Escape; then the whole lesson, Tab and F7 judged on the way as any wrong key.
    await page.press('Enter');
    await press(page, 'x');
    await boxNamed(page, 'xではありません');
    await press(page, 'Escape');
    await press(page, 'Tab');
    await boxNamed(page, 'Tabではありません');
    await press(page, 'Enter');
    for (const key of facts.lessonOneKeys) await press(page, key === ' ' ? 'Space' : key);
    await boxNamed(page, facts.titles.finishedBox);
    await press(page, 'Enter');
    const time = await boxNamed(page, facts.titles.timeBox);
    const speed = Number(time.prompt.match(/(\d+(?:\.\d)?)打／分/)[1]);
    await press(page, 'Space');
    assert.deepEqual(await shown(page), { windows: [facts.titles.menu], focus: 'button 2ページ', boxes: [] });
    const band = facts.speedBands.find((found) => speed >= found.from && speed <= found.to);
    const colour = await page.evaluate(() => getComputedStyle(document.querySelector('.window .client button')).backgroundColor);
    const [red, green, blue] = colour.match(/\d+/g).map(Number);
    assert.equal(red | (green << 8) | (blue << 16), band.colour, `lesson 1 after a run at ${speed}`);
  }));
