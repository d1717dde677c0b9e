#include "window_target.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "form1.h"

namespace quillon {

namespace {

// Empties a field as a user would: select everything, then delete it.
void emptyByKeys(QLineEdit* edit) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
}

// Types a text one key per character (code point), as a keyboard delivers it.
void typeByKeys(QLineEdit* edit, const std::string& text) {
    const QString typed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (qsizetype at = 0; at < typed.size();) {
        const qsizetype units = typed.at(at).isHighSurrogate() && at + 1 < typed.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, typed.mid(at, units),
                            Qt::NoModifier);
        at += units;
    }
}

}  // namespace

WindowTarget::WindowTarget() : form_(std::make_unique<Form1>()) {
    form_->setFailureReporter([this](const Failure& failure) { reported_ = failure; });
    form_->show();
}

WindowTarget::~WindowTarget() = default;

void WindowTarget::chooseNumberItem(std::int16_t index) {
    form_->numberMenuItem(index)->trigger();
}

void WindowTarget::chooseAddItem(std::int16_t index) {
    form_->addMenuItem(index)->trigger();
}

void WindowTarget::setText(Box box, const std::string& text) {
    form_->setText(box, text);
}

void WindowTarget::typeText(Box box, const std::string& text) {
    QLineEdit* edit = boxEdit(box);
    emptyByKeys(edit);
    typeByKeys(edit, text);
}

void WindowTarget::typeOverText(Box box, const std::string& text) {
    QLineEdit* edit = boxEdit(box);
    edit->selectAll();
    typeByKeys(edit, text);
}

QLineEdit* WindowTarget::boxEdit(Box box) const {
    return form_->findChild<QLineEdit*>(QLatin1String(boxName(box).data(), boxName(box).size()));
}

void WindowTarget::selectIndex(int index) {
    form_->findChild<QComboBox*>(QStringLiteral("Operation"))->setCurrentIndex(index);
}

void WindowTarget::editOperation(const std::string& text) {
    QLineEdit* edit = form_->findChild<QComboBox*>(QStringLiteral("Operation"))->lineEdit();
    emptyByKeys(edit);
    typeByKeys(edit, text);
}

std::optional<Failure> WindowTarget::pressDoIt() {
    reported_.reset();
    QTest::mouseClick(form_->findChild<QPushButton*>(QStringLiteral("DoIt")), Qt::LeftButton);
    return reported_;
}

const Controls& WindowTarget::controls() const {
    return *form_;
}

std::int16_t WindowTarget::numberMode() const {
    return form_->numberMode();
}

}  // namespace quillon
