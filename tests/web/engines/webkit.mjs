// WebKitGTK's MiniBrowser, driven by Debian's WebKitWebDriver over the W3C WebDriver protocol,
// on an X display of its own: the engine of Safari on Macs and of every browser on an iPad.
import net from 'node:net';
import { blockMainThread, imeKeyEvents, keyParts, startTied, startXvfb, waitFor } from '../harness.mjs';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// The W3C WebDriver values of the named keys; a character is its own value.
const keyValues = {
  Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009',
  Alt: '\uE00A', Escape: '\uE00C', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
  ArrowDown: '\uE015',
};
for (let n = 1; n <= 12; n++) keyValues[`F${n}`] = String.fromCharCode(0xe030 + n);

// A W3C WebDriver client: a browser the driver at `url` starts, and its commands, as JSON
// over HTTP.
async function webDriverSession(url, capabilities) {
  async function send(method, path, body) {
    const response = await fetch(url + path, {
      method, headers: { 'Content-Type': 'application/json; charset=utf-8' },
      body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value?.error) throw new Error(`WebDriver ${method} ${path || '/'}: ${value.error}: ${value.message}`);
    return value;
  }
  const { sessionId } = await send('POST', '/session', { capabilities: { alwaysMatch: capabilities } });
  const command = (method, path, body) => send(method, `/session/${sessionId}${path}`, body);
  return {
    navigate: (to) => command('POST', '/url', { url: to }),
    refresh: () => command('POST', '/refresh', {}),
    title: () => command('GET', '/title'),
    setWindowRect: (rect) => command('POST', '/window/rect', rect),
    executeSync: (script, args = []) => command('POST', '/execute/sync', { script, args }),
    executeAsync: (script, args = []) => command('POST', '/execute/async', { script, args }),
    performActions: (actions) => command('POST', '/actions', { actions }),
    screenshot: async () => Buffer.from(await command('GET', '/screenshot'), 'base64'),
    close: () => command('DELETE', ''),
  };
}

// A free port on the loopback, for the driver to listen on.
const freePort = () => new Promise((resolve, reject) => {
  const server = net.createServer().once('error', reject).listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  });
});

// Run in the page once it has loaded (WebDriver runs nothing before the page's scripts), in
// time for the program, which starts later: keeps the page's console messages and uncaught
// errors, which WebDriver does not pass on, and what the page puts on the clipboard, which
// WebKit lets no script read. The program copies through the copy event of Ctrl+C (as in
// Safari), or through navigator.clipboard.writeText where it uses that.
function watchPage() {
  if (window.pageLog) return;
  window.pageLog = [];
  window.copiedText = '';
  for (const type of ['log', 'info', 'warn', 'error', 'debug']) {
    const write = console[type];
    console[type] = (...args) => { window.pageLog.push(`${type}: ${args.join(' ')}`); write.apply(console, args); };
  }
  window.addEventListener('error', (event) => window.pageLog.push(`pageerror: ${event.message}`));
  window.addEventListener('unhandledrejection', (event) => window.pageLog.push(`pageerror: ${event.reason}`));
  window.addEventListener('copy', (event) => { window.copiedText = event.clipboardData.getData('text/plain'); });
  const clipboard = navigator.clipboard, writeText = clipboard?.writeText;
  if (writeText) {
    clipboard.writeText = (text) => { window.copiedText = text; return writeText.call(clipboard, text); };
  }
}

// Run in the page: a right click at (x, y) as pointer events from a script. WebKitGTK's
// WebDriver releases a right button as the left one and keeps the right one held for the
// browser's life, after which the page sees no press of any button.
function rightClick(x, y) {
  const target = document.elementFromPoint(x, y);
  const init = { bubbles: true, cancelable: true, composed: true, clientX: x, clientY: y,
    pointerId: 1, pointerType: 'mouse', isPrimary: true, button: 2 };
  target.dispatchEvent(new PointerEvent('pointerdown', { ...init, buttons: 2 }));
  target.dispatchEvent(new MouseEvent('contextmenu', { ...init, buttons: 2 }));
  target.dispatchEvent(new PointerEvent('pointerup', { ...init, buttons: 0 }));
}

export async function launch({ width, height }) {
  const xvfb = await startXvfb();
  const port = await freePort();
  const webDriver = startTied('WebKitWebDriver', [`--port=${port}`], { env: { ...process.env, DISPLAY: xvfb.display } });
  webDriver.child.stdout.resume();
  webDriver.child.stderr.resume();
  let session;
  const close = async () => {
    await session?.close().catch(() => {});
    await webDriver.stop();
    await xvfb.stop();
  };
  try {
    const url = `http://127.0.0.1:${port}`;
    await waitFor(() => fetch(`${url}/status`).then(() => true, () => false), { what: 'WebKitWebDriver' });
    session = await webDriverSession(url, {
      'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
    });
    // The window's size for a viewport of width × height: the window less its bars. (MiniBrowser
    // keeps its window at least 447 pixels wide.)
    const viewport = () => session.executeSync('return [innerWidth, innerHeight]');
    await session.setWindowRect({ width, height });
    let size = await viewport();
    await session.setWindowRect({ width: 2 * width - size[0], height: 2 * height - size[1] });
    await waitFor(async () => `${size = await viewport()}` === `${width},${height}`, { what: 'the viewport' })
      .catch(() => { throw new Error(`a viewport of ${size.join(' × ')}, not ${width} × ${height}`); });
    return driverOf(session, close);
  } catch (error) {
    await close();
    throw error;
  }
}

function driverOf(session, close) {
  const evaluate = async (fn, ...args) => {
    const { value, error } = await session.executeAsync(`const args = [...arguments], done = args.pop();
      Promise.resolve().then(() => (${fn})(...args))
        .then((value) => done({ value }), (error) => done({ error: String(error?.stack ?? error) }));`, args);
    if (error) throw new Error(error);
    return value;
  };
  return {
    close, evaluate,
    pageLog: async () => (await session.executeSync('return window.pageLog')) ?? [],
    async goto(url) {
      await session.navigate(url);
      await session.executeSync(`(${watchPage})()`);
    },
    async reload() {
      await session.refresh();
      await session.executeSync(`(${watchPage})()`);
    },
    title: () => session.title(),
    press(key) {
      const values = keyParts(key).map((part) => keyValues[part] ?? part);
      return session.performActions([{
        type: 'key', id: 'keyboard',
        actions: [...values.map((value) => ({ type: 'keyDown', value })),
          ...[...values].reverse().map((value) => ({ type: 'keyUp', value }))],
      }]);
    },
    click: (x, y, { button = 'left', count = 1 } = {}) => (button === 'right' ? evaluate(rightClick, x, y) : session.performActions([{
      type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
      actions: [{ type: 'pointerMove', x, y, origin: 'viewport', duration: 0 },
        ...Array.from({ length: count }, () => [{ type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]).flat()],
    }])),
    screenshot: () => session.screenshot(),
    clearClipboard: () => session.executeSync('window.copiedText = ""'),
    clipboardText: () => session.executeSync('return window.copiedText ?? ""'),
    // WebKit lets a page that WebDriver drives leave without asking, as WebDriver's rules
    // have it. So the page is sent the event a browser sends before it leaves; the page
    // cancelling it is what makes Safari ask.
    leaveQuestion: () => evaluate(() => {
      const event = new Event('beforeunload', { cancelable: true });
      window.dispatchEvent(event);
      return event.defaultPrevented ? 'beforeunload' : null;
    }),
    stallPage: (ms) => session.executeSync(`(${blockMainThread})(arguments[0])`, [ms]),
    pressImeKey: (code, { shift = false } = {}) => session.executeSync(`(${imeKeyEvents})(...arguments)`, [code, shift]),
  };
}
