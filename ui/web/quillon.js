// The page's adapter between the DOM and the core (page.cpp), as the Qt window is on the desktop:
// what "Do It!" and the menus do, what a box accepts, the tooltips and the failure texts all
// come from the core. The window's markup comes from the look (window_html.js), already in the
// document when a build step wrote it there, else written here (window_html.js is then loaded
// for it); this module only binds behaviour to the elements it finds by id.
import { combobox } from './combobox.js';
import { judgedField } from './judged_field.js';
import { loadCore } from './load_core.js';
import { menubar } from './menubar.js';
import { listboxId, optionsHtml } from './markup.js';

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
let focusBeforeDialog = null; // where the focus goes back when the failure dialog closes

// The texts the user can change, handed to the core before each handler runs.
function texts() {
  return { first: boxes.First.value, second: boxes.Second.value, answer: boxes.Answer.value, operation: list.value };
}

// What a handler changed, back into the DOM.
function show(view) {
  boxes.First.value = view.first;
  boxes.Second.value = view.second;
  boxes.Answer.value = view.answer;
  if (view.entries) {
    boxes.First.hidden = !view.firstVisible;
    for (const item of document.querySelectorAll('[role=menuitemradio]')) {
      item.setAttribute('aria-checked', String(Number(item.dataset.item) === view.checkedItems[item.dataset.menu]));
    }
    operation.close();
    listbox.innerHTML = optionsHtml(list.id, view.entries);
  }
  showTip();
}

// The tooltip of the chosen entry; and, for screen readers, the core's description of the list
// (the tooltip and the number of entries), which a reader says when the list gets the focus.
function showTip() {
  if (!core) return;
  const tip = core.operationTip(list.value);
  if (tip) list.title = tip;
  else list.removeAttribute('title');
  list.setAttribute('aria-description', core.operationDescription(list.value));
}

// Until the core is there, a change is taken as the browser makes it, to be judged when it is.
const asTyped = (held, start, end, inserted) => ({ outcome: 'taken', text: held.slice(0, start) + inserted + held.slice(end), cursor: start + inserted.length });

// The field hands every change to the core's typing rule for its control.
function judgeTyping(field) {
  judgedField(field, {
    rule: (held, start, end, inserted) => (core ? core.typeIntoControl(field.id, held, start, end, inserted) : asTyped(held, start, end, inserted)),
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
  noteTimer = setTimeout(() => { shown.hidden = true; }, core.look().noteMilliseconds);
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
  const done = core.DoIt(texts());
  show(done);
  // After a failure the region is emptied: the page comes back into the accessibility tree
  // when the dialog closes, and a reader would say the answer before as if it were new.
  say(done.failure ? '' : boxes.Answer.value);
  if (!done.failure) return;
  focusBeforeDialog = document.activeElement;
  byId('failure-caption').textContent = byId('caption').textContent;
  byId('failure-message').textContent = done.failure;
  byId('failure').showModal();
}

// Closes the dialog by OK or Escape, and puts the focus back at once: the dialog's own close
// event comes later, after keys and clicks that may already be on their way.
function closeDialog(event) {
  event.preventDefault();
  byId('failure').close();
  focusBeforeDialog?.focus();
}

// The window's markup and stylesheet, when no build step put them into the page.
async function writeWindow(look) {
  const { windowCss, windowHtml } = await import('./window_html.js');
  const sheet = new CSSStyleSheet();
  sheet.replaceSync(windowCss(look));
  document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
  byId('window').innerHTML = windowHtml(look);
}

// What was typed before the core was there, judged now by its typing rule, key by key.
function judgeTyped(field) {
  if (field.value === field.defaultValue) return;
  let text = '';
  for (const character of field.value) {
    const typed = core.typeIntoControl(field.id, text, text.length, text.length, character);
    if (typed.outcome === 'taken') text = typed.text;
  }
  field.value = text;
}

// Binds behaviour to the window's elements; what needs the core waits for it.
function bind() {
  const client = byId('client');
  boxes = Object.fromEntries([...client.querySelectorAll('input.box')].map((box) => [box.id, box]));
  list = client.querySelector('[role=combobox]');
  listbox = byId(listboxId(list.id));
  doIt = client.querySelector('button.button');
  // Before the boxes' keys: Return in an open popup chooses an entry and presses nothing.
  operation = combobox({ field: list, button: list.nextElementSibling, listbox, chosen: showTip });
  list.addEventListener('input', showTip);
  for (const field of [...Object.values(boxes), list]) judgeTyping(field);
  doIt.addEventListener('click', () => whenReady(pressDoIt));
  menubar(byId('menubar'), {
    chosen: (item) => whenReady(() => show(core.chooseMenuItem(Number(item.dataset.menu), Number(item.dataset.item), texts()))),
    home: () => client.querySelector('input:not([hidden]), button'),
  });
  byId('failure-ok').addEventListener('click', closeDialog);
  byId('failure').addEventListener('cancel', closeDialog);
}

function ready(loaded) {
  core = loaded;
  for (const field of [...Object.values(boxes), list]) judgeTyped(field);
  show(core.Form_Load(texts()));
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
if (byId('client')) {
  bind();
  loading.then(ready, cannotStart);
} else {
  loading.then(async (loaded) => {
    await writeWindow(loaded.look());
    bind();
    ready(loaded);
  }).catch(cannotStart);
}
