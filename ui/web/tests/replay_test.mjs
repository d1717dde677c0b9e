// Carries out replay scripts on the page in Chromium as a user would (page_driver.mjs) and expects
// byte for byte what the native quillon-replay prints for them.
//
//   node replay_test.mjs --site DIR --native QUILLON_REPLAY --out DIR SCRIPT...
//   node replay_test.mjs --site DIR --native QUILLON_REPLAY --out DIR \
//       --python python3 --generate tests/clicks/generate.py --clicks 5000
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { test } from 'node:test';
import { parseArgs } from 'node:util';
import { open, watch } from './browser.mjs';
import { session } from './session.mjs';
import { PageDriver } from './page_driver.mjs';

const { values: options, positionals } = parseArgs({
  options: {
    site: { type: 'string' },
    native: { type: 'string' },
    out: { type: 'string' },
    python: { type: 'string', default: 'python3' },
    generate: { type: 'string' },
    clicks: { type: 'string' },
  },
  allowPositionals: true,
});
mkdirSync(options.out, { recursive: true });

const run = (command, args, input) =>
  execFileSync(command, args, { input, maxBuffer: 1 << 28, env: { ...process.env, LC_ALL: 'C.UTF-8' } }).toString();

// The scripts by name: the given files, or the generated clicks (the seed of the CI comparison).
const scripts = positionals.map((path) => [basename(path, '.txt'), readFileSync(path, 'utf8')]);
if (options.generate) {
  const clicks = run(options.python, [options.generate, '--clicks', options.clicks, '--seed', '11', options.native, '--headless']);
  scripts.push([`clicks-${options.clicks}`, clicks]);
}

const running = session(options.site);

// The first differing lines, shown side by side.
function differences(native, page) {
  const a = native.split('\n');
  const b = page.split('\n');
  const shown = [];
  for (let i = 0; i < Math.max(a.length, b.length) && shown.length < 5; ++i) {
    if (a[i] !== b[i]) shown.push(`line ${i + 1}\n  native: ${a[i]}\n  page:   ${b[i]}`);
  }
  return `${shown.join('\n')}\n(${a.length - 1} native lines, ${b.length - 1} page lines)`;
}

for (const [name, script] of scripts) {
  test(`the page prints for ${name} byte for byte what quillon-replay prints`, async () => {
    const expected = run(options.native, ['--headless'], script);
    const page = await running.browser.newPage();
    const problems = watch(page);
    await open(page, running.server.url);
    const driver = new PageDriver(page);
    await driver.measure();
    let printed = '';
    for (const line of script.split('\n')) {
      const output = await driver.run(line);
      if (output !== null) printed += `${output}\n`;
    }
    await page.close();
    writeFileSync(join(options.out, `${name}.txt`), script);
    writeFileSync(join(options.out, `${name}.native.jsonl`), expected);
    writeFileSync(join(options.out, `${name}.page.jsonl`), printed);
    assert.ok(printed === expected, differences(expected, printed));
    assert.ok(expected.split('\n').length > 1, 'the native program printed nothing');
    assert.deepEqual(problems, []);
  });
}
