#include "box_validator.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolTip>
#include <algorithm>
#include <string>

#include "typing.h"

namespace quillon {

namespace {

qsizetype commonPrefix(const QString& a, const QString& b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a.at(n) == b.at(n)) {
        ++n;
    }
    return n;
}

qsizetype commonSuffix(const QString& a, const QString& b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a.at(a.size() - 1 - n) == b.at(b.size() - 1 - n)) {
        ++n;
    }
    return n;
}

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
    const auto [prefix, suffix] = replaced(input, pos);
    const QStringView inserted = QStringView(input).sliced(prefix, input.size() - suffix - prefix);
    const TypedText typed =
        typeInto(units(held_), static_cast<std::size_t>(prefix),
                 static_cast<std::size_t>(held_.size() - suffix), units(inserted), limit_);
    switch (typed.outcome) {
        case TypedText::Outcome::TooLong:
            refuse(showsTooLongNote(typed, units(inserted)));
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

std::pair<qsizetype, qsizetype> BoxValidator::replaced(const QString& input, int pos) const {
    // Typing, pasting and dropping replace the selection, or insert at the cursor.
    const qsizetype suffix = held_.size() - selectionEnd_;
    if (selectionStart_ <= selectionEnd_ && selectionEnd_ <= held_.size() &&
        selectionStart_ + suffix <= input.size() &&
        QStringView(input).first(selectionStart_) == QStringView(held_).first(selectionStart_) &&
        QStringView(input).last(suffix) == QStringView(held_).last(suffix)) {
        return {selectionStart_, suffix};
    }
    // A removal from one place (a key, a cut, a drop moving text out): the held text's start
    // and end that the input keeps, with nothing inserted between them.
    const qsizetype prefix = commonPrefix(held_, input);
    if (input.size() < held_.size() && prefix + commonSuffix(held_, input) >= input.size()) {
        return {prefix, input.size() - prefix};
    }
    // Anything else (an undo, a drop moving text): the longest common start and end, with the
    // inserted text ending at the cursor.
    const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
    qsizetype end = std::min(commonSuffix(held_, input), input.size() - cursor);
    qsizetype start =
        std::min({commonPrefix(held_, input), held_.size() - end, input.size() - end});
    if (start > 0 && input.at(start - 1).isHighSurrogate()) {
        --start;
    }
    if (end > 0 && input.at(input.size() - end).isLowSurrogate()) {
        --end;
    }
    return {start, end};
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
