// Debian's Chromium, headless, through the DevTools protocol (puppeteer-core): the engine of
// Chromebooks and of Chrome and Edge on school PCs.
import puppeteer from 'puppeteer-core';
import { puppeteerDriver, sleep, temporaryFolder } from '../harness.mjs';

export async function launch({ width, height, origin }) {
  const profile = temporaryFolder('trainer-chromium-');
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, pipe: true, userDataDir: profile.folder,
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
  }).catch((error) => { profile.remove(); throw error; });
  const close = async () => { await browser.close(); profile.remove(); };
  try {
    return await driverOf(browser, origin, close);
  } catch (error) {
    await close();
    throw error;
  }
}

async function driverOf(browser, origin, close) {
  const [page] = await browser.pages();
  // The clipboard answers only a focused page, and a page is not focused until brought to
  // the front; it stays focused across navigations.
  await page.bringToFront();
  if (origin) {
    await browser.defaultBrowserContext().overridePermissions(new URL(origin).origin,
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  }
  const devTools = await page.createCDPSession();
  const driver = puppeteerDriver(page, close);
  return {
    ...driver, browser,
    async clipboardText() {
      await page.bringToFront();
      return driver.clipboardText();
    },
    // Frozen, as Chromium freezes a page in a background tab: no timer fires until active.
    async stallPage(ms) {
      await devTools.send('Page.setWebLifecycleState', { state: 'frozen' });
      await sleep(ms);
      await devTools.send('Page.setWebLifecycleState', { state: 'active' });
    },
    async pressImeKey(code, { shift = false } = {}) {
      for (const type of ['keyDown', 'keyUp']) {
        await devTools.send('Input.dispatchKeyEvent',
          { type, key: 'Process', code, windowsVirtualKeyCode: 229, modifiers: shift ? 8 : 0 });
      }
    },
  };
}
