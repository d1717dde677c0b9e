// The page on a phone, in Chromium with touch emulation: the touch layout at four screen sizes
// (the desktop's 1:1 window is page_test's), installability, the cache of the build, the window before the
// core arrives and without it, and generated clicks by taps against the native program.
//
//   node phone_test.mjs --site DIR --out DIR --native QUILLON_REPLAY --python python3 \
//       --generate tests/clicks/generate.py --clicks 300
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { afterEach, test } from 'node:test';
import { parseArgs } from 'node:util';
import { chromium } from 'playwright-core';
import { CHROMIUM, open, serve, watch } from './browser.mjs';
import { PageDriver } from './page_driver.mjs';
import { session } from './session.mjs';

const { values: options } = parseArgs({
  options: Object.fromEntries(['site', 'out', 'native', 'python', 'generate', 'clicks'].map((name) => [name, { type: 'string' }])),
});
mkdirSync(options.out, { recursive: true });
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const running = session(options.site);
let context;
let problems;
afterEach(async () => {
  await context?.close();
  context = null;
  assert.deepEqual(problems, [], 'no console error and no Content-Security-Policy violation');
});

async function phone([width, height, deviceScaleFactor], url = running.server.url, ready = true) {
  context = await running.browser.newContext({ viewport: { width, height }, deviceScaleFactor, isMobile: true, hasTouch: true });
  context.setDefaultTimeout(15000);
  const page = await context.newPage();
  problems = watch(page);
  if (ready) await open(page, url);
  return page;
}

const value = (page, id) => page.locator(`#${id}`).inputValue();
const doIt = (page) => page.getByRole('button', { name: 'Do It!' }).tap();

async function typeInto(page, id, text) {
  await page.locator(`#${id}`).tap();
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
}

async function menu(page, title, item) {
  await page.getByRole('menuitem', { name: title }).tap();
  if (item) await page.getByRole(/Number/.test(title) ? 'menuitemradio' : 'menuitem', { name: item }).tap();
}

// Every target a finger uses that shows now, with its size, which must be 44 × 44 or more and
// within the screen's width; and axe's WCAG 2.2 AA rules (target-size among them) in both schemes.
async function check(page, when) {
  const shown = await page.evaluate(() => [...document.querySelectorAll('input, button, [role=option]')]
    .filter((target) => target.checkVisibility()).map((target) => {
      const box = target.getBoundingClientRect();
      return { name: target.id || target.getAttribute('aria-label'), width: box.width, height: box.height, within: box.left >= 0 && box.right <= innerWidth };
    }));
  console.log(`${when}: ${shown.map((t) => `${t.name} ${Math.round(t.width)}×${Math.round(t.height)}`).join(', ')}`);
  assert.deepEqual(shown.filter((t) => t.width < 44 || t.height < 44 || !t.within), [], when);
  await page.evaluate(axeSource);
  for (const colorScheme of ['dark', 'light']) {
    await page.emulateMedia({ colorScheme });
    const results = await page.evaluate(() => window.axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] }));
    assert.deepEqual(results.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`), [], `${when}, ${colorScheme}`);
  }
}

// Phones upright in three widths, and the smallest one held sideways.
for (const screen of [[320, 568, 2], [360, 780, 3], [390, 844, 3], [640, 360, 2]]) {
  const [width, height] = screen;
  test(`at ${width} × ${height}: no sideways scroll, targets of 44 × 44, no axe violation; 7 ÷ 2, the menus and a failure by taps`, async () => {
    const page = await phone(screen);
    for (const colorScheme of width === 320 || width === 390 ? ['light', 'dark'] : []) {
      await page.emulateMedia({ colorScheme });
      await page.screenshot({ path: join(options.out, `screenshot-phone-${width}${colorScheme === 'dark' ? '-dark' : ''}.png`) });
    }
    const sideways = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
    console.log(`${width} × ${height}: sideways overflow ${sideways} px`);
    assert.equal(sideways, 0);
    // Pinch zoom stays allowed: axe's meta-viewport rule, below.
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('input')]
      .map((input) => `${input.id} ${parseFloat(getComputedStyle(input).fontSize) >= 16} ${input.enterKeyHint}`)),
    ['First true go', 'Operation true go', 'Second true go', 'Answer true go'], 'text of 16 px or more, Return labelled Go');
    await check(page, `${width} × ${height} at start`);
    for (const [id, text] of [['First', '7'], ['Second', '2']]) await typeInto(page, id, text);
    await menu(page, 'Add Operations', 'Trigonometry');
    await page.locator('.list button').tap();
    await check(page, `${width} × ${height} with the list open`);
    assert.ok(await page.locator('#Operation-list').evaluate((list) => {
      const box = list.getBoundingClientRect();
      return box.top >= 0 && box.bottom <= innerHeight && list.scrollHeight > list.clientHeight;
    }), 'the list\'s popup lies within the screen and scrolls');
    await page.getByRole('option', { name: '÷', exact: true }).tap();
    await doIt(page);
    assert.equal(await value(page, 'Answer'), '3.5');
    for (const title of ['Add Operations', 'Number of Figures']) {
      await menu(page, title);
      await check(page, `${width} × ${height} with "${title}" open`);
      await menu(page, title);
    }
    await menu(page, 'Number of Figures', 'One Number');
    assert.equal(await page.locator('#First').isVisible(), false);
    await typeInto(page, 'Second', 'abc');
    await typeInto(page, 'Operation', '+%');
    await doIt(page);
    assert.match(await page.locator('#failure-message').textContent(), /^Type mismatch/);
    await page.getByRole('button', { name: 'OK' }).tap();
    assert.equal(await page.getByRole('dialog').count(), 0);
  });
}

test('Chromium finds the page installable in a persistent profile, with a maskable icon and an id', async () => {
  const profile = mkdtempSync(join(tmpdir(), 'quillon-profile-'));
  const persistent = await chromium.launchPersistentContext(profile, { executablePath: CHROMIUM, headless: true, args: ['--no-sandbox'] });
  try {
    const page = persistent.pages()[0] ?? await persistent.newPage();
    problems = watch(page);
    await open(page, running.server.url);
    const cdp = await persistent.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    console.log(`installability errors: ${JSON.stringify(installabilityErrors)}`);
    assert.deepEqual(installabilityErrors, []);
    const manifest = JSON.parse((await cdp.send('Page.getAppManifest')).data);
    const icons = manifest.icons.filter((icon) => icon.type === 'image/png').map((icon) => `${icon.sizes} ${icon.purpose ?? 'any'}`);
    assert.deepEqual([Boolean(manifest.id), ...['192x192 any', '512x512 any', '512x512 maskable'].map((icon) => icons.includes(icon))], [true, true, true, true]);
  } finally {
    await persistent.close();
    rmSync(profile, { recursive: true, force: true });
  }
});

test('a visit opens from the cache, past the worker, while a new build is taken for the next one; the old cache goes', async () => {
  const copy = mkdtempSync(join(tmpdir(), 'quillon-site-'));
  cpSync(options.site, copy, { recursive: true });
  // The worker's own fetch handler fails every request here: the files can only come from the
  // cache by the routes it gives the browser.
  const sw = join(copy, 'sw.js');
  const routedOnly = readFileSync(sw, 'utf8').replace(/\.then\(\(cached\) => [^)]*\)\)/, '.then(() => Response.error())');
  assert.notEqual(routedOnly, readFileSync(sw, 'utf8'));
  writeFileSync(sw, routedOnly);
  const own = await serve(copy);
  try {
    const page = await phone([390, 844, 3], own.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    appendFileSync(join(copy, 'style.css'), ':root { --build: next; }\n');
    writeFileSync(sw, routedOnly.replace(/quillon-[0-9a-f]{16}/, 'quillon-0123456789abcdef'));
    const next = () => page.evaluate(() => getComputedStyle(document.documentElement).getPropertyValue('--build') === 'next');
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    assert.equal(await next(), false, 'this visit opens from the cache');
    await page.evaluate(async () => {
      while ((await caches.keys()).join() !== 'quillon-0123456789abcdef') await new Promise((resolve) => setTimeout(resolve, 50));
    });
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    assert.equal(await next(), true, 'the next one from the new build');
  } finally {
    await own.close();
    rmSync(copy, { recursive: true, force: true });
  }
});

test('the window paints before the core arrives; what is typed and tapped meanwhile is carried out once, when it has', async () => {
  const page = await phone([320, 568, 2], running.server.url, false);
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  await page.route('**/quillon-core.wasm', async (route) => {
    await held;
    await route.continue();
  });
  await page.goto(running.server.url, { waitUntil: 'domcontentloaded' }); // the held preload holds the load event
  await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length > 0);
  assert.equal(await page.evaluate(() => document.documentElement.hasAttribute('data-ready')), false);
  assert.equal(await page.evaluate(() => document.activeElement?.id), 'First', 'the first box has the focus from the start');
  await typeInto(page, 'First', '1234567890123456789'); // one more than First takes
  await menu(page, 'Number of Figures', 'One Number');
  await typeInto(page, 'Operation', '+%');
  await typeInto(page, 'Second', '5');
  // Two presses, held: 0 + 5, then 5 + 5. Lost, the answer stays 0; carried out twice, 20.
  await doIt(page);
  await doIt(page);
  assert.equal(await value(page, 'Answer'), '0');
  release();
  await page.waitForSelector('html[data-ready]');
  assert.deepEqual([await page.locator('#First').isVisible(), await value(page, 'First'), await value(page, 'Answer')],
    [false, '123456789012345678', '10']);
});

test('without its core the page says "Quillon could not start:" and why, in place of the window', async () => {
  const page = await phone([320, 568, 2], running.server.url, false);
  await page.route('**/quillon-core.wasm', (route) => route.fulfill({ status: 404, body: '' }));
  await page.goto(running.server.url);
  await page.getByRole('alert').waitFor();
  assert.match(await page.getByRole('alert').textContent(), /^Quillon could not start: the file quillon-core\.wasm did not arrive: the server answered 404\b/);
  assert.equal(await page.getByRole('textbox').count() + await page.getByRole('button').count(), 0);
  problems.length = 0; // the browser reports the missing file itself
});

// The scripted driver with taps for the mouse. In the column, First's hiding moves what is below
// it, so a control's place is read when it is tapped.
class TouchDriver extends PageDriver {
  constructor(page) {
    super({ evaluate: (...args) => page.evaluate(...args), keyboard: page.keyboard, mouse: { click: (x, y) => page.touchscreen.tap(x, y) } });
    this.real = page;
    this.places = new Proxy({}, { get: (_, id) => ({ selector: id === 'arrow' ? '.list button' : `#${id}` }) });
  }

  async measure() {
    await this.readEntries();
  }

  async click(place) {
    const box = place.selector ? await this.real.locator(place.selector).boundingBox() : place;
    await this.real.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  }
}

test('generated clicks carried out by taps in the touch layout print what quillon-replay prints', async () => {
  const run = (command, args, input) => execFileSync(command, args, { input, maxBuffer: 1 << 28, env: { ...process.env, LC_ALL: 'C.UTF-8' } }).toString();
  const script = run(options.python, [options.generate, '--clicks', options.clicks, '--seed', '20', options.native, '--headless']);
  const expected = run(options.native, ['--headless'], script);
  const driver = new TouchDriver(await phone([390, 844, 3]));
  await driver.measure();
  let printed = '';
  for (const line of script.split('\n')) {
    const output = await driver.run(line);
    if (output !== null) printed += `${output}\n`;
  }
  const differ = expected.split('\n').findIndex((line, i) => line !== printed.split('\n')[i]);
  assert.ok(printed === expected, `the first difference at line ${differ + 1}: ${printed.split('\n')[differ]}`);
});
