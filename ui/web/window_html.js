// The window as markup: a pure function of the core's look (a plain object, as page.cpp's look()
// gives it) and, optionally, of the window Form_Load leaves (the list's entries, whether First
// shows, the mode item in force). It touches no document: a build step (prerender.mjs) runs it
// under node and writes its output into the page, so that the window paints before the core
// arrives.
//
// The page's Content-Security-Policy allows no inline style, so places, sizes and colours go
// into a stylesheet of their own (windowCss), keyed by the controls' ids.

import { element, escape, listboxId, optionsHtml, tag } from './markup.js';

// The first control of the focus order takes the focus when the page opens (`autofocus`: the
// browser gives it while rendering, rather than a script forcing a layout at start).
function controlHtml(control, view, first) {
  const common = { class: `control ${control.kind}${control.boxFont ? ' box-font' : ''}`, 'data-control': control.name };
  if (control.kind === 'box') {
    return tag('input', {
      id: control.name, type: 'text', 'aria-label': control.label, autocomplete: 'off', spellcheck: 'false', enterkeyhint: 'go',
      // What the box holds, for its tooltip and for screen readers.
      title: control.description, value: control.text, hidden: control.name === 'First' && view?.firstVisible === false,
      autofocus: first, ...common,
    });
  }
  if (control.kind === 'list') {
    const popup = { 'aria-controls': listboxId(control.name), 'aria-expanded': 'false' };
    return element('div', common, tag('input', {
      id: control.name, type: 'text', role: 'combobox', 'aria-label': control.label, 'aria-autocomplete': 'list',
      ...popup, autocomplete: 'off', spellcheck: 'false', enterkeyhint: 'go', value: control.text, autofocus: first,
    }) + element('button', { type: 'button', tabindex: '-1', 'aria-label': control.label, ...popup }));
  }
  if (control.kind === 'button') {
    return element('button', { id: control.name, type: 'button', ...common }, escape(control.text));
  }
  return element('div', { id: control.name, 'aria-hidden': 'true', ...common });
}

// The menu bar: each menu's title, and its items as an exclusive choice or as plain items.
function menusHtml(look, view) {
  return look.menus.map((menu, m) => {
    const title = element('button', {
      id: menu.name, type: 'button', role: 'menuitem', 'aria-haspopup': 'menu', 'aria-expanded': 'false',
      'aria-controls': `${menu.name}-menu`, tabindex: m === 0 ? '0' : '-1',
    }, escape(menu.caption));
    const items = menu.items.map((caption, i) => element('li', { role: 'none' }, element('button', {
      id: `${menu.itemName}${i + 1}`, type: 'button', role: menu.exclusive ? 'menuitemradio' : 'menuitem', tabindex: '-1',
      'aria-checked': menu.exclusive ? String(i + 1 === view?.checkedItems[m]) : null, 'data-menu': m, 'data-item': i + 1,
    }, escape(caption))));
    const popup = element('ul', { id: `${menu.name}-menu`, role: 'menu', 'aria-label': menu.caption, hidden: true }, items.join(''));
    return element('li', { role: 'none' }, title + popup);
  }).join('');
}

// What goes inside the window's <main>: the caption, the menu bar, and the client area with the
// controls in the look's focus order, the list's popup, the note of a refused paste and, unseen,
// the answer said to screen readers after each press of "Do It!".
export function windowHtml(look, view = null) {
  const list = look.controls.find((control) => control.kind === 'list');
  const controls = look.tabOrder.map((name) => look.controls.find((control) => control.name === name));
  return [
    element('h1', { id: 'caption' }, escape(look.caption)),
    element('ul', { id: 'menubar', role: 'menubar', 'aria-label': look.caption, 'aria-keyshortcuts': 'F10' }, menusHtml(look, view)),
    element('div', { id: 'area' }, [
      element('div', { id: 'client' }, controls.map((control, i) => controlHtml(control, view, i === 0)).join('')),
      list ? element('ul', { id: listboxId(list.name), role: 'listbox', 'aria-label': list.label, hidden: true },
        optionsHtml(list.name, view?.entries ?? [])) : '',
      element('div', { id: 'note', role: 'status', hidden: true }),
      element('div', { id: 'said', role: 'status' }),
    ].join('')),
  ].join('');
}

const rule = (selector, properties) =>
  `${selector} { ${Object.entries(properties).filter(([, value]) => value !== null).map(([key, value]) => `${key}: ${value};`).join(' ')} }`;
const px = (value) => `${value}px`;

// The window's places, sizes, colours and the boxes' font, as a stylesheet. The controls stack
// in the table's order, the later above. The colours of text on the fixed backgrounds are
// custom properties that the page's style.css uses.
export function windowCss(look) {
  return [
    rule(':root', {
      '--box-family': `"${look.boxFont.family}"`, '--box-size': `${look.boxFont.points}pt`, '--box-weight': look.boxFont.weight,
      '--fixed-text': look.fixedText.text, '--fixed-selection': look.fixedText.selection, '--fixed-selected-text': look.fixedText.selectedText,
    }),
    rule('#area', { width: px(look.clientWidth), height: px(look.clientHeight) }),
    rule('#client', { background: look.background }),
    ...look.controls.map((control, layer) => rule(`#client > [data-control="${control.name}"]`, {
      left: px(control.left), top: px(control.top), width: px(control.width), height: px(control.height),
      'z-index': layer, '--background': control.background,
    })),
    ...look.controls.filter((control) => control.kind === 'list').map((control) => rule(`#area > #${listboxId(control.name)}`, {
      left: px(control.left), top: px(control.top + control.height), 'min-width': px(control.width), '--background': control.background,
    })),
  ].join('\n');
}
