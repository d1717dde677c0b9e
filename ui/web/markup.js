// What the window's markup (window_html.js) and the page (quillon.js) share: escaping, tags, and
// the list's popup with its options, which the page writes again when a menu changes the list.

const ESCAPED = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' };
export const escape = (text) => String(text).replace(/[&<>"]/g, (c) => ESCAPED[c]);

// A start tag with its attributes; an attribute whose value is null, false or '' is left out.
export function tag(name, attributes = {}) {
  const written = Object.entries(attributes)
    .filter(([, value]) => value !== null && value !== false && value !== '')
    .map(([key, value]) => (value === true ? ` ${key}` : ` ${key}="${escape(value)}"`));
  return `<${name}${written.join('')}>`;
}

export const element = (name, attributes, content = '') => `${tag(name, attributes)}${content}</${name}>`;

// The popup of the list, with the combobox's own ids.
export const listboxId = (name) => `${name}-list`;
const optionId = (name, i) => `${listboxId(name)}-${i}`;

// The options of the list's popup, each with its tooltip.
export function optionsHtml(name, entries) {
  return entries.map((entry, i) => element('li', { role: 'option', id: optionId(name, i), title: entry.tip }, escape(entry.name))).join('');
}
