// Debian's Firefox ESR through WebDriver BiDi (puppeteer-core), on an X display of its own:
// headless Firefox has no WebGL. The engine of the school PCs that use Firefox.
import puppeteer from 'puppeteer-core';
import { puppeteerDriver, startXvfb, temporaryFolder } from '../harness.mjs';

export async function launch({ width, height }) {
  const xvfb = await startXvfb();
  const profile = temporaryFolder('trainer-firefox-');
  let browser;
  const close = async () => { await browser?.close(); await xvfb.stop(); profile.remove(); };
  try {
    browser = await puppeteer.launch({
      browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: false,
      userDataDir: profile.folder, env: { ...process.env, DISPLAY: xvfb.display },
      args: ['--width', String(width + 200), '--height', String(height + 200)],
      extraPrefsFirefox: { 'layout.css.devPixelsPerPx': '1.0' },
    });
    const [page] = await browser.pages();
    await page.setViewport({ width, height });
    return puppeteerDriver(page, close);
  } catch (error) {
    await close();
    throw error;
  }
}
