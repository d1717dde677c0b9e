// One press of "Do It!" in the page, along the page's own path: the button's click, the adapter
// calling the core with the page's controls, and the DOM's update. Each row's press is timed
// over many presses (the median of five half-second rounds), beside the native click of
// bench/click_bench for the same row, and its calls into the core are counted once on the core's
// module as served to the page. Run by web_bench.mjs after its other figures, or alone:
//
//   node web_click.mjs --site DIR [--click-bench build/bench/click_bench]
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';
import { countCoreCalls, launch, serve } from './browser.mjs';

// Rows of click_bench, with what the page must show for them.
const CLICKS = [
  { label: 'family arithmetic: 7 ÷ 2', mode: 2, add: 0, first: '7', second: '2', operation: '÷', answer: '3.5' },
  { label: 'family trigonometry: Sin°(sum) 30 60', mode: 2, add: 6, first: '30', second: '60', operation: 'Sin°(sum)', answer: '1' },
  { label: '!÷! 170 1E300', mode: 2, add: 3, first: '170', second: '1E300', operation: '!÷!', answer: '0' },
];

// The row's controls set as a user leaves them, then presses for `milliseconds` (one press
// where it is 0): the milliseconds of each press, the answer shown and the calls into the core
// (where they are counted).
function press({ click, milliseconds }) {
  const byId = (id) => document.getElementById(id);
  byId(`mnuNum${click.mode}`).click();
  if (click.add) byId(`mnuAdd${click.add}`).click();
  byId('First').value = click.first;
  byId('Second').value = click.second;
  byId('Operation').value = click.operation;
  const doIt = byId('DoIt');
  globalThis.coreCalls = [];
  let presses = 0;
  const start = performance.now();
  do {
    byId('Answer').value = '0';
    doIt.click();
    ++presses;
  } while (performance.now() - start < milliseconds);
  return { each: (performance.now() - start) / presses, answer: byId('Answer').value, calls: globalThis.coreCalls };
}

async function readyPage(browser, url, counted) {
  const context = await browser.newContext({ serviceWorkers: 'block' });
  if (counted) await countCoreCalls(context);
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForSelector('html[data-ready]');
  return page;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Prints each row's time per press in the page (ms), the native click's where click_bench is
// given, and the calls into the core of one press. Fails where the page shows another answer.
export async function measureClicks(browser, url, clickBench) {
  const native = {};
  if (clickBench) {
    const report = JSON.parse(execFileSync(clickBench, [
      `--benchmark_filter=^(${CLICKS.map((c) => c.label.replace(/[()^!]/g, '.')).join('|')})$`,
      '--benchmark_format=json', '--benchmark_min_time=0.2',
    ], { env: { ...process.env, LC_ALL: 'C.UTF-8' } }).toString());
    for (const row of report.benchmarks) native[row.name] = row.real_time / (row.time_unit === 'ns' ? 1e6 : 1e3);
  }
  const timed = await readyPage(browser, url, false);
  const counted = await readyPage(browser, url, true);
  console.log('One press of "Do It!" (milliseconds: in the page, native click_bench; calls into the core):');
  for (const click of CLICKS) {
    const rounds = [];
    for (let round = 0; round < 5; ++round) rounds.push(await timed.evaluate(press, { click, milliseconds: 500 }));
    const once = await counted.evaluate(press, { click, milliseconds: 0 });
    for (const { answer } of [...rounds, once]) {
      if (answer !== click.answer) throw new Error(`${click.label} shows ${answer}, not ${click.answer}`);
    }
    const each = median(rounds.map((r) => r.each));
    const nativeTime = native[click.label];
    console.log(`  ${click.label.padEnd(40)} ${each.toFixed(4)}${nativeTime ? `  ${nativeTime.toFixed(4)}  (${(each / nativeTime).toFixed(1)}x)` : ''}`
      + `  ${once.calls.length}: ${once.calls.join(', ')}`);
  }
  await timed.context().close();
  await counted.context().close();
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const { values: options } = parseArgs({ options: { site: { type: 'string' }, 'click-bench': { type: 'string' } } });
  const server = await serve(options.site);
  const browser = await launch();
  await measureClicks(browser, server.url, options['click-bench']);
  await browser.close();
  await server.close();
}
