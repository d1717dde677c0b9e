// The web page's figures, in Debian's headless Chromium on a local server (run by web.sh):
// - the time from navigation to the first paint and to the first possible click (the core
//   loaded and Form_Load run), on a first visit with empty caches and on a second one, each
//   beside a floor measured in the same run: the same pre-rendered page with no script at all,
//   whose first possible click is its first paint;
// - the size of what a first visit downloads, raw and compressed (gzip -9 and brotli);
// - the time of one press of "Do It!" in the page and its calls into the core (web-click.mjs).
//
//   node web_bench.mjs --site DIR [--click-bench build/bench/click_bench] [--runs 21]
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { parseArgs } from 'node:util';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { launch, serve } from './browser.mjs';
import { measureClicks } from './web_click.mjs';

const { values: options } = parseArgs({
  options: { site: { type: 'string' }, 'click-bench': { type: 'string' }, runs: { type: 'string', default: '21' } },
});
const runs = Number(options.runs);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

// The floor: the built site with the scripts and their preloads taken out of the page.
const floorSite = mkdtempSync(join(tmpdir(), 'quillon-floor-'));
cpSync(options.site, floorSite, { recursive: true });
const html = readFileSync(join(options.site, 'index.html'), 'utf8');
writeFileSync(join(floorSite, 'index.html'), html
  .replace(/<script\b[^>]*>[^]*?<\/script>\n?/g, '')
  .replace(/<link rel="(modulepreload|preload)"[^>]*>\n?/g, ''));

const server = await serve(options.site);
const floor = await serve(floorSite);
const browser = await launch();

// The moments of the first paint and of the page marking itself ready, in the page's clock
// from navigation start, as a promise the page keeps (window.quillonTimes): the script is put
// into every document before the page's own, and nothing else is run in the page while it loads.
const noteTimes = (scripted) => {
  let painted;
  let readied;
  const paint = new Promise((resolve) => { painted = resolve; });
  const ready = new Promise((resolve) => { readied = resolve; });
  new PerformanceObserver((entries) => {
    for (const entry of entries.getEntries()) {
      if (entry.name === 'first-contentful-paint') painted(entry.startTime);
    }
  }).observe({ type: 'paint', buffered: true });
  new MutationObserver((_, observer) => {
    if (document.documentElement.hasAttribute('data-ready')) {
      readied(performance.now());
      observer.disconnect();
    }
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
  window.quillonTimes = Promise.all([paint, scripted ? ready : paint]);
};

// One visit. The page is asked for its times through the DevTools protocol alone, once the
// navigation has committed: the driver's own helpers (which waiting for a selector or a
// function would put into the page) are scripts the page then compiles on its main thread, in
// the very time being measured (20 ms in one traced load).
async function visit(page, url) {
  const session = await page.context().newCDPSession(page);
  await page.goto(url, { waitUntil: 'commit' });
  const { result, exceptionDetails } = await session.send('Runtime.evaluate', {
    expression: 'window.quillonTimes', awaitPromise: true, returnByValue: true,
  });
  if (exceptionDetails) throw new Error(`${url}: ${exceptionDetails.text}`);
  await session.detach();
  const [paint, click] = result.value;
  return { paint, click };
}

// Visits in a fresh browser context each time, the page and the floor in turn. The second visit
// is a new tab of the same browser, opened once the first has loaded completely (for the page,
// its service worker keeping the files) and been closed: the user coming back. Then, as a
// figure without a bound, that tab once more, at once: a navigation within a running tab.
const visits = ['first', 'second', 'again'];
const times = Object.fromEntries(['page', 'floor'].map((name) => [name, Object.fromEntries(visits.map((when) => [when, []]))]));
for (let i = 0; i < runs; ++i) {
  for (const [name, url, scripted] of [['page', server.url, true], ['floor', floor.url, false]]) {
    const context = await browser.newContext();
    await context.addInitScript(noteTimes, scripted);
    const first = await context.newPage();
    times[name].first.push(await visit(first, url));
    await first.waitForLoadState('load');
    if (scripted) await first.evaluate(() => navigator.serviceWorker.ready);
    await first.close();
    const second = await context.newPage();
    times[name].second.push(await visit(second, url));
    times[name].again.push(await visit(second, url));
    await context.close();
  }
}
const bounds = { paint: { first: 1.2, second: 1.2 }, click: { first: 2, second: 1.5 } };
const said = { first: 'first visit', second: 'second visit', again: 'same tab again' };
let within = true;
console.log(`From navigation, ${runs} loads each (median, fastest; the page's median as a ratio to the floor's):`);
for (const figure of ['paint', 'click']) {
  for (const when of visits) {
    const [page, bare] = ['page', 'floor'].map((name) => times[name][when].map((t) => t[figure]));
    const ratio = median(page) / median(bare);
    const bound = bounds[figure][when];
    if (bound) within &&= ratio <= bound;
    console.log(`  ${figure === 'paint' ? 'first paint' : 'first click'}, ${said[when]}: page ${ms(median(page))}, ${ms(Math.min(...page))};`
      + ` floor ${ms(median(bare))}, ${ms(Math.min(...bare))}; ${ratio.toFixed(2)}x${bound ? ` (bound ${bound}x)` : ''}`);
  }
}
await floor.close();
rmSync(floorSite, { recursive: true, force: true });

// Everything one first visit asks for, each file once.
server.requests.length = 0;
{
  const context = await browser.newContext();
  await context.addInitScript(noteTimes, true);
  const page = await context.newPage();
  await visit(page, server.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.close();
}
const files = [...new Set(server.requests.map((path) => (path.endsWith('/') ? `${path}index.html` : path)))];
let raw = 0;
let gzip = 0;
let brotli = 0;
console.log('\nDownloaded on a first visit (bytes: raw, gzip -9, brotli):');
for (const path of files.sort()) {
  const body = readFileSync(join(options.site, path));
  const sizes = [body.length, gzipSync(body, { level: 9 }).length,
    brotliCompressSync(body, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length];
  [raw, gzip, brotli] = [raw + sizes[0], gzip + sizes[1], brotli + sizes[2]];
  console.log(`  ${path.padEnd(24)} ${sizes.map((s) => String(s).padStart(8)).join(' ')}`);
}
console.log(`  ${'all'.padEnd(24)} ${[raw, gzip, brotli].map((s) => String(s).padStart(8)).join(' ')}`);
within &&= gzip < 200000;
console.log(`  (with gzip ${gzip < 200000 ? 'under' : 'over'} our bound of 200,000 bytes)`);
console.log(`  (${server.requests.length} requests in all: the service worker asks for the files again to keep them)`);

console.log('');
await measureClicks(browser, server.url, options['click-bench']);

await browser.close();
await server.close();
console.log(`\n${within ? 'Every figure is within its bound.' : 'A figure is past its bound.'}`);
