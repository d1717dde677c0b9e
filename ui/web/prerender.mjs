// Writes the window into the page at build time, so that the browser paints it from the page's
// first bytes and the core, when it arrives, only makes it live: the built core runs under node
// (its WebAssembly handed over as bytes), gives its look and what Form_Load shows, and the
// page's own window_html.js turns them into the markup inside <main id="window"> of SITE's
// index.html and into SITE/window.css.
//
//   node prerender.mjs TEMPLATE_INDEX_HTML SITE
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [template, site] = process.argv.slice(2);
const from = (file) => import(pathToFileURL(join(site, file)).href);
const { default: createCore } = await from('quillon-core.js');
const { windowCss, windowHtml } = await from('window_html.js');

const core = await createCore({ wasmBinary: readFileSync(join(site, 'quillon-core.wasm')) });
const look = core.look();
const text = (name) => look.controls.find((control) => control.name === name).text;
const view = core.Form_Load({ first: text('First'), second: text('Second'), answer: text('Answer'), operation: text('Operation') });

const empty = '<main id="window"></main>';
const page = readFileSync(template, 'utf8');
if (!page.includes(empty)) throw new Error(`${template} has no ${empty} to write the window into`);
writeFileSync(join(site, 'index.html'), page.replace(empty, `<main id="window">${windowHtml(look, view)}</main>`));
writeFileSync(join(site, 'window.css'), `${windowCss(look)}\n`);
