// The validator of a text box: it tells the typing rule (typing.h) what the user's change
// replaced and what it inserted, and gives the box what the rule leaves. A change refused for
// its length beeps; a refused paste or drop also shows a note below the box for a few seconds.
#pragma once

#include <QValidator>
#include <cstddef>

class QLineEdit;

namespace quillon {

class BoxValidator final : public QValidator {
public:
    // `limit` in UTF-16 code units; kNoTypingLimit for none.
    BoxValidator(QLineEdit* edit, std::size_t limit);

    // Writes `text` into the box as the program does: held as the box's text before the box
    // asks about it, so that it is never judged as typing, and so never cut.
    void write(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    // The box's text, against which the next change is judged.
    void hold(const QString& text);
    void noteSelection();
    void refuse(bool withNote) const;

    QLineEdit* edit_;
    std::size_t limit_;
    mutable QString held_;  // validate() holds the text the rule put in place of a change
    qsizetype selectionStart_ = 0;
    qsizetype selectionEnd_ = 0;
};

}  // namespace quillon
