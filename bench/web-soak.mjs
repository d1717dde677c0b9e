// A soak of the page: many thousands of generated clicks (tests/clicks/generate.py) in one page
// load in Debian's headless Chromium, printing the JavaScript heap and the core's WebAssembly
// memory at the start, every --every clicks and at the end, each after a garbage collection,
// and whether any console error, uncaught exception or Content-Security-Policy violation
// appeared. Every click's line must equal the native quillon-replay's for the same script, so
// the page is known to have done the work it is measured on. Memory counts as flat when every
// figure after the first checkpoint (the warm-up) stays within 10% of that checkpoint's.
//
//   node bench/web-soak.mjs --web build-web --replay build/tools/quillon-replay
//       [--clicks 50000] [--every 10000] [--seed 21]
//
// The commands act on the page's controls by the events a user's action delivers to them: a
// menu item's and "Do It!"'s click event, the list's option clicked, typed text as the
// browser's beforeinput events, one character at a time, into the emptied box ("type") or over
// its whole text selected ("keys"), and OK on the failure dialog. (The
// DOM driver of the browser tests, which moves the mouse and presses keys, takes too long for
// 50,000 clicks.) The script's "set" writes a box's text as a program would; its rare "state"
// lines are not compared. Exits 1 when a line differs, a problem appeared or memory grew.
import { execFileSync } from 'node:child_process';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';

const { values: options } = parseArgs({
  options: {
    web: { type: 'string', default: 'build-web' },
    replay: { type: 'string', default: 'build/tools/quillon-replay' },
    clicks: { type: 'string', default: '50000' },
    every: { type: 'string', default: '10000' },
    seed: { type: 'string', default: '21' },
  },
});
const repo = resolve(dirname(fileURLToPath(import.meta.url)), '..');
const tools = resolve(options.web, 'ui/web/tools');
const site = resolve(options.web, 'ui/web/site');
const clicks = Number(options.clicks);
const every = Number(options.every);

// The script and what the native build prints for it, in the C locale.
const environment = { ...process.env, LC_ALL: 'C.UTF-8' };
const script = execFileSync('python3', [join(repo, 'tests/clicks/generate.py'), '--clicks', String(clicks),
  '--seed', options.seed, options.replay, '--headless'], { env: environment, maxBuffer: 1 << 30 });
const expected = execFileSync(options.replay, ['--headless'], { input: script, env: environment, maxBuffer: 1 << 30 })
  .toString().split('\n').filter((line) => line && !line.startsWith('{"mode": '));

// The lines of the script in runs of whole clicks, each run ending with a click.
const runs = [];
{
  let run = [];
  let counted = 0;
  for (const line of script.toString().split('\n')) {
    if (line === '' || line.startsWith('#')) continue;
    run.push(line);
    if (line === 'click') {
      counted += 1;
      if (counted % 500 === 0 || counted % every === 0) {
        runs.push(run);
        run = [];
      }
    }
  }
  if (run.length) runs.push(run);
}
if (expected.length !== clicks) throw new Error(`the native build printed ${expected.length} click lines, not ${clicks}`);

execFileSync('cmake', [`-DDIR=${tools}`, '-P', join(repo, 'ui/web/tools/npm_ci.cmake')], { stdio: 'ignore' });
const { launch, open, serve, watch } = await import(pathToFileURL(join(tools, 'browser.mjs')));

// Carries out a run of script lines on the page; returns each click's boxes and failure title.
function carryOut(lines) {
  const byId = (id) => document.getElementById(id);
  // Typed key by key into the box emptied, or (keys) over its whole text selected.
  const type = (field, text, overSelection = false) => {
    if (!overSelection) field.value = '';
    field.select();
    for (const character of text) {
      field.dispatchEvent(new InputEvent('beforeinput', { inputType: 'insertText', data: character, cancelable: true }));
    }
  };
  const printed = [];
  for (const line of lines) {
    const space = line.indexOf(' ');
    const word = space < 0 ? line : line.slice(0, space);
    const argument = space < 0 ? '' : line.slice(space + 1);
    if (word === 'num' || word === 'add') {
      byId(`${word === 'num' ? 'mnuNum' : 'mnuAdd'}${argument}`).click();
    } else if (word === 'set' || word === 'type' || word === 'keys') {
      const boxSpace = argument.indexOf(' ');
      const box = byId(boxSpace < 0 ? argument : argument.slice(0, boxSpace));
      const text = boxSpace < 0 ? '' : argument.slice(boxSpace + 1);
      if (word === 'set') box.value = text;
      else type(box, text, word === 'keys');
    } else if (word === 'select') {
      const option = [...byId('Operation-list').children].find((o) => o.textContent === argument);
      if (!option) throw new Error(`no entry ${argument} on the page`);
      option.click();
    } else if (word === 'index' || word === 'edit') {
      type(byId('Operation'), word === 'edit' ? argument : '');
      byId('Operation').dispatchEvent(new Event('input'));
    } else if (line === 'click') {
      byId('DoIt').click();
      const dialog = byId('failure');
      const message = dialog.open ? byId('failure-message').textContent : null;
      if (dialog.open) byId('failure-ok').click();
      if (dialog.open) throw new Error('OK did not close the failure dialog');
      printed.push({
        first: byId('First').value, second: byId('Second').value, answer: byId('Answer').value,
        // The message starts with the failure's title: "Type mismatch: ...".
        failure: message === null ? null : message.slice(0, message.indexOf(': ')).toLowerCase(),
      });
    } else if (line !== 'state') {
      throw new Error(`the soak does not carry out ${line}`);
    }
  }
  return printed;
}

// A text as quillon-replay writes it in JSON: only quotes, backslashes and control characters
// are escaped.
const named = { '"': '\\"', '\\': '\\\\', '\n': '\\n', '\r': '\\r', '\t': '\\t' };
const jsonString = (text) =>
  // eslint-disable-next-line no-control-regex -- control characters are what JSON escapes
  `"${text.replace(/["\\\u0000-\u001f]/g, (c) => named[c] ?? `\\u${c.charCodeAt(0).toString(16).padStart(4, '0')}`)}"`;
const clickLine = (c) => `{"first": ${jsonString(c.first)}, "second": ${jsonString(c.second)}, `
  + `"answer": ${jsonString(c.answer)}, "failure": ${c.failure === null ? 'null' : jsonString(c.failure)}}`;

const server = await serve(site);
const browser = await launch();
const page = await browser.newPage();
const problems = watch(page);
const devtools = await page.context().newCDPSession(page);

// The heap after a full collection, and the byte length of every WebAssembly memory the page
// made or instantiated (the core's), recorded by a script that runs before the page's own.
await page.addInitScript(() => {
  const memories = [];
  window.soakMemories = memories;
  const keep = (instance) => Object.values(instance.exports).forEach((value) => value instanceof WebAssembly.Memory && memories.push(value));
  for (const name of ['instantiate', 'instantiateStreaming']) {
    const original = WebAssembly[name];
    WebAssembly[name] = async function instantiate(...args) {
      const made = await original.apply(this, args);
      keep(made.instance ?? made);
      return made;
    };
  }
});
async function memory() {
  await devtools.send('HeapProfiler.collectGarbage');
  const heap = await devtools.send('Runtime.getHeapUsage');
  const wasm = await page.evaluate(() => window.soakMemories.map((m) => m.buffer.byteLength));
  return { heap: heap.usedSize, wasm: wasm.reduce((a, b) => a + b, 0), memories: wasm.length };
}
await open(page, server.url);
const mb = (bytes) => `${(bytes / 2 ** 20).toFixed(2)} MB`;
const figures = [];
const note = async (done, seconds) => {
  const m = await memory();
  figures.push({ done, ...m });
  console.log(`${String(done).padStart(7)} clicks  JS heap ${mb(m.heap).padStart(9)}  WebAssembly ${mb(m.wasm).padStart(9)}`
    + ` (${m.memories} memory)  ${seconds.toFixed(0)} s  problems so far: ${problems.length}`);
};

const start = performance.now();
const elapsed = () => (performance.now() - start) / 1000;
await note(0, 0);
let done = 0;
let differing = 0;
for (const run of runs) {
  const printed = await page.evaluate(carryOut, run);
  printed.forEach((click, i) => {
    const line = clickLine(click);
    if (line !== expected[done + i] && ++differing <= 5) {
      console.log(`click ${done + i + 1} differs\n  page:   ${line}\n  native: ${expected[done + i]}`);
    }
  });
  done += printed.length;
  if (done % every === 0 || done === clicks) await note(done, elapsed());
}

const warm = figures.find((f) => f.done >= every) ?? figures.at(-1);
const grown = (key) => Math.max(...figures.filter((f) => f.done >= warm.done).map((f) => f[key])) / warm[key] - 1;
const flat = grown('heap') <= 0.1 && grown('wasm') <= 0.1;
console.log(`soak: ${done} clicks in ${elapsed().toFixed(0)} s, ${differing} differing from native;`
  + ` after warm-up (${warm.done} clicks) the JS heap grew ${(100 * grown('heap')).toFixed(1)}%,`
  + ` WebAssembly memory ${(100 * grown('wasm')).toFixed(1)}%: ${flat ? 'flat' : 'NOT FLAT'};`
  + ` console errors and CSP violations: ${problems.length}`);
for (const problem of problems.slice(0, 10)) console.log(`  ${problem}`);
await browser.close();
await server.close();
process.exit(differing === 0 && flat && problems.length === 0 && done === clicks ? 0 : 1);
