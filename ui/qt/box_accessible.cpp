#include "box_accessible.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLineEdit>
#include <QVariant>

namespace quillon {

namespace {

QAccessibleInterface* forBoxesAndLine(const QString& className, QObject* object) {
    if (className == QLatin1String("QLineEdit")) {
        return new BoxAccessible(static_cast<QLineEdit*>(object));
    }
    // The black line is a plain frame, the only one in the window.
    if (className == QLatin1String("QFrame") && object->metaObject() == &QFrame::staticMetaObject) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    }
    return nullptr;
}

}  // namespace

BoxAccessible::BoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

QLineEdit* BoxAccessible::box() const {
    return static_cast<QLineEdit*>(widget());
}

void* BoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    switch (type) {
        case QAccessible::TextInterface:
            return static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface:
            return static_cast<QAccessibleEditableTextInterface*>(this);
        default:
            return QAccessibleWidget::interface_cast(type);
    }
}

QAccessible::State BoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !box()->isReadOnly();
    state.readOnly = box()->isReadOnly();
    state.selectableText = true;
    return state;
}

QString BoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return box()->text();
    }
    return QAccessibleWidget::text(t);
}

void BoxAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    replaceText(0, characterCount(), text);
}

void BoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && box()->hasSelectedText()) {
        *startOffset = box()->selectionStart();
        *endOffset = *startOffset + box()->selectionLength();
    }
}

int BoxAccessible::selectionCount() const {
    return box()->hasSelectedText() ? 1 : 0;
}

void BoxAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void BoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        box()->deselect();
    }
}

void BoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        box()->setSelection(startOffset, endOffset - startOffset);
    }
}

int BoxAccessible::cursorPosition() const {
    return box()->cursorPosition();
}

void BoxAccessible::setCursorPosition(int position) {
    box()->setCursorPosition(position);
}

QString BoxAccessible::text(int startOffset, int endOffset) const {
    if (endOffset < 0) {
        endOffset = characterCount();
    }
    return box()->text().mid(startOffset, endOffset - startOffset);
}

int BoxAccessible::characterCount() const {
    return static_cast<int>(box()->text().size());
}

QRect BoxAccessible::characterRect(int offset) const {
    const QString shown = box()->text();
    if (offset < 0 || offset >= shown.size()) {
        return {};
    }
    // The caret's place is the one place on the line the box tells; the others are measured
    // from it, which keeps the box's scrolling and margins.
    const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QFontMetrics metrics = box()->fontMetrics();
    const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(box()->cursorPosition()));
    const QRect character(x, caret.y(), metrics.horizontalAdvance(shown.mid(offset, 1)),
                          caret.height());
    return character.translated(box()->mapToGlobal(QPoint(0, 0)));
}

int BoxAccessible::offsetAtPoint(const QPoint& point) const {
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void BoxAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
    box()->setCursorPosition(startIndex);
}

// The correction: the toolkit's line edit answers an empty run (offset to offset); a box has
// no attributes, so one run of none covers its whole text.
QString BoxAccessible::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

// Edits from assistive technology go through the box's typing rule, as typing does.
void BoxAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void BoxAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void BoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (startOffset == endOffset && text.isEmpty()) {
        return;
    }
    box()->setSelection(startOffset, endOffset - startOffset);
    if (text.isEmpty()) {
        box()->del();
    } else {
        box()->insert(text);
    }
}

void BoxAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(forBoxesAndLine);
        return true;
    }();
    (void)installed;
}

}  // namespace quillon
