#include "box_validator.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolTip>
#include <algorithm>
#include <string>

#include "typing.h"

namespace quillon {

namespace {

std::u16string_view units(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

BoxValidator::BoxValidator(QLineEdit* edit, std::size_t limit)
    : QValidator(edit), edit_(edit), limit_(limit), held_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, &BoxValidator::hold);
    connect(edit, &QLineEdit::selectionChanged, this, &BoxValidator::noteSelection);
    connect(edit, &QLineEdit::cursorPositionChanged, this, &BoxValidator::noteSelection);
    noteSelection();
}

void BoxValidator::write(const QString& text) {
    hold(text);
    edit_->setText(text);
}

void BoxValidator::hold(const QString& text) {
    held_ = text;
}

QValidator::State BoxValidator::validate(QString& input, int& pos) const {
    // The box also asks about the text it holds, unchanged: that stays acceptable.
    if (input == held_) {
        return Acceptable;
    }
    const auto [typed, showsNote] =
        judgeChange(units(held_), static_cast<std::size_t>(selectionStart_),
                    static_cast<std::size_t>(selectionEnd_), units(input),
                    static_cast<std::size_t>(std::max(pos, 0)), limit_);
    switch (typed.outcome) {
        case TypedText::Outcome::TooLong:
            refuse(showsNote);
            // The box takes the change back whole.
            return Invalid;
        case TypedText::Outcome::Unchanged:
            return Invalid;
        case TypedText::Outcome::Taken:
            break;
    }
    if (units(input) != typed.text) {
        input = QString::fromUtf16(typed.text.data(), static_cast<qsizetype>(typed.text.size()));
        pos = static_cast<int>(typed.cursor);
        // The box puts the rule's text in and asks about it once more: it is the rule's own,
        // already judged, and held so that it is not judged again as a change of its own.
        held_ = input;
    }
    return Acceptable;
}

void BoxValidator::refuse(bool withNote) const {
    QApplication::beep();
    if (withNote) {
        // Below the box, where the eye is, for a few seconds.
        const std::string note = tooLongNote(limit_);
        QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())),
                           QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size())),
                           edit_, QRect(), kTooLongNoteMilliseconds);
    }
}

void BoxValidator::noteSelection() {
    if (edit_->hasSelectedText()) {
        selectionStart_ = edit_->selectionStart();
        selectionEnd_ = edit_->selectionEnd();
    } else {
        selectionStart_ = selectionEnd_ = edit_->cursorPosition();
    }
}

}  // namespace quillon
