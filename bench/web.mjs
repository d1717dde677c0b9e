// The web page's figures, in Debian's headless Chromium on a local server (run by web.sh):
// - the time from navigation to the first possible click (the window built, the core loaded,
//   Form_Load run), on a first visit with empty caches and on a second one;
// - the size of what a first visit downloads, raw and compressed (gzip -9 and brotli);
// - the time of one press of "Do It!" in the page (the core's evaluation and the DOM's update),
//   beside the native click of bench/click_bench for the same rows.
//
//   node web_bench.mjs --site DIR [--click-bench build/bench/click_bench] [--runs 15]
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { parseArgs } from 'node:util';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { launch, serve } from './browser.mjs';

const { values: options } = parseArgs({
  options: { site: { type: 'string' }, 'click-bench': { type: 'string' }, runs: { type: 'string', default: '15' } },
});
const runs = Number(options.runs);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

// Rows of click_bench, with what the page must show for them.
const CLICKS = [
  { label: 'family arithmetic: 7 ÷ 2', mode: 2, add: 0, first: '7', second: '2', operation: '÷', answer: '3.5' },
  { label: 'family trigonometry: Sin°(sum) 30 60', mode: 2, add: 6, first: '30', second: '60', operation: 'Sin°(sum)', answer: '1' },
  { label: '!÷! 170 1E300', mode: 2, add: 3, first: '170', second: '1E300', operation: '!÷!', answer: '0' },
];

const server = await serve(options.site);
const browser = await launch();

// The moment the page marks itself ready, in its own clock from navigation start.
const noteReady = () => {
  new MutationObserver((_, observer) => {
    if (document.documentElement.hasAttribute('data-ready')) {
      window.readyAt = performance.now();
      observer.disconnect();
    }
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
};

async function visit(page) {
  await page.goto(server.url);
  await page.waitForFunction(() => window.readyAt !== undefined);
  return page.evaluate(() => window.readyAt);
}

const first = [];
const second = [];
for (let i = 0; i < runs; ++i) {
  const context = await browser.newContext();
  await context.addInitScript(noteReady);
  const page = await context.newPage();
  first.push(await visit(page));
  await page.evaluate(() => navigator.serviceWorker.ready);
  second.push(await visit(page));
  await context.close();
}
console.log(`Navigation to the first possible click, ${runs} runs (median, fastest):`);
console.log(`  first visit, empty caches:        ${ms(median(first))}, ${ms(Math.min(...first))}`);
console.log(`  second visit, from the worker:    ${ms(median(second))}, ${ms(Math.min(...second))}`);

// Everything one first visit asks for, each file once.
server.requests.length = 0;
{
  const context = await browser.newContext();
  const page = await context.newPage();
  await visit(page).catch(() => {});
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
console.log(`  (${server.requests.length} requests in all: the service worker asks for the files again to keep them)`);

// One press of "Do It!", timed over many presses in the page.
const page = await browser.newPage();
await page.goto(server.url);
await page.waitForSelector('html[data-ready]');
const native = {};
if (options['click-bench']) {
  const report = JSON.parse(execFileSync(options['click-bench'], [
    `--benchmark_filter=^(${CLICKS.map((c) => c.label.replace(/[()^!]/g, '.')).join('|')})$`,
    '--benchmark_format=json', '--benchmark_min_time=0.2',
  ], { env: { ...process.env, LC_ALL: 'C.UTF-8' } }).toString());
  for (const row of report.benchmarks) native[row.name] = row.real_time / (row.time_unit === 'ns' ? 1e6 : 1e3);
}
console.log('\nOne press of "Do It!" (milliseconds: in the page, native click_bench):');
for (const click of CLICKS) {
  const timing = await page.evaluate(async (c) => {
    const byId = (id) => document.getElementById(id);
    byId(`mnuNum${c.mode}`).click();
    if (c.add) byId(`mnuAdd${c.add}`).click();
    byId('First').value = c.first;
    byId('Second').value = c.second;
    byId('Operation').value = c.operation;
    const doIt = byId('DoIt');
    let presses = 0;
    const start = performance.now();
    while (performance.now() - start < 500) {
      byId('Answer').value = '0';
      doIt.click();
      ++presses;
    }
    return { each: (performance.now() - start) / presses, answer: byId('Answer').value, presses };
  }, click);
  if (timing.answer !== click.answer) throw new Error(`${click.label} shows ${timing.answer}, not ${click.answer}`);
  const nativeTime = native[click.label];
  console.log(`  ${click.label.padEnd(40)} ${timing.each.toFixed(4)}${nativeTime ? `  ${nativeTime.toFixed(4)}  (${(timing.each / nativeTime).toFixed(1)}x)` : ''}`);
}

await browser.close();
await server.close();
