// The page's front-end. It builds the window from the core's look table and translates between
// the DOM and the core (page.cpp), as the Qt window does on the desktop: what "Do It!" and
// the menus do, what a box accepts, the tooltips and the failure texts all come from the core.
import createCore from './quillon-core.js';

const core = await createCore();
const look = core.look();
const byId = (id) => document.getElementById(id);
const client = byId('client');
const boxes = {}; // the text boxes by name
let list; // the list's edit field, a combobox
let arrow; // the button that opens its popup
let listbox; // its popup
let doIt;

// The texts the user can change, handed to the core before each handler runs.
const texts = () => ({
  first: boxes.First.value,
  second: boxes.Second.value,
  answer: boxes.Answer.value,
  operation: list.value,
});

// What a handler changed, back into the DOM.
function show(view) {
  boxes.First.value = view.first;
  boxes.Second.value = view.second;
  boxes.Answer.value = view.answer;
  if (view.entries) {
    boxes.First.hidden = !view.firstVisible;
    choiceItems.forEach((item, i) => item.setAttribute('aria-checked', String(i + 1 === view.numberItem)));
    closeList();
    listbox.replaceChildren(...view.entries.map((entry, i) => {
      const option = element('li', { role: 'option', id: `${listbox.id}-${i}`, title: entry.tip });
      option.textContent = entry.name;
      return option;
    }));
  }
  showTip();
}

function element(tag, attributes = {}) {
  const made = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value !== '') made.setAttribute(name, value);
  }
  return made;
}

function px(style, properties) {
  for (const [name, value] of Object.entries(properties)) style.setProperty(name, `${value}px`);
}

// The box judges insertions by the core's typing rule; removals pass as the browser does them.
function judgeTyping(field, name) {
  field.addEventListener('beforeinput', (event) => {
    if (!event.inputType.startsWith('insert') || event.isComposing) return;
    event.preventDefault();
    const inserted = event.data ?? event.dataTransfer?.getData('text/plain') ?? '';
    const typed = core.typeInto(name, field.value, field.selectionStart, field.selectionEnd, inserted);
    if (typed.outcome === 'taken') {
      field.value = typed.text;
      field.setSelectionRange(typed.cursor, typed.cursor);
      field.dispatchEvent(new Event('input'));
    } else if (typed.outcome === 'tooLong') {
      refuse(field, typed.note);
    }
  });
  // Return and Enter press "Do It!", as a dialog's default button.
  field.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && !event.isComposing && !event.defaultPrevented) {
      event.preventDefault();
      doIt.click();
    }
  });
}

// A change the box refuses for its length: a short beep, and for a paste or a drop a note
// below the box that goes by itself.
let beeper;
let noteTimer;
function refuse(field, note) {
  try {
    beeper ??= new AudioContext();
    const tone = beeper.createOscillator();
    const gain = beeper.createGain();
    gain.gain.value = 0.05;
    tone.connect(gain).connect(beeper.destination);
    tone.start();
    tone.stop(beeper.currentTime + 0.08);
  } catch {
    // No sound on this device: the note still says what happened.
  }
  if (!note) return;
  const shown = byId('note');
  shown.textContent = note;
  px(shown.style, { left: field.offsetLeft, top: field.offsetTop + field.offsetHeight });
  shown.hidden = false;
  clearTimeout(noteTimer);
  noteTimer = setTimeout(() => { shown.hidden = true; }, 3000);
}

// The list of Operation: an editable combobox whose popup suggests the entries that start with
// what the user types. Typing never adds an entry; the arrow keys and the mouse choose one.
function makeList(control) {
  const frame = element('div');
  list = element('input', {
    id: control.name, type: 'text', role: 'combobox', 'aria-label': control.label,
    'aria-autocomplete': 'list', 'aria-expanded': 'false', 'aria-controls': `${control.name}-list`,
    autocomplete: 'off', spellcheck: 'false',
  });
  list.value = control.text;
  arrow = element('button', {
    type: 'button', tabindex: '-1', 'aria-label': control.label, 'aria-expanded': 'false',
    'aria-controls': `${control.name}-list`,
  });
  listbox = element('ul', { id: `${control.name}-list`, role: 'listbox', 'aria-label': control.label });
  listbox.hidden = true;
  px(listbox.style, { left: control.left, top: control.top + control.height, 'min-width': control.width });
  if (control.background) listbox.style.setProperty('--background', control.background);
  byId('area').append(listbox);
  frame.append(list, arrow);
  // Before the boxes' keys: Return in an open popup chooses an entry and presses nothing.
  list.addEventListener('keydown', listKey);
  judgeTyping(list, control.name);
  list.addEventListener('input', () => {
    showTip();
    if (list.value) openList(list.value, null);
    else closeList();
  });
  list.addEventListener('blur', closeList);
  // The popup and its arrow leave the focus in the edit field.
  for (const part of [arrow, listbox]) part.addEventListener('mousedown', (event) => event.preventDefault());
  arrow.addEventListener('click', () => {
    if (listbox.hidden) openList('', entryNamed(list.value));
    else closeList();
    list.focus();
  });
  listbox.addEventListener('click', (event) => {
    const option = event.target.closest('[role=option]');
    if (option) choose(option);
  });
  return frame;
}

const shownEntries = () => [...listbox.children].filter((option) => !option.hidden);
const entryNamed = (name) => [...listbox.children].find((option) => option.textContent === name) ?? null;
const active = () => byId(list.getAttribute('aria-activedescendant') ?? '');

// Opens the popup with the entries that start with `start` (case aside), the visual focus on
// `option`; with no such entry it stays closed.
function openList(start, option) {
  const wanted = start.toLowerCase();
  for (const entry of listbox.children) entry.hidden = !entry.textContent.toLowerCase().startsWith(wanted);
  if (shownEntries().length === 0) return closeList();
  listbox.hidden = false;
  for (const expands of [list, arrow]) expands.setAttribute('aria-expanded', 'true');
  focusEntry(option);
}

function closeList() {
  listbox.hidden = true;
  for (const expands of [list, arrow]) expands.setAttribute('aria-expanded', 'false');
  focusEntry(null);
}

function focusEntry(option) {
  active()?.removeAttribute('aria-selected');
  if (!option) return list.removeAttribute('aria-activedescendant');
  option.setAttribute('aria-selected', 'true');
  list.setAttribute('aria-activedescendant', option.id);
  option.scrollIntoView({ block: 'nearest' });
}

function choose(option) {
  list.value = option.textContent;
  closeList();
  showTip();
  list.focus();
}

function showTip() {
  const tip = core.operationTip(list.value);
  if (tip) list.title = tip;
  else list.removeAttribute('title');
}

function listKey(event) {
  const open = !listbox.hidden;
  const entries = shownEntries();
  const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
  if (step && event.altKey) {
    if (step > 0 && !open) openList('', entryNamed(list.value));
    else if (step < 0 && open) closeList();
  } else if (step && !open) {
    openList('', null);
    focusEntry(step > 0 ? listbox.firstElementChild : listbox.lastElementChild);
  } else if (step) {
    const at = entries.indexOf(active());
    const next = at >= 0 ? at + step : step > 0 ? 0 : -1;
    focusEntry(entries.at(next % entries.length));
  } else if (event.key === 'Enter' && open) {
    if (active()) choose(active());
    else closeList();
  } else if (event.key === 'Escape' && open) {
    closeList();
  } else {
    return;
  }
  event.preventDefault();
}

function makeControl(control) {
  let made;
  if (control.kind === 'box') {
    made = boxes[control.name] = element('input', {
      id: control.name, type: 'text', 'aria-label': control.label, autocomplete: 'off', spellcheck: 'false',
    });
    made.value = control.text;
    // What the box holds, for its tooltip and for screen readers.
    if (control.description) made.title = control.description;
    judgeTyping(made, control.name);
  } else if (control.kind === 'list') {
    made = makeList(control);
  } else if (control.kind === 'button') {
    made = doIt = element('button', { id: control.name, type: 'button' });
    made.textContent = control.text;
    doIt.addEventListener('click', pressDoIt);
  } else {
    made = element('div', { id: control.name, 'aria-hidden': 'true' });
  }
  made.classList.add('control', control.kind);
  made.classList.toggle('box-font', control.boxFont);
  made.dataset.control = control.name;
  px(made.style, { left: control.left, top: control.top, width: control.width, height: control.height });
  if (control.background) made.style.setProperty('--background', control.background);
  return made;
}

// The controls stack in the table's order, the later above, and take the focus in the order
// of their tab index.
function buildClient() {
  byId('caption').textContent = look.caption;
  px(byId('area').style, { width: look.clientWidth, height: look.clientHeight });
  client.style.setProperty('background', look.background);
  const root = document.documentElement.style;
  root.setProperty('--box-family', `"${look.boxFont.family}"`);
  root.setProperty('--box-size', `${look.boxFont.points}pt`);
  root.setProperty('--box-weight', look.boxFont.weight);
  const made = look.controls.map((control, layer) => {
    const built = makeControl(control);
    built.style.setProperty('z-index', layer);
    return [control.tabIndex < 0 ? Infinity : control.tabIndex, built];
  });
  made.sort((a, b) => a[0] - b[0]);
  client.append(...made.map(([, built]) => built));
}

// The menu bar, as a menubar of menus whose items run the core's handler named after them
// (mnuAdd -> mnuAdd_Click) with their index, counted from 1. The mouse leaves the focus where it
// is; the keyboard reaches the bar by Tab or F10 and goes back where it came from.
const bar = byId('menubar');
let tops; // the menus' titles on the bar
const choiceItems = []; // the items of "Number of Figures", which show the mode
let returnFocus = null; // where the focus was before the menu bar took it

function buildMenus() {
  bar.setAttribute('aria-label', look.caption);
  tops = look.menus.map((menu, m) => {
    const top = element('button', {
      id: menu.name, type: 'button', role: 'menuitem', 'aria-haspopup': 'menu', 'aria-expanded': 'false',
      'aria-controls': `${menu.name}-menu`, tabindex: m === 0 ? '0' : '-1',
    });
    top.textContent = menu.caption;
    const popup = element('ul', { id: `${menu.name}-menu`, role: 'menu', 'aria-label': menu.caption });
    popup.hidden = true;
    popup.append(...menu.items.map((caption, i) => {
      // An exclusive choice shows the item in force checked.
      const item = element('button', {
        id: `${menu.itemName}${i + 1}`, type: 'button', role: menu.exclusive ? 'menuitemradio' : 'menuitem', tabindex: '-1',
      });
      if (menu.exclusive) {
        item.setAttribute('aria-checked', 'false');
        choiceItems.push(item);
      }
      item.textContent = caption;
      item.addEventListener('click', () => {
        show(core[`${menu.itemName}_Click`](i + 1, texts()));
        leaveMenus();
        closeMenus();
      });
      return holding(item);
    }));
    bar.append(holding(top, popup));
    // A click from the keyboard (Return, Space) also puts the focus on the first item.
    top.addEventListener('click', (event) => (popup.hidden ? openMenu(top, event.detail ? undefined : 0) : closeMenus()));
    top.addEventListener('mouseenter', () => isOpen() && openMenu(top));
    return top;
  });
  bar.addEventListener('mousedown', (event) => event.preventDefault());
  document.addEventListener('pointerdown', (event) => bar.contains(event.target) || closeMenus());
  bar.addEventListener('focusin', (event) => {
    if (!bar.contains(event.relatedTarget)) returnFocus = event.relatedTarget;
  });
  bar.addEventListener('focusout', (event) => bar.contains(event.relatedTarget) || closeMenus());
  bar.addEventListener('keydown', menuKey);
  document.addEventListener('keydown', (event) => {
    if (event.key === 'F10' && !bar.contains(document.activeElement)) {
      event.preventDefault();
      tops[0].focus();
    }
  });
}

function holding(...children) {
  const holder = element('li', { role: 'none' });
  holder.append(...children);
  return holder;
}

const itemsOf = (top) => [...top.nextSibling.querySelectorAll('[role^=menuitem]')];
const isOpen = () => tops.some((top) => !top.nextSibling.hidden);

function menuKey(event) {
  const top = tops.find((t) => t === event.target || t.nextSibling.contains(event.target));
  const inMenu = event.target !== top;
  const side = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
  const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
  const items = itemsOf(top);
  if (side) {
    const next = tops.at((tops.indexOf(top) + side) % tops.length);
    if (inMenu || isOpen()) openMenu(next, 0);
    else next.focus();
  } else if (step && !inMenu) {
    openMenu(top, step > 0 ? 0 : -1);
  } else if (step) {
    items.at((items.indexOf(event.target) + step) % items.length).focus();
  } else if (inMenu && (event.key === 'Home' || event.key === 'End')) {
    items.at(event.key === 'Home' ? 0 : -1).focus();
  } else if (event.key === 'Escape' && inMenu) {
    closeMenus();
    top.focus();
  } else if (event.key === 'Escape') {
    leaveMenus();
  } else {
    return;
  }
  event.preventDefault();
}

// Opens a menu, with the focus on its item at `focus` (-1: the last), or where it is.
function openMenu(top, focus) {
  closeMenus();
  top.setAttribute('aria-expanded', 'true');
  top.nextSibling.hidden = false;
  for (const other of tops) other.tabIndex = other === top ? 0 : -1;
  if (focus !== undefined) itemsOf(top).at(focus).focus();
  else if (bar.contains(document.activeElement)) top.focus();
}

function closeMenus() {
  for (const top of tops) {
    top.setAttribute('aria-expanded', 'false');
    top.nextSibling.hidden = true;
  }
}

// The focus leaves the menu bar for the control it came from, or the first one that shows.
function leaveMenus() {
  if (!bar.contains(document.activeElement)) return;
  const back = returnFocus?.isConnected && returnFocus.checkVisibility() ? returnFocus : null;
  (back ?? client.querySelector('input:not([hidden]), button')).focus();
  returnFocus = null;
}

// "Do It!": the core evaluates; a failure shows in a modal dialog with the window's caption and
// one OK button, and the focus goes back where it was.
const dialog = byId('failure');
let focusBeforeDialog = null;

function pressDoIt() {
  const done = core.DoIt(texts());
  show(done);
  if (!done.failure) return;
  focusBeforeDialog = document.activeElement;
  byId('failure-caption').textContent = look.caption;
  byId('failure-message').textContent = done.failure.message;
  dialog.showModal();
}

// Closes the dialog by OK or Escape, and puts the focus back at once: the dialog's own close
// event comes later, after keys and clicks that may already be on their way.
function closeDialog(event) {
  event.preventDefault();
  dialog.close();
  focusBeforeDialog?.focus();
}
byId('failure-ok').addEventListener('click', closeDialog);
dialog.addEventListener('cancel', closeDialog);

buildClient();
buildMenus();
show(core.Form_Load(texts()));
boxes.First.focus();
document.documentElement.dataset.ready = '';

// After the first visit the page's files come from the service worker's cache when there is no
// network.
navigator.serviceWorker?.register('sw.js');
