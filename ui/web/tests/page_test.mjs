// The page in Chromium, driven as a user drives it: its look against fixed pixel rectangles,
// the screenshots, accessibility, the keyboard, the failure dialog, typing and offline use.
// Every page of every test must run without a console error or a Content-Security-Policy
// violation.
//
//   node page_test.mjs --site DIR --out DIR --layout tests/layout_pixels.json
//   (the screenshots go into the --out DIR)
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { afterEach, describe, test } from 'node:test';
import { parseArgs } from 'node:util';
import { readFileSync } from 'node:fs';
import { countCoreCalls, open, serve, watch } from './browser.mjs';
import { session } from './session.mjs';

const { values: options } = parseArgs({
  options: { site: { type: 'string' }, out: { type: 'string' }, layout: { type: 'string' } },
});
// The window's layout in pixels, the same figures the desktop window's test checks.
const layout = JSON.parse(readFileSync(options.layout, 'utf8'));
mkdirSync(options.out, { recursive: true });
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

let context;
let problems;
const running = session(options.site);
afterEach(async () => {
  await context?.close();
  context = null;
  assert.deepEqual(problems, [], 'no console error and no Content-Security-Policy violation');
});

// A fresh page of its own, under a colour scheme, with the window built.
async function freshPage(colorScheme = 'light', url = running.server.url) {
  context = await running.browser.newContext({ colorScheme });
  context.setDefaultTimeout(15000);
  const page = await context.newPage();
  problems = watch(page);
  await open(page, url);
  return page;
}

const value = (page, id) => page.evaluate((box) => document.getElementById(box).value, id);
const setValue = (page, id, text) => page.evaluate(([box, written]) => { document.getElementById(box).value = written; }, [id, text]);
const focused = (page) => page.evaluate(() => document.activeElement?.id ?? '');

// Chooses an entry of the list with the keys: into the field, Down to the entry, Return.
async function chooseByKeys(page, name) {
  const names = await page.evaluate(() => [...document.querySelectorAll('[role=option]')].map((o) => o.textContent));
  assert.ok(names.includes(name), `the list has ${name}`);
  await page.getByRole('combobox', { name: 'Operation' }).focus();
  for (let i = 0; i <= names.indexOf(name); ++i) await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
}

async function axeViolations(page) {
  await page.evaluate(axeSource);
  const results = await page.evaluate(() => window.axe.run(document));
  return results.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

describe('the look', () => {
  // The fixed backgrounds, with black text on every one but the line's, under every scheme.
  const colours = {
    First: 'rgb(0, 255, 0)', Operation: 'rgb(255, 255, 0)', Second: 'rgb(0, 255, 0)', Answer: 'rgb(0, 255, 255)', Bar: 'rgb(0, 0, 0)',
  };
  for (const scheme of ['light', 'dark']) {
    test(`under a ${scheme} scheme each control has its fixed place, size and colour`, async () => {
      const page = await freshPage(scheme);
      const shown = await page.evaluate((names) => {
        const client = document.getElementById('client').getBoundingClientRect();
        const rect = (element) => {
          const box = element.getBoundingClientRect();
          return [box.left - client.left, box.top - client.top, box.width, box.height];
        };
        return {
          client: [client.width, client.height, getComputedStyle(document.getElementById('client')).backgroundColor],
          controls: Object.fromEntries(names.map((name) => [name, rect(document.querySelector(`[data-control="${name}"]`))])),
          colours: Object.fromEntries(names.map((name) => {
            const { backgroundColor, color } = getComputedStyle(document.querySelector(`[data-control="${name}"]`));
            return [name, [backgroundColor, color]];
          })),
          selection: (({ backgroundColor, color }) => [backgroundColor, color])(getComputedStyle(document.getElementById('Second'), '::selection')),
        };
      }, Object.keys(layout.controls));
      assert.deepEqual(shown.client, [...layout.client, 'rgb(255, 255, 255)']);
      assert.deepEqual(shown.controls, layout.controls);
      for (const [name, background] of Object.entries(colours)) {
        assert.equal(shown.colours[name][0], background, name);
        if (name !== 'Bar') assert.equal(shown.colours[name][1], 'rgb(0, 0, 0)', `${name}'s text`);
      }
      assert.deepEqual(shown.selection, ['rgb(48, 140, 198)', 'rgb(255, 255, 255)'], 'selected text in a box');
      await page.locator('#window').screenshot({ path: join(options.out, scheme === 'light' ? 'screenshot-web.png' : 'screenshot-web-dark.png') });
    });
  }

  test('the boxes and the button use bold 12-point Courier New or a face with its metrics', async () => {
    const page = await freshPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send('DOM.enable');
    await cdp.send('CSS.enable');
    const { root } = await cdp.send('DOM.getDocument');
    for (const id of ['First', 'Second', 'Answer', 'DoIt']) {
      const style = await page.evaluate((box) => {
        const { fontFamily, fontWeight, fontSize } = getComputedStyle(document.getElementById(box));
        return { fontFamily, fontWeight, fontSize };
      }, id);
      assert.ok(style.fontFamily.startsWith('"Courier New"'), style.fontFamily);
      assert.deepEqual({ fontWeight: style.fontWeight, fontSize: style.fontSize }, { fontWeight: '700', fontSize: '16px' }, id);
    }
    // The face the button's caption is drawn in.
    const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: '#DoIt' });
    const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
    assert.ok(fonts.length > 0 && fonts.every((f) => ['Courier New', 'Liberation Mono', 'Cousine'].includes(f.familyName)),
      JSON.stringify(fonts));
  });

  test('the list\'s popup is as wide as its longest entry, each with its tooltip', async () => {
    const page = await freshPage();
    await page.keyboard.press('F10');
    await page.getByRole('menuitem', { name: 'Number of Figures' }).click();
    await page.getByRole('menuitemradio', { name: 'One Number' }).click();
    // The pair shows the mode in force (the menu has closed: its items are read by id).
    assert.equal(await page.locator('#mnuNum1').getAttribute('aria-checked'), 'true');
    assert.equal(await page.locator('#mnuNum2').getAttribute('aria-checked'), 'false');
    await page.getByRole('menuitem', { name: 'Add Operations' }).click();
    await page.getByRole('menuitem', { name: 'Unit Conversion' }).click();
    await page.getByRole('combobox', { name: 'Operation' }).press('Alt+ArrowDown');
    const entries = await page.evaluate(() => {
      const list = document.getElementById('Operation-list');
      return {
        listWidth: list.getBoundingClientRect().width,
        fieldWidth: document.querySelector('[data-control=Operation]').getBoundingClientRect().width,
        options: [...list.children].map((o) => ({ name: o.textContent, cut: o.scrollWidth > o.clientWidth, tip: o.title })),
      };
    });
    assert.equal(entries.options.length, 30);
    assert.ok(entries.listWidth >= entries.fieldWidth);
    assert.deepEqual(entries.options.filter((o) => o.cut || !o.tip), []);
    const popup = await page.locator('#Operation-list').boundingBox();
    await page.screenshot({ path: join(options.out, 'screenshot-web-list.png'), clip: { x: 0, y: 0, width: 360, height: popup.y + popup.height + 8 } });
    await page.locator('#window').click({ position: { x: 5, y: 75 } });
  });
});

describe('accessibility', () => {
  test('every control has the accessible name it has on the desktop', async () => {
    const page = await freshPage();
    const names = [
      ['textbox', 'First'], ['combobox', 'Operation'], ['textbox', 'Second'], ['textbox', 'Answer'], ['button', 'Do It!'],
      ['menubar', 'Quillon'], ['menuitem', 'Add Operations'], ['menuitem', 'Number of Figures'],
    ];
    for (const [role, name] of names) {
      assert.equal(await page.getByRole(role, { name, exact: true }).count(), 1, `${role} "${name}"`);
    }
  });

  test('the mode pair shows the mode in force after every choice, and each press of Do It! says its answer anew', async () => {
    const page = await freshPage();
    const checked = () => page.evaluate(() => [...document.querySelectorAll('[role=menuitemradio]')].map((item) => item.getAttribute('aria-checked')));
    assert.deepEqual(await checked(), ['false', 'true'], 'at start');
    for (const [item, expected] of [['One Number', ['true', 'false']], ['One Number', ['true', 'false']], ['Two Numbers', ['false', 'true']]]) {
      await page.getByRole('menuitem', { name: 'Number of Figures' }).click();
      await page.getByRole('menuitemradio', { name: item }).click();
      assert.deepEqual(await checked(), expected, item);
    }
    await setValue(page, 'First', '7');
    await setValue(page, 'Second', '2');
    await chooseByKeys(page, '÷');
    // The same answer three times, by mouse and by Return: the live region is written anew each
    // time (a reader drops an insertion equal to the one before it), and always says the answer.
    const presses = [() => page.getByRole('button', { name: 'Do It!' }).click(), () => page.locator('#Second').press('Enter'), () => page.locator('#Operation').press('Enter')];
    let said = null;
    for (const press of presses) {
      await press();
      const written = await page.waitForFunction((before) => {
        const now = document.getElementById('said').textContent;
        return now.trim() !== '' && now !== before && now;
      }, said);
      said = await written.jsonValue();
      assert.equal(said.trim(), '3.5');
    }
    assert.equal(await focused(page), 'Operation', 'the focus stays where it was');
    // A failure is said by its dialog; the answer before it is not said again when it closes.
    await setValue(page, 'First', 'abc');
    await page.locator('#Operation').press('Enter');
    assert.equal(await page.locator('#said').textContent(), '');
    await page.keyboard.press('Escape');
  });

  for (const scheme of ['light', 'dark']) {
    test(`axe finds no violation under a ${scheme} scheme: at start, with the list, a menu and the dialog open`, async () => {
      const page = await freshPage(scheme);
      assert.deepEqual(await axeViolations(page), [], 'at start');
      await page.getByRole('combobox', { name: 'Operation' }).press('ArrowDown');
      assert.deepEqual(await axeViolations(page), [], 'with the list open');
      await page.keyboard.press('Escape');
      await page.keyboard.press('F10');
      await page.keyboard.press('ArrowDown');
      assert.deepEqual(await axeViolations(page), [], 'with a menu open');
      await page.keyboard.press('Escape');
      await page.keyboard.press('Escape');
      await setValue(page, 'First', 'abc');
      await chooseByKeys(page, '+');
      await page.getByRole('button', { name: 'Do It!' }).click();
      assert.deepEqual(await axeViolations(page), [], 'with the failure dialog open');
    });
  }
});

describe('the keyboard', () => {
  test('Tab goes First, Operation, Second, Answer, Do It!', async () => {
    const page = await freshPage();
    const order = [await focused(page)];
    for (let i = 0; i < 4; ++i) {
      await page.keyboard.press('Tab');
      order.push(await focused(page));
    }
    assert.deepEqual(order, ['First', 'Operation', 'Second', 'Answer', 'DoIt']);
  });

  test('Return and keypad Enter in each box and in the list press Do It!', async () => {
    const page = await freshPage();
    await setValue(page, 'First', '7');
    await setValue(page, 'Second', '2');
    await chooseByKeys(page, '÷');
    for (const box of ['First', 'Operation', 'Second', 'Answer']) {
      for (const key of ['Enter', 'NumpadEnter']) {
        await setValue(page, 'Answer', 'x');
        await page.locator(`#${box}`).press(key);
        assert.equal(await value(page, 'Answer'), '3.5', `${key} in ${box}`);
      }
    }
  });

  test('the arrows move through the list and wrap, Return chooses without pressing Do It!, Escape closes', async () => {
    const page = await freshPage();
    const list = page.getByRole('combobox', { name: 'Operation' });
    const current = () => page.evaluate(() => document.getElementById(document.getElementById('Operation').getAttribute('aria-activedescendant'))?.textContent ?? null);
    await list.press('ArrowDown');
    assert.equal(await list.getAttribute('aria-expanded'), 'true');
    assert.equal(await current(), '+');
    await list.press('ArrowUp');
    assert.equal(await current(), '÷', 'up from the first entry goes to the last');
    await list.press('ArrowDown');
    assert.equal(await current(), '+', 'down from the last entry goes to the first');
    await list.press('ArrowDown');
    await list.press('Enter');
    assert.equal(await list.inputValue(), '-');
    assert.equal(await list.getAttribute('aria-expanded'), 'false');
    assert.equal(await value(page, 'Answer'), '0');
    await list.press('Alt+ArrowDown');
    assert.equal(await current(), '-', 'Alt+Down opens on the chosen entry');
    await list.press('Escape');
    assert.equal(await list.getAttribute('aria-expanded'), 'false');
    assert.equal(await list.inputValue(), '-');
    assert.ok(await list.getAttribute('title'), 'the chosen entry\'s tooltip');
    assert.equal(await list.getAttribute('aria-description'), `${await list.getAttribute('title')}, 4 operations`,
      'a screen reader hears the tooltip and the number of entries');
  });

  test('typing suggests the entries that start with the text and never adds one', async () => {
    const page = await freshPage();
    await page.keyboard.press('F10');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('End'); // Miscellaneous
    await page.keyboard.press('ArrowUp'); // Trigonometry
    await page.keyboard.press('Enter');
    const list = page.getByRole('combobox', { name: 'Operation' });
    await list.fill('');
    await list.pressSequentially('cos');
    const shown = await page.evaluate(() => [...document.querySelectorAll('[role=option]:not([hidden])')].map((o) => o.textContent));
    assert.deepEqual(shown, ['Cos(sum)', 'Cos(difference)', 'Cos°(sum)', 'Cos°(difference)', 'Cos>Cos', 'Cos<Cos']);
    await list.press('Enter'); // closes the suggestions: no entry has visual focus
    await list.press('Enter'); // presses Do It!
    assert.equal(await list.inputValue(), 'cos');
    assert.equal(await value(page, 'Answer'), 'ERROR 1: No operation chosen');
    assert.equal(await page.locator('[role=option]').count(), 16);
  });

  test('F10 and the arrows reach both menus; Return chooses; Escape goes back where the focus was', async () => {
    const page = await freshPage();
    await page.locator('#Second').focus();
    await page.keyboard.press('F10');
    assert.equal(await focused(page), 'mnuOp');
    await page.keyboard.press('ArrowRight');
    assert.equal(await focused(page), 'mnuNumO');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'mnuNum1');
    await page.keyboard.press('Escape');
    assert.equal(await focused(page), 'mnuNumO');
    await page.keyboard.press('Escape');
    assert.equal(await focused(page), 'Second');
    await page.keyboard.press('F10');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('Enter');
    assert.equal(await focused(page), 'Second', 'back after "Two Numbers"');
    await page.keyboard.press('F10');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    assert.equal(await page.locator('[role=option]').count(), 4 + 16, 'Bitwise and Logical Operators added');
    assert.equal(await focused(page), 'Second');
  });
});

describe('the failure dialog', () => {
  test('a failure opens a modal dialog titled Quillon with the message and one OK button; the focus comes back and the window goes on', async () => {
    const page = await freshPage();
    await setValue(page, 'First', 'abc');
    await setValue(page, 'Second', '1');
    await chooseByKeys(page, '+');
    const doIt = page.getByRole('button', { name: 'Do It!' });
    for (const close of ['Enter', 'Escape']) {
      await doIt.focus();
      await page.keyboard.press('Enter');
      const dialog = page.getByRole('dialog', { name: 'Quillon' });
      assert.ok(await dialog.evaluate((d) => d.matches(':modal')));
      assert.equal(await page.locator('#failure-message').textContent(), 'Type mismatch: "abc" is not a number.');
      assert.equal(await dialog.getByRole('button').count(), 1);
      assert.equal(await focused(page), 'failure-ok');
      await page.keyboard.press(close);
      assert.equal(await dialog.count(), 0, `${close} closes it`);
      assert.equal(await focused(page), 'DoIt');
    }
    await setValue(page, 'First', '7');
    await doIt.click();
    assert.equal(await value(page, 'Answer'), '8');
    assert.equal(await page.getByRole('dialog').count(), 0);
  });
});

describe('the core', () => {
  test('a press of Do It! and a menu item are each one call into the core', async () => {
    context = await running.browser.newContext();
    await countCoreCalls(context);
    const page = await context.newPage();
    problems = watch(page);
    await open(page, running.server.url);
    const calls = async (act) => {
      await page.evaluate(() => { globalThis.coreCalls = []; });
      await act();
      return page.evaluate(() => globalThis.coreCalls);
    };
    await setValue(page, 'First', '7');
    await setValue(page, 'Second', '2');
    await chooseByKeys(page, '÷');
    assert.deepEqual(await calls(() => page.getByRole('button', { name: 'Do It!' }).click()), ['DoIt']);
    assert.equal(await value(page, 'Answer'), '3.5');
    assert.deepEqual(await calls(() => page.locator('#mnuNum1').evaluate((item) => item.click())), ['chooseMenuItem']);
    assert.equal(await page.locator('#First').isHidden(), true);
  });
});

describe('typing', () => {
  test('a box takes what the typing rule lets through, key by key, pasted and typed at once', async () => {
    const page = await freshPage();
    await context.grantPermissions(['clipboard-read', 'clipboard-write']);
    const paste = async (text) => {
      await page.evaluate((t) => navigator.clipboard.writeText(t), text);
      await page.keyboard.press('Control+V');
    };
    const rows = [
      // box, how, text, what the box holds after it, what it held before (all of it selected, as
      // Tab leaves it; empty if not given)
      ['First', 'keys', '1234567890123456789', '123456789012345678'],
      ['Second', 'keys', '÷×°12345678901234567', '÷×°123456789012345'],
      ['First', 'paste', '12\r\n34', '12'],
      ['Second', 'paste', '-1.5E-7', '-1.5E-7'],
      ['Answer', 'paste', '1234567890123456789012345678901234567890', '1234567890123456789012345678901234567890'],
      ['Operation', 'paste', 'Sin°()\nCos', 'Sin°()'],
      ['First', 'insert', '12345678901234567890', ''],
      // A number too long to paste is refused whole, with a note; one that fits is taken.
      ['First', 'paste', '12345678901234567890123', ''],
      ['Second', 'paste', '12345', '12345'],
      // The same character typed over the selection replaces it, and the next key goes after it.
      ['First', 'keys', '12', '12', '1'],
      ['Second', 'keys', '05', '05', '0'],
      ['Operation', 'keys', '++', '++', '+'],
    ];
    for (const [box, how, text, expected, held = ''] of rows) {
      await page.locator(`#${box}`).fill(held);
      await page.locator(`#${box}`).selectText();
      if (how === 'keys') await page.keyboard.type(text);
      else if (how === 'paste') await paste(text);
      else await page.keyboard.insertText(text);
      assert.equal(await value(page, box), expected, `${how} ${JSON.stringify(text)} into ${box}`);
      if (how !== 'keys' && text.length > 18 && expected === '') {
        assert.equal(await page.locator('#note').textContent(), 'At most 18 characters');
      }
    }
    // A text longer than the limit, written by the program, can still be shortened: removals
    // pass the typing rule, a character, a word or a selection at a time.
    await setValue(page, 'First', '1234567890123456789012345');
    const first = page.locator('#First');
    await first.press('End');
    await first.press('Backspace');
    assert.equal(await value(page, 'First'), '123456789012345678901234');
    await first.press('Home');
    await first.press('Shift+ArrowRight');
    await first.press('Delete');
    assert.equal(await value(page, 'First'), '23456789012345678901234');
    await first.press('Control+Backspace');
    assert.equal(await value(page, 'First'), '23456789012345678901234', 'nothing before the cursor');
    await first.press('End');
    await first.press('Control+Backspace');
    assert.equal(await value(page, 'First'), '');
    await first.press('Control+Z');
    assert.equal(await value(page, 'First'), '23456789012345678901234', 'an undo puts back what the rule took away');
  });
});

describe('installed and offline', () => {
  test('after one visit the page reloads and evaluates with the network off, and stores nothing else', async () => {
    const own = await serve(options.site);
    const page = await freshPage('light', own.url);
    assert.equal(await page.title(), 'Quillon');
    const manifest = await (await context.newCDPSession(page)).send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    assert.match(manifest.data, /"name": "Quillon"/);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await own.close();
    await context.setOffline(true);
    await page.reload();
    await page.waitForSelector('html[data-ready]');
    await setValue(page, 'First', '7');
    await setValue(page, 'Second', '2');
    await chooseByKeys(page, '÷');
    await page.getByRole('button', { name: 'Do It!' }).click();
    assert.equal(await value(page, 'Answer'), '3.5');
    const stored = await page.evaluate(async () => ({
      cookies: document.cookie,
      local: localStorage.length + sessionStorage.length,
      databases: (await indexedDB.databases()).length,
      caches: await caches.keys(),
      files: (await (await caches.open((await caches.keys())[0])).keys()).map((r) => new URL(r.url).pathname).sort(),
    }));
    // One cache, named after the build.
    assert.match(stored.caches.join(' '), /^quillon-[0-9a-f]{16}$/);
    assert.deepEqual({ ...stored, caches: undefined, files: undefined }, { cookies: '', local: 0, databases: 0, caches: undefined, files: undefined });
    assert.ok(stored.files.every((path) => /^\/([\w-]+\.(html|css|js|wasm|webmanifest|svg|png))?$/.test(path)), stored.files.join(' '));
  });
});
