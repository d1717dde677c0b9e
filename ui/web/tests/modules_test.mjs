// The page's modules that need no browser, under node: the window's markup.
//
//   node modules_test.mjs
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { windowCss, windowHtml } from '../window_html.js';

const look = {
  caption: 'A & B', clientWidth: 100, clientHeight: 50, background: 'rgb(1, 2, 3)', boxFont: { family: 'Mono', points: 12, weight: 700 },
  fixedText: { text: 'rgb(0, 0, 0)', selection: 'rgb(48, 140, 198)', selectedText: 'rgb(255, 255, 255)' },
  tabOrder: ['First', 'Op', 'Go', 'Bar'],
  controls: [
    { kind: 'button', name: 'Go', label: 'Go <now>', text: 'Go <now>', left: 0, top: 30, width: 100, height: 20, background: null, boxFont: true, tabIndex: 2, description: '' },
    { kind: 'box', name: 'First', label: 'First', text: '"0"', left: 10, top: 0, width: 50, height: 19, background: 'rgb(0, 255, 0)', boxFont: true, tabIndex: 0, description: 'a "quoted" & <tagged> tip' },
    { kind: 'line', name: 'Bar', label: 'Bar', text: '', left: 0, top: 25, width: 100, height: 4, background: 'rgb(0, 0, 0)', boxFont: false, tabIndex: -1, description: '' },
    { kind: 'list', name: 'Op', label: 'Op', text: 'Pick', left: 0, top: 10, width: 60, height: 21, background: null, boxFont: false, tabIndex: 1, description: '' },
  ],
  menus: [{ name: 'mnuN', caption: 'Count', itemName: 'mnuC', items: ['One', 'Two'], exclusive: true }],
};

test('the window\'s markup escapes texts, puts the controls in the look\'s tab order and shows the view', () => {
  const html = windowHtml(look, { firstVisible: false, checkedItems: [2], entries: [{ name: 'Cos<Cos', tip: 'x & y' }] });
  assert.ok(html.includes('<h1 id="caption">A &amp; B</h1>'));
  assert.ok(html.includes('title="a &quot;quoted&quot; &amp; &lt;tagged&gt; tip" value="&quot;0&quot;" hidden'));
  assert.ok(html.includes('>Go &lt;now&gt;</button>'));
  assert.ok(html.includes('<li role="option" id="Op-list-0" title="x &amp; y">Cos&lt;Cos</li>'));
  assert.deepEqual([...html.matchAll(/data-control="(\w+)"/g)].map((m) => m[1]), ['First', 'Op', 'Go', 'Bar']);
  assert.deepEqual([...html.matchAll(/aria-checked="(\w+)"/g)].map((m) => m[1]), ['false', 'true']);
  assert.ok(!/ style=/.test(html), 'no inline style: the Content-Security-Policy allows none');
  const plain = windowHtml(look);
  assert.ok(!plain.includes(' hidden class') && !plain.includes('role="option"'));
});

test('the window\'s stylesheet places each control, the later above, and the list\'s popup below its field', () => {
  const css = windowCss(look);
  assert.ok(css.includes('#client > [data-control="First"] { left: 10px; top: 0px; width: 50px; height: 19px; z-index: 1; --background: rgb(0, 255, 0); }'));
  assert.ok(css.includes('#client > [data-control="Go"] { left: 0px; top: 30px; width: 100px; height: 20px; z-index: 0; }'));
  assert.ok(css.includes('#area > #Op-list { left: 0px; top: 31px; min-width: 60px; }'));
  assert.ok(css.includes('#area { width: 100px; height: 50px; }'));
});
