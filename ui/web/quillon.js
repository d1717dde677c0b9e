// The page's adapter between the DOM and the core (page.cpp), as the Qt window is on the desktop:
// what "Do It!" and the menus do, what a box accepts, the tooltips and the failure texts all
// come from the core, whose handlers act on the page's controls through `controls`. The
// window's markup, written from the look at build time (prerender.mjs), is in the document;
// this module only binds behaviour to the elements it finds by id.
import { combobox } from './combobox.js';
import { judgedField } from './judged_field.js';
import { loadCore } from './load_core.js';
import { menubar } from './menubar.js';
import { listboxId } from './markup.js';

const byId = (id) => document.getElementById(id);
// The core, once it has loaded. The window, written at build time, is in the document before
// it: until the core is there, the fields take what is typed as the browser has it, and a press
// of "Do It!" or of a menu item waits, in order, in `waiting`, to be carried out once.
let core = null;
const waiting = [];
const whenReady = (action) => (core ? action() : waiting.push(action));
// The elements, once the window is in the document (see start).
let boxes; // the text boxes by name
let list; // the list's edit field
let listbox; // its popup
let operation; // its behaviour: a combobox
let doIt;
// The refusal of a paste too long: its beep, and the timer that takes its note away.
let beeper;
let noteTimer;
let noteMilliseconds; // how long the note shows, from the look
let focusBeforeDialog = null; // where the focus goes back when the failure dialog closes

// The window's controls as the core's handlers reach them (the operations of Controls): the
// boxes by name, First's visibility, and the list's entries, which are the options of its popup.
const controls = {
  text: (box) => boxes[box].value,
  setText: (box, text) => { boxes[box].value = text; },
  firstVisible: () => !boxes.First.hidden,
  setFirstVisible: (visible) => { boxes.First.hidden = !visible; },
  listCount: () => listbox.children.length,
  entryText: (index) => listbox.children[index].textContent,
  addItem: (name, tip) => {
    const option = document.createElement('li');
    option.setAttribute('role', 'option');
    option.id = `${listbox.id}-${listbox.children.length}`;
    if (tip) option.title = tip;
    option.textContent = name;
    listbox.append(option);
  },
  removeEntry: (index) => {
    listbox.children[index].remove();
    // The options keep the ids of their places.
    for (const [at, option] of [...listbox.children].entries()) option.id = `${listbox.id}-${at}`;
  },
  editText: () => list.value,
};

// What a menu's handler leaves besides the controls: the mode item shown checked and the tooltip
// of the list's text in the new mode.
function showMenus(view) {
  for (const item of document.querySelectorAll('[role=menuitemradio]')) {
    item.setAttribute('aria-checked', String(Number(item.dataset.item) === view.checkedItems[item.dataset.menu]));
  }
  operation.close();
  showTip(view.list);
}

// The tooltip of the chosen entry; and, for screen readers, the core's description of the list
// (the tooltip and the number of entries), which a reader says when the list gets the focus.
function showTip({ tip, description }) {
  if (tip) list.title = tip;
  else list.removeAttribute('title');
  list.setAttribute('aria-description', description);
}
function tipOfList() {
  if (core) showTip(core.listTip(list.value, listbox.children.length));
}

// Until the core is there, a change is taken as the browser makes it, to be judged when it is.
const asTyped = (changed, cursor) => ({ outcome: 'taken', text: changed, cursor });

// The field hands every change to the core's typing rule for its control.
function judgeTyping(field) {
  judgedField(field, {
    rule: (held, start, end, changed, cursor) =>
      (core ? core.typeIntoControl(field.id, held, start, end, changed, cursor) : asTyped(changed, cursor)),
    refused: (note) => refuse(field, note),
  });
  // Return and Enter press "Do It!", as a dialog's default button.
  field.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && !event.isComposing && !event.defaultPrevented) {
      event.preventDefault();
      doIt.click();
    }
  });
}

// A change the field refused for its length: a short beep, and for a paste or a drop a note
// below the field that goes by itself.
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
  shown.style.setProperty('left', `${field.offsetLeft}px`);
  shown.style.setProperty('top', `${field.offsetTop + field.offsetHeight}px`);
  shown.hidden = false;
  clearTimeout(noteTimer);
  noteTimer = setTimeout(() => { shown.hidden = true; }, noteMilliseconds);
}

// The answer, said once by screen readers after a press of "Do It!" without moving the focus:
// the live region `said` is emptied, and filled in a later task, so that a reader takes the text
// as new even where it is the answer before. Orca also drops an insertion equal to the one before
// it, so every other time the text ends in a no-break space, which no reader speaks. An empty
// text only empties the region.
let saidTimer;
let saidAgain = false;
function say(text) {
  const said = byId('said');
  said.textContent = '';
  clearTimeout(saidTimer);
  if (!text) return;
  saidAgain = !saidAgain;
  saidTimer = setTimeout(() => { said.textContent = saidAgain ? `${text}\u00a0` : text; }, 100);
}

// "Do It!": the core evaluates, and the answer is said; a failure shows in a modal dialog with
// the window's caption and one OK button, which a reader speaks, and the focus goes back where
// it was.
function pressDoIt() {
  const failure = core.DoIt(controls);
  // After a failure the region is emptied: the page comes back into the accessibility tree
  // when the dialog closes, and a reader would say the answer before as if it were new.
  say(failure ? '' : boxes.Answer.value);
  if (!failure) return;
  focusBeforeDialog = document.activeElement;
  byId('failure-caption').textContent = byId('caption').textContent;
  byId('failure-message').textContent = failure;
  byId('failure').showModal();
}

// Closes the dialog by OK or Escape, and puts the focus back at once: the dialog's own close
// event comes later, after keys and clicks that may already be on their way.
function closeDialog(event) {
  event.preventDefault();
  byId('failure').close();
  focusBeforeDialog?.focus();
}

// What was typed before the core was there, judged now by its typing rule, key by key.
function judgeTyped(field) {
  if (field.value !== field.defaultValue) field.value = core.typeKeysInto(field.id, field.value);
}

// Binds behaviour to the window's elements; what needs the core waits for it.
function bind() {
  const client = byId('client');
  boxes = Object.fromEntries([...client.querySelectorAll('input.box')].map((box) => [box.id, box]));
  list = client.querySelector('[role=combobox]');
  listbox = byId(listboxId(list.id));
  doIt = client.querySelector('button.button');
  // Before the boxes' keys: Return in an open popup chooses an entry and presses nothing.
  operation = combobox({ field: list, button: list.nextElementSibling, listbox, chosen: tipOfList });
  list.addEventListener('input', tipOfList);
  for (const field of [...Object.values(boxes), list]) judgeTyping(field);
  doIt.addEventListener('click', () => whenReady(pressDoIt));
  menubar(byId('menubar'), {
    chosen: (item) => whenReady(() => showMenus(core.chooseMenuItem(Number(item.dataset.menu), Number(item.dataset.item), controls))),
    home: () => client.querySelector('input:not([hidden]), button'),
  });
  byId('failure-ok').addEventListener('click', closeDialog);
  byId('failure').addEventListener('cancel', closeDialog);
}

function ready(loaded) {
  core = loaded;
  ({ noteMilliseconds } = core.look());
  for (const field of [...Object.values(boxes), list]) judgeTyped(field);
  // The list as written at build time shows what Form_Load gives; the list itself starts empty.
  listbox.replaceChildren();
  showMenus(core.Form_Load(controls));
  for (const action of waiting.splice(0)) action();
  document.documentElement.dataset.ready = '';
  // After the first visit the page's files come from the service worker's cache, first.
  navigator.serviceWorker?.register('sw.js');
}

// In place of the window, the reason the core could not load; nothing pretends to work.
function cannotStart(error) {
  const said = document.createElement('p');
  said.id = 'not-started';
  said.setAttribute('role', 'alert');
  said.textContent = `Quillon could not start: ${error.message}`;
  byId('window').replaceChildren(said);
}

const loading = loadCore();
bind();
loading.then(ready, cannotStart);
