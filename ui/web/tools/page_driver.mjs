// The scripted driver's commands (tools/replay.h) carried out on the page as a user does them:
// the menus and the list by mouse and by keys in turn, typing key by key, clicking "Do It!" and
// reading the boxes, the list and the failure dialog back. The script's lines are read, and the
// JSON lines printed, by quillon-replay's own reader and writer (quillon-script.cjs, built with
// the tests), so that the two outputs can be compared byte for byte.
import { createRequire } from 'node:module';

// What the user reads on the page: the boxes, whether First shows, and the failure dialog.
function readPage() {
  const value = (id) => document.getElementById(id).value;
  const dialog = document.getElementById('failure');
  return {
    first: value('First'),
    second: value('Second'),
    answer: value('Answer'),
    operation: value('Operation'),
    firstVisible: document.getElementById('First').checkVisibility(),
    entries: [...document.getElementById('Operation-list').children].map((option) => option.textContent),
    // The mode is the item of "Number of Figures" shown checked.
    mode: [...document.querySelectorAll('#mnuNumO-menu [role=menuitemradio]')].findIndex((item) => item.getAttribute('aria-checked') === 'true') + 1,
    message: dialog.open ? document.getElementById('failure-message').textContent : null,
    caption: dialog.open ? document.getElementById('failure-caption').textContent : null,
  };
}

const centre = (box) => [box.x + box.width / 2, box.y + box.height / 2];
const script = await createRequire(import.meta.url)('./quillon-script.cjs')();

export class PageDriver {
  constructor(page) {
    this.page = page;
    this.turn = 0; // mouse on even turns, keys on odd ones
    this.listed = []; // the list's entries, read again after each menu item: only menus change them
  }

  async readEntries() {
    this.listed = (await this.page.evaluate(readPage)).entries;
  }

  // Where things are: the window does not move, so once is enough.
  async measure() {
    await this.readEntries();
    this.places = await this.page.evaluate(() => {
      const rect = (selector) => {
        const box = document.querySelector(selector).getBoundingClientRect();
        return { x: box.x, y: box.y, width: box.width, height: box.height };
      };
      return {
        First: rect('#First'), Second: rect('#Second'), Answer: rect('#Answer'), DoIt: rect('#DoIt'),
        Operation: rect('#Operation'), arrow: rect('#Operation + button'),
      };
    });
  }

  async click(place) {
    await this.page.mouse.click(...centre(place));
  }

  byMouse() {
    this.turn += 1;
    return this.turn % 2 === 0;
  }

  // A menu item: with the mouse, the menu's title then the item; with the keys, F10 to the menu
  // bar, the arrows to the menu and the item, then Return.
  async menuItem(id) {
    const where = await this.page.evaluate((itemId) => {
      const item = document.getElementById(itemId);
      if (!item) return null;
      const top = item.closest('[role=menu]').previousElementSibling;
      const tops = [...document.querySelectorAll('#menubar > li > [role=menuitem]')];
      const items = [...item.closest('[role=menu]').querySelectorAll('[role^=menuitem]')];
      const box = top.getBoundingClientRect();
      return { top: tops.indexOf(top), item: items.indexOf(item), x: box.x + box.width / 2, y: box.y + box.height / 2 };
    }, id);
    if (!where) throw new Error(`the page has no menu item ${id}`);
    if (this.byMouse()) {
      await this.page.mouse.click(where.x, where.y);
      await this.click(await this.page.evaluate((itemId) => document.getElementById(itemId).getBoundingClientRect().toJSON(), id));
    } else {
      const keyboard = this.page.keyboard;
      await keyboard.press('F10');
      for (let i = 0; i < where.top; ++i) await keyboard.press('ArrowRight');
      await keyboard.press('ArrowDown');
      for (let i = 0; i < where.item; ++i) await keyboard.press('ArrowDown');
      await keyboard.press('Enter');
    }
    await this.readEntries();
  }

  // Empties a box as a user does: into it, select everything, delete.
  async emptyBox(id) {
    await this.click(this.places[id]);
    await this.page.keyboard.press('Control+A');
    await this.page.keyboard.press('Delete');
  }

  async typeKeys(text) {
    if (/\p{Cc}/u.test(text)) throw new Error(`no key types ${JSON.stringify(text)}`);
    await this.page.keyboard.type(text);
  }

  // Types into a box, emptied first (type) or over its whole text selected, as Tab leaves it
  // (keys). Nobody can click a hidden box (First in one-number mode), so there the keys' text
  // reaches it as the browser would deliver it, one character at a time, to the page's own
  // handler of typed text.
  async typeInto(id, text, emptied) {
    const visible = await this.page.evaluate((box) => document.getElementById(box).checkVisibility(), id);
    if (visible) {
      await this.click(this.places[id]);
      await this.page.keyboard.press('Control+A');
      if (emptied) await this.page.keyboard.press('Delete');
      await this.typeKeys(text);
      return;
    }
    await this.page.evaluate(([box, typed, empty]) => {
      const field = document.getElementById(box);
      if (empty) field.value = '';
      field.select();
      for (const character of typed) {
        field.dispatchEvent(new InputEvent('beforeinput', { inputType: 'insertText', data: character, cancelable: true }));
      }
    }, [id, text, emptied]);
  }

  // Chooses entry `index` of the list: with the mouse, the arrow and the entry; with the keys,
  // into the field, then Down or Up from the nearer end of the list, then Return.
  async chooseEntry(index, count) {
    if (this.byMouse()) {
      await this.click(this.places.arrow);
      const box = await this.page.evaluate((at) => {
        const option = document.getElementById('Operation-list').children[at];
        option.scrollIntoView({ block: 'nearest' });
        return option.getBoundingClientRect().toJSON();
      }, index);
      await this.click(box);
      return;
    }
    await this.click(this.places.Operation);
    const down = index < count - index;
    const presses = down ? index + 1 : count - index;
    for (let i = 0; i < presses; ++i) await this.page.keyboard.press(down ? 'ArrowDown' : 'ArrowUp');
    await this.page.keyboard.press('Enter');
  }

  // The entries of the list, and the one its popup shows chosen when opened by its button.
  async entries() {
    await this.click(this.places.arrow);
    const index = await this.page.evaluate(() =>
      [...document.getElementById('Operation-list').children].findIndex((o) => o.getAttribute('aria-selected') === 'true'));
    await this.page.keyboard.press('Escape');
    return index;
  }

  // Presses "Do It!", reads the boxes and the dialog, and closes the dialog, if one opened.
  async doIt() {
    await this.click(this.places.DoIt);
    const read = await this.page.evaluate(readPage);
    if (read.message !== null) {
      if (read.caption !== 'Quillon') throw new Error(`the failure dialog is titled ${read.caption}`);
      if (this.byMouse()) {
        await this.click(await this.page.evaluate(() => document.getElementById('failure-ok').getBoundingClientRect().toJSON()));
      } else {
        await this.page.keyboard.press('Enter');
      }
    }
    const printed = script.clickLine(read, read.message);
    if (printed === null) throw new Error(`the failure dialog says ${JSON.stringify(read.message)}, which names no failure`);
    return printed;
  }

  // The state line, from the page; the entry the list's popup shows chosen must be the one the
  // line names.
  async state() {
    const shownIndex = await this.entries();
    const read = await this.page.evaluate(readPage);
    const line = script.stateLine(read.mode, read);
    const { index } = JSON.parse(line);
    if (shownIndex !== index) throw new Error(`the list's popup shows entry ${shownIndex} chosen, not ${index}: ${line}`);
    return line;
  }

  // Carries out one line of a script; returns the line it prints, or null.
  async run(line) {
    const command = script.readLine(line, { first: '', second: '', answer: '', operation: '', firstVisible: true, entries: this.listed });
    switch (command.kind) {
      case 'none':
        return null;
      case 'error':
        return command.text;
      case 'num':
      case 'add':
        await this.menuItem(`${command.kind === 'num' ? 'mnuNum' : 'mnuAdd'}${command.number}`);
        return null;
      case 'set':
        await this.page.evaluate(([id, written]) => { document.getElementById(id).value = written; }, [command.box, command.text]);
        return null;
      case 'type':
      case 'keys':
        await this.typeInto(command.box, command.text, command.kind === 'type');
        return null;
      case 'select':
        if (command.number === -1) await this.emptyBox('Operation');
        else await this.chooseEntry(command.number, this.listed.length);
        return null;
      case 'edit':
        await this.emptyBox('Operation');
        await this.typeKeys(command.text);
        await this.page.keyboard.press('Escape'); // closes the suggestions, if any show
        return null;
      case 'click':
        return this.doIt();
      default:
        return this.state();
    }
  }
}
