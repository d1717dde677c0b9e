// A text field whose every change a rule judges: what is inserted (typed, pasted, dropped)
// before the browser makes the change, anything else (a removal, of an extent only the browser
// knows) once made, as the change from the text held before it, and left as the browser made it
// (with its undo) when the rule takes it. Nothing here knows the rule.
//
//   judgedField(field, {
//     rule: (held, start, end, inserted) => ({ outcome: 'taken' | 'unchanged' | 'tooLong', text, cursor, note }),
//     refused: (note) => ...,   // after a refusal, with the field back as it was
//   });
//
// A change taken in place of the browser's sends an input event of its own (not trusted).

// The change from `before` to `after` as one replacement of [start, end) of `before`.
export function changeBetween(before, after) {
  let start = 0;
  while (start < before.length && start < after.length && before[start] === after[start]) ++start;
  let kept = 0; // code units kept at the end
  while (kept < before.length - start && kept < after.length - start && before.at(-1 - kept) === after.at(-1 - kept)) ++kept;
  return { start, end: before.length - kept, inserted: after.slice(start, after.length - kept) };
}

export function judgedField(field, { rule, refused }) {
  let held = null; // the text and selection before the change
  // `made`: the browser has made the change already (a removal); its caret then stands unless
  // the rule's text differs. A change held back for the rule is made here, caret and all, also
  // when it leaves the text as it was (the same character typed over a selection of it: the
  // rule's outcome 'unchanged', with the caret after the character).
  const judge = (start, end, inserted, made) => {
    const typed = rule(held.text, start, end, inserted);
    if (typed.outcome === 'tooLong') {
      field.value = held.text;
      field.setSelectionRange(held.start, held.end);
      refused(typed.note);
    } else if (!made || typed.text !== field.value) {
      if (typed.text !== field.value) field.value = typed.text;
      field.setSelectionRange(typed.cursor, typed.cursor);
    }
    return typed.outcome === 'taken';
  };
  field.addEventListener('beforeinput', (event) => {
    // An undo or a redo brings back a text the field held; it is the browser's to do.
    if (event.isComposing || event.inputType.startsWith('history')) {
      held = null;
      return;
    }
    held = { text: field.value, start: field.selectionStart, end: field.selectionEnd };
    const inserted = event.data ?? event.dataTransfer?.getData('text/plain') ?? null;
    if (inserted === null) return;
    event.preventDefault();
    if (judge(held.start, held.end, inserted, false)) field.dispatchEvent(new Event('input'));
  });
  field.addEventListener('input', (event) => {
    if (!event.isTrusted || event.isComposing || held === null) return;
    const { start, end, inserted } = changeBetween(held.text, field.value);
    judge(start, end, inserted, true);
    held = null;
  });
}
