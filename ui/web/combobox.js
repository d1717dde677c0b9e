// An editable combobox with a list popup (the ARIA combobox pattern), on elements already in the
// document: a text field (role combobox), a button that opens the popup, and the popup (role
// listbox) whose children are the options, which the caller may replace at any time. Typing
// suggests the options that start with the field's text; the arrow keys and the mouse choose
// one, which puts its text into the field. Nothing here knows what the options mean.
//
//   const list = combobox({ field, button, listbox, chosen: (text) => ... });
//   list.close();
//
// Its keys run before any other keydown listener added later on the field, and take Return while
// the popup is open (preventDefault), so that a later listener can leave such a Return alone.
export function combobox({ field, button, listbox, chosen = () => {} }) {
  const options = () => [...listbox.children];
  const shown = () => options().filter((option) => !option.hidden);
  const named = (text) => options().find((option) => option.textContent === text) ?? null;
  const active = () => options().find((option) => option.id === field.getAttribute('aria-activedescendant')) ?? null;

  function focusOption(option) {
    active()?.removeAttribute('aria-selected');
    if (!option) return field.removeAttribute('aria-activedescendant');
    option.setAttribute('aria-selected', 'true');
    field.setAttribute('aria-activedescendant', option.id);
    option.scrollIntoView({ block: 'nearest' });
  }

  function setExpanded(expanded) {
    listbox.hidden = !expanded;
    for (const expands of [field, button]) expands.setAttribute('aria-expanded', String(expanded));
  }

  function close() {
    setExpanded(false);
    focusOption(null);
  }

  // Opens the popup with the options that start with `start` (case aside), the visual focus on
  // `option`; with no such option it stays closed.
  function open(start, option) {
    const wanted = start.toLowerCase();
    for (const each of options()) each.hidden = !each.textContent.toLowerCase().startsWith(wanted);
    if (shown().length === 0) return close();
    setExpanded(true);
    focusOption(option);
  }

  function choose(option) {
    field.value = option.textContent;
    close();
    chosen(field.value);
    field.focus();
  }

  function onKey(event) {
    const isOpen = !listbox.hidden;
    const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    if (step && event.altKey) {
      if (step > 0 && !isOpen) open('', named(field.value));
      else if (step < 0 && isOpen) close();
    } else if (step && !isOpen) {
      open('', null);
      focusOption(step > 0 ? listbox.firstElementChild : listbox.lastElementChild);
    } else if (step) {
      const at = shown().indexOf(active());
      const next = at >= 0 ? at + step : step > 0 ? 0 : -1;
      focusOption(shown().at(next % shown().length));
    } else if (event.key === 'Enter' && isOpen) {
      if (active()) choose(active());
      else close();
    } else if (event.key === 'Escape' && isOpen) {
      close();
    } else {
      return;
    }
    event.preventDefault();
  }

  field.addEventListener('keydown', onKey);
  field.addEventListener('input', () => {
    if (field.value) open(field.value, null);
    else close();
  });
  field.addEventListener('blur', close);
  // The popup and its button leave the focus in the field.
  for (const part of [button, listbox]) part.addEventListener('mousedown', (event) => event.preventDefault());
  button.addEventListener('click', () => {
    if (listbox.hidden) open('', named(field.value));
    else close();
    field.focus();
  });
  listbox.addEventListener('click', (event) => {
    const option = event.target.closest('[role=option]');
    if (option) choose(option);
  });
  return { close };
}
