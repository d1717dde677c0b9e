// A text field whose every change a rule judges: what is inserted (typed, pasted, dropped)
// before the browser makes the change, anything else (a removal, of an extent only the browser
// knows) once made, and left as the browser made it (with its undo) when the rule takes it. The
// rule is given the text and selection held before the change and the text and cursor after it,
// and finds what the change replaced itself. Nothing here knows the rule.
//
//   judgedField(field, {
//     rule: (held, start, end, changed, cursor) => ({ outcome: 'taken' | 'unchanged' | 'tooLong', text, cursor, note }),
//     refused: (note) => ...,   // after a refusal, with the field back as it was
//   });
//
// A change taken in place of the browser's sends an input event of its own (not trusted).
export function judgedField(field, { rule, refused }) {
  let held = null; // the text and selection before the change
  // `made`: the browser has made the change already (a removal); its caret then stands unless
  // the rule's text differs. A change held back for the rule is made here, caret and all, also
  // when the text stays the same (the same character typed over a selection of it).
  const judge = (changed, cursor, made) => {
    const typed = rule(held.text, held.start, held.end, changed, cursor);
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
    const changed = held.text.slice(0, held.start) + inserted + held.text.slice(held.end);
    if (judge(changed, held.start + inserted.length, false)) field.dispatchEvent(new Event('input'));
  });
  field.addEventListener('input', (event) => {
    if (!event.isTrusted || event.isComposing || held === null) return;
    judge(field.value, field.selectionEnd, true);
    held = null;
  });
}
