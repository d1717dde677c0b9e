// Writes the window into the page at build time, so that the browser paints it from the page's
// first bytes and the core, when it arrives, only makes it live: the built core runs under node
// (its WebAssembly handed over as bytes), gives its look and what Form_Load shows, and the
// page's own window_html.js turns them into the markup inside <main id="window"> of SITE's
// index.html and into the window's stylesheet. That stylesheet and SITE/style.css go into the
// page itself, in place of the template's links to them: nothing but the page's own bytes then
// stands between navigation and the first paint (the page's scripts and the core's preload
// asked for at the same moment cannot hold it back). The Content-Security-Policy allows that one
// style element by its hash.
//
//   node prerender.mjs TEMPLATE_INDEX_HTML SITE
import { createHash } from 'node:crypto';
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

const css = `\n${readFileSync(join(site, 'style.css'), 'utf8')}${windowCss(look)}\n`;
const hash = createHash('sha256').update(css).digest('base64');
const places = [
  ['<main id="window"></main>', `<main id="window">${windowHtml(look, view)}</main>`],
  ['<link rel="stylesheet" href="style.css">\n<link rel="stylesheet" href="window.css">', `<style>${css}</style>`],
  ["style-src 'self'", `style-src 'self' 'sha256-${hash}'`],
];
let page = readFileSync(template, 'utf8');
for (const [place, written] of places) {
  if (!page.includes(place)) throw new Error(`${template} has no ${place} to write into`);
  page = page.replace(place, () => written);
}
writeFileSync(join(site, 'index.html'), page);
