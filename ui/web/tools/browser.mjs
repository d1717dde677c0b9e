// What the browser tests and the page's benchmark share: a static server for the built page on
// the loopback address, Debian's Chromium driven headless (nothing downloads a browser), and a
// watch over every page for console errors and Content-Security-Policy violations.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { chromium } from 'playwright-core';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
};

// Serves the files of `root` on 127.0.0.1 at a free port; `requests` lists every path asked for.
export async function serve(root) {
  const requests = [];
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    requests.push(path);
    const file = join(root, normalize(path.endsWith('/') ? `${path}index.html` : path));
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const close = () => new Promise((resolve) => {
    server.closeAllConnections();
    server.close(resolve);
  });
  return { url: `http://127.0.0.1:${server.address().port}/`, requests, close };
}

export const CHROMIUM = process.env.QUILLON_CHROMIUM || '/usr/bin/chromium';

export function launch() {
  return chromium.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--no-first-run',
      // Without the browser's own address-bar popup, which it otherwise builds as a web page in a
      // renderer of its own for every new window: a trace of one load of ours showed that
      // renderer busy for 270 ms of its 290, on the same two cores as the page being measured.
      '--disable-features=WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup,PreloadTopChromeWebUI',
    ],
  });
}

// Records, for a page, every console error, uncaught exception and Content-Security-Policy
// violation; `problems` lists them as text.
export function watch(page) {
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`uncaught: ${error.message}`));
  page.addInitScript(() => {
    document.addEventListener('securitypolicyviolation', (event) => {
      console.error(`CSP violation: ${event.violatedDirective} ${event.blockedURI}`);
    });
  });
  return problems;
}

// Opens the page and waits until it has built its window and loaded the core.
export async function open(page, url) {
  await page.goto(url);
  await page.waitForSelector('html[data-ready]', { timeout: 10000 });
}

// Counts the calls the pages of `context` make into the core: the core's module, as served to
// them, wraps each of the core's functions so that a call adds its name to the page's
// `coreCalls`.
export function countCoreCalls(context) {
  return context.route('**/quillon-core.js', async (route) => {
    const response = await route.fetch();
    const body = (await response.text()).replace(/export default (\w+);/, `export default (settings) => $1(settings).then((core) => {
      for (const [name, call] of Object.entries(core)) {
        if (typeof call === 'function' && /^[A-Za-z]/.test(name)) core[name] = (...args) => { (globalThis.coreCalls ??= []).push(name); return call(...args); };
      }
      return core;
    });`);
    await route.fulfill({ response, body });
  });
}
