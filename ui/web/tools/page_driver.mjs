// The scripted driver's commands (tools/replay.h) carried out on the page as a user does them:
// the menus and the list by mouse and by keys in turn, typing key by key, clicking "Do It!" and
// reading the boxes, the list and the failure dialog back. It prints what quillon-replay prints,
// so that the two outputs can be compared byte for byte.

// A text as quillon-replay writes it in JSON: only quotes, backslashes and control characters
// are escaped.
export function jsonString(text) {
  const named = { '"': '\\"', '\\': '\\\\', '\n': '\\n', '\r': '\\r', '\t': '\\t' };
  // eslint-disable-next-line no-control-regex -- control characters are what JSON escapes
  return `"${text.replace(/["\\\u0000-\u001f]/g, (c) => named[c] ?? `\\u${c.charCodeAt(0).toString(16).padStart(4, '0')}`)}"`;
}

const boxesJson = (boxes) =>
  `"first": ${jsonString(boxes.first)}, "second": ${jsonString(boxes.second)}, "answer": ${jsonString(boxes.answer)}`;

// What the user reads on the page: the boxes, whether First shows, and the failure dialog.
function readPage() {
  const value = (id) => document.getElementById(id).value;
  const dialog = document.getElementById('failure');
  return {
    first: value('First'),
    second: value('Second'),
    answer: value('Answer'),
    firstVisible: document.getElementById('First').checkVisibility(),
    message: dialog.open ? document.getElementById('failure-message').textContent : null,
    caption: dialog.open ? document.getElementById('failure-caption').textContent : null,
  };
}

const centre = (box) => [box.x + box.width / 2, box.y + box.height / 2];

export class PageDriver {
  constructor(page) {
    this.page = page;
    this.turn = 0; // mouse on even turns, keys on odd ones
  }

  // Where things are: the window does not move, so once is enough.
  async measure() {
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
    if (!where) return false;
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
    return true;
  }

  // Empties a box as a user does: into it, select everything, delete.
  async emptyBox(id) {
    await this.click(this.places[id]);
    await this.page.keyboard.press('Control+A');
    await this.page.keyboard.press('Delete');
  }

  async typeKeys(text) {
    // eslint-disable-next-line no-control-regex -- no key types a control character
    if (/[\u0000-\u001f\u007f-\u009f]/.test(text)) throw new Error(`no key types ${jsonString(text)}`);
    await this.page.keyboard.type(text);
  }

  // Types into a box. Nobody can click a hidden box (First in one-number mode), so there the
  // keys' text reaches it as the browser would deliver it, one character at a time, to the
  // page's own handler of typed text.
  async typeInto(id, text) {
    const visible = await this.page.evaluate((box) => document.getElementById(box).checkVisibility(), id);
    if (visible) {
      await this.emptyBox(id);
      await this.typeKeys(text);
      return;
    }
    await this.page.evaluate(([box, typed]) => {
      const field = document.getElementById(box);
      field.value = '';
      for (const character of typed) {
        field.dispatchEvent(new InputEvent('beforeinput', { inputType: 'insertText', data: character, cancelable: true }));
      }
    }, [id, text]);
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

  async entries() {
    await this.click(this.places.arrow);
    const listed = await this.page.evaluate(() => {
      const options = [...document.getElementById('Operation-list').children];
      return { names: options.map((o) => o.textContent), index: options.findIndex((o) => o.getAttribute('aria-selected') === 'true') };
    });
    await this.page.keyboard.press('Escape');
    return listed;
  }

  // Presses "Do It!", reads the boxes and the dialog, and closes the dialog, if one opened.
  async doIt() {
    await this.click(this.places.DoIt);
    const read = await this.page.evaluate(readPage);
    let failure = 'null';
    if (read.message !== null) {
      if (read.caption !== 'Quillon') throw new Error(`the failure dialog is titled ${read.caption}`);
      // The message starts with the failure's title: "Type mismatch: ...".
      failure = jsonString(read.message.slice(0, read.message.indexOf(': ')).toLowerCase());
      if (this.byMouse()) {
        await this.click(await this.page.evaluate(() => document.getElementById('failure-ok').getBoundingClientRect().toJSON()));
      } else {
        await this.page.keyboard.press('Enter');
      }
    }
    return `{${boxesJson(read)}, "failure": ${failure}}`;
  }

  async state() {
    const { names, index } = await this.entries();
    const read = await this.page.evaluate(readPage);
    const mode = read.firstVisible ? 2 : 1;
    return `{"mode": ${mode}, "firstVisible": ${read.firstVisible}, "entries": [${names.map(jsonString).join(', ')}], "index": ${index}, ${boxesJson(read)}}`;
  }

  // Carries out one line of a script; returns the line it prints, or nothing.
  async run(rawLine) {
    const line = rawLine.endsWith('\r') ? rawLine.slice(0, -1) : rawLine;
    if (line === '' || line.startsWith('#') || /^[ \t]*$/.test(line)) return null;
    const space = line.indexOf(' ');
    const word = space < 0 ? line : line.slice(0, space);
    const argument = space < 0 ? '' : line.slice(space + 1);
    const failed = () => `{"error": ${jsonString(`cannot carry out "${line}" on the page`)}}`;
    if (word === 'num' || word === 'add') {
      return (await this.menuItem(`${word === 'num' ? 'mnuNum' : 'mnuAdd'}${argument}`)) ? null : failed();
    }
    if (word === 'set' || word === 'type') {
      const boxSpace = argument.indexOf(' ');
      const box = boxSpace < 0 ? argument : argument.slice(0, boxSpace);
      const text = boxSpace < 0 ? '' : argument.slice(boxSpace + 1);
      if (!['First', 'Second', 'Answer'].includes(box)) return failed();
      if (word === 'set') {
        await this.page.evaluate(([id, written]) => { document.getElementById(id).value = written; }, [box, text]);
      } else {
        await this.typeInto(box, text);
      }
      return null;
    }
    if (word === 'select' || word === 'index') {
      const names = await this.page.evaluate(() => [...document.getElementById('Operation-list').children].map((o) => o.textContent));
      const index = word === 'select' ? names.indexOf(argument) : /^-?\d+$/.test(argument) ? Number(argument) : NaN;
      if (index === -1 && word === 'index') {
        await this.emptyBox('Operation');
      } else if (index >= 0 && index < names.length) {
        await this.chooseEntry(index, names.length);
      } else {
        return failed();
      }
      return null;
    }
    if (word === 'edit') {
      await this.emptyBox('Operation');
      await this.typeKeys(argument);
      await this.page.keyboard.press('Escape'); // closes the suggestions, if any show
      return null;
    }
    if (line === 'click') return this.doIt();
    if (line === 'state') return this.state();
    return failed();
  }
}
