// Writes the window into the page at build time, so that the browser paints it from the page's
// first bytes and the core, when it arrives, only makes it live: the built core runs under node
// (its WebAssembly handed over as bytes), gives its look and what Form_Load shows, and
// window_html.js turns them into the markup inside <main id="window"> of SITE's index.html and
// into SITE/window.css.
//
//   node prerender.mjs TEMPLATE_INDEX_HTML SITE
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { windowCss, windowHtml } from './window_html.js';

const [template, site] = process.argv.slice(2);
const { default: createCore } = await import(pathToFileURL(join(site, 'quillon-core.js')).href);

const core = await createCore({ wasmBinary: readFileSync(join(site, 'quillon-core.wasm')) });
const look = core.look();
const text = (name) => look.controls.find((control) => control.name === name).text;
// The window's controls before there is a page: plain values, which Form_Load fills.
const texts = { First: text('First'), Second: text('Second'), Answer: text('Answer') };
const view = { firstVisible: true, entries: [] };
const controls = {
  text: (box) => texts[box],
  setText: (box, written) => { texts[box] = written; },
  firstVisible: () => view.firstVisible,
  setFirstVisible: (visible) => { view.firstVisible = visible; },
  listCount: () => view.entries.length,
  entryText: (index) => view.entries[index].name,
  addItem: (name, tip) => view.entries.push({ name, tip }),
  removeEntry: (index) => view.entries.splice(index, 1),
  editText: () => text('Operation'),
};
Object.assign(view, core.Form_Load(controls));

const empty = '<main id="window"></main>';
const page = readFileSync(template, 'utf8');
if (!page.includes(empty)) throw new Error(`${template} has no ${empty} to write the window into`);
writeFileSync(join(site, 'index.html'), page.replace(empty, `<main id="window">${windowHtml(look, view)}</main>`));
writeFileSync(join(site, 'window.css'), `${windowCss(look)}\n`);
