// What a screen reader learns of a one-line text box (First, Second, Answer and the list's edit
// field): its text, caret, selection and the characters' places, as the toolkit's own line-edit
// interface gives them, but with one run of text attributes covering the whole text. Qt 6.4's
// line edits report an empty run at every offset (start and end both at the offset), and a
// screen reader that trusts the run cuts the last character off the line it reads: "3.5" is
// heard as "3.", "0" as nothing.
// The same factory exposes the window's black line as a separator rather than a nameless frame.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace quillon {

class BoxAccessible final : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit BoxAccessible(QLineEdit* box);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;

    // The text interface.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // The editable text interface.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

    // Lets the accessibility framework use this interface for every line edit of the program,
    // and a separator's for the black line; once.
    static void install();

private:
    QLineEdit* box() const;
};

}  // namespace quillon
