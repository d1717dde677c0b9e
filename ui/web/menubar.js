// A menu bar (the ARIA menubar pattern) on elements already in the document: the bar holds
// items (role none), each with a menu's title (role menuitem) followed by its menu (role menu)
// of items (role menuitem or menuitemradio). The mouse leaves the focus where it is; the keyboard
// reaches the bar by Tab or F10 and goes back where it came from. Nothing here knows what the
// items do.
//
//   menubar(bar, { chosen: (item) => ..., home: () => the element to focus when none is known });
export function menubar(bar, { chosen, home }) {
  const titles = [...bar.querySelectorAll(':scope > li > [role=menuitem]')];
  const menuOf = (title) => title.nextElementSibling;
  const itemsOf = (title) => [...menuOf(title).querySelectorAll('[role^=menuitem]')];
  const isOpen = () => titles.some((title) => !menuOf(title).hidden);
  let returnFocus = null; // where the focus was before the menu bar took it

  function closeMenus() {
    for (const title of titles) {
      title.setAttribute('aria-expanded', 'false');
      menuOf(title).hidden = true;
    }
  }

  // Opens a menu, with the focus on its item at `focus` (-1: the last), or where it is.
  function openMenu(title, focus) {
    closeMenus();
    title.setAttribute('aria-expanded', 'true');
    menuOf(title).hidden = false;
    for (const other of titles) other.tabIndex = other === title ? 0 : -1;
    if (focus !== undefined) itemsOf(title).at(focus).focus();
    else if (bar.contains(document.activeElement)) title.focus();
  }

  // The focus leaves the menu bar for the element it came from, or `home`.
  function leave() {
    if (!bar.contains(document.activeElement)) return;
    const back = returnFocus?.isConnected && returnFocus.checkVisibility() ? returnFocus : null;
    (back ?? home()).focus();
    returnFocus = null;
  }

  function onKey(event) {
    const title = titles.find((t) => t === event.target || menuOf(t).contains(event.target));
    const inMenu = event.target !== title;
    const side = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
    const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    const items = itemsOf(title);
    if (side) {
      const next = titles.at((titles.indexOf(title) + side) % titles.length);
      if (inMenu || isOpen()) openMenu(next, 0);
      else next.focus();
    } else if (step && !inMenu) {
      openMenu(title, step > 0 ? 0 : -1);
    } else if (step) {
      items.at((items.indexOf(event.target) + step) % items.length).focus();
    } else if (inMenu && (event.key === 'Home' || event.key === 'End')) {
      items.at(event.key === 'Home' ? 0 : -1).focus();
    } else if (event.key === 'Escape' && inMenu) {
      closeMenus();
      title.focus();
    } else if (event.key === 'Escape') {
      leave();
    } else {
      return;
    }
    event.preventDefault();
  }

  for (const title of titles) {
    // A click from the keyboard (Return, Space) also puts the focus on the first item.
    title.addEventListener('click', (event) => (menuOf(title).hidden ? openMenu(title, event.detail ? undefined : 0) : closeMenus()));
    title.addEventListener('mouseenter', () => isOpen() && openMenu(title));
    for (const item of itemsOf(title)) {
      item.addEventListener('click', () => {
        chosen(item);
        leave();
        closeMenus();
      });
    }
  }
  bar.addEventListener('mousedown', (event) => event.preventDefault());
  bar.addEventListener('keydown', onKey);
  bar.addEventListener('focusin', (event) => {
    if (!bar.contains(event.relatedTarget)) returnFocus = event.relatedTarget;
  });
  bar.addEventListener('focusout', (event) => bar.contains(event.relatedTarget) || closeMenus());
  document.addEventListener('pointerdown', (event) => bar.contains(event.target) || closeMenus());
  document.addEventListener('keydown', (event) => {
    if (event.key === 'F10' && !bar.contains(document.activeElement)) {
      event.preventDefault();
      titles[0].focus();
    }
  });
}
