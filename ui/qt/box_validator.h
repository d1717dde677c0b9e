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

    // Takes the text the program is about to write as the text held before, so that the box
    // does not judge it as typing.
    void hold(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    void noteSelection();
    void refuse(bool withNote) const;

    QLineEdit* edit_;
    std::size_t limit_;
    QString held_;
    qsizetype selectionStart_ = 0;
    qsizetype selectionEnd_ = 0;
};

}  // namespace quillon
