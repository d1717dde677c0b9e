#include "form1.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "answer_announcer.h"
#include "box_accessible.h"
#include "box_validator.h"
#include "choice_item_accessible.h"
#include "client_area.h"
#include "driver.h"
#include "handlers.h"
#include "look.h"
#include "menu_bar.h"
#include "operation_box.h"
#include "qt_text.h"

namespace quillon {

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(windowLook().caption));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillon-16.png"));
    icon.addFile(QStringLiteral(":/icons/quillon-32.png"));
    setWindowIcon(icon);
    // What screen readers learn of the boxes, the line and the mode items.
    BoxAccessible::install();
    ChoiceItemAccessible::install();
    reporter_ = [this](const Failure& failure) {
        // The message quotes what the user typed, which may look like markup: show it as
        // plain text, character for character.
        QMessageBox box(QMessageBox::Warning, toQString(windowLook().caption),
                        toQString(failureMessage(failure)), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    buildControls();
    connectControls();
    menus_ = new MenuBar(this, operation_, [this](const MenuLook& menu, std::int16_t index) {
        menu.click(*this, numberMode_, index);
        menus_->showMode(numberMode_);
    });
    setMenuBar(menus_);
    connectKeys();
    // The window keeps the size of its menu bar and client area: nothing moves when the
    // desktop tries to resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fitToText();
    Form_Load(*this, numberMode_);
    menus_->showMode(numberMode_);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    client_ = new ClientArea(this);
    setCentralWidget(client_);
    operation_ = client_->control<OperationBox>("Operation");
    doIt_ = client_->control<QPushButton>("DoIt");
    for (const Box which : {Box::First, Box::Second, Box::Answer}) {
        const auto index = static_cast<std::size_t>(which);
        boxes_[index] = client_->control<QLineEdit>(boxName(which));
        validators_[index] =
            boxes_[index]->findChild<BoxValidator*>(QString(), Qt::FindDirectChildrenOnly);
    }
    announcer_ = new AnswerAnnouncer(this);
}

void Form1::fitToText() {
    fitPending_ = false;
    client_->fitToText(menus_->neededWidth());
}

double Form1::layoutScale() const {
    return client_->scale().factor();
}

void Form1::connectControls() {
    connect(operation_, &QComboBox::editTextChanged, this, &Form1::showOperationTip);
    connect(doIt_, &QPushButton::clicked, this, &Form1::pressDoIt);

    // Return and Enter press "Do It!" from the boxes, the list's edit field and the button
    // itself, as a dialog's default button would be pressed.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             boxes_[0], boxes_[1], boxes_[2], operation_, operation_->lineEdit(), doIt_}) {
        widget->installEventFilter(this);
    }
}

void Form1::connectKeys() {
    // The platform's Quit key, and Ctrl+Q where the platform has none, closes the window,
    // which ends the program.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (const QKeySequence ctrlQ(Qt::CTRL | Qt::Key_Q); !quitKeys.contains(ctrlQ)) {
        quitKeys.append(ctrlQ);
    }
    auto* quit = new QShortcut(this);
    quit->setKeys(quitKeys);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void Form1::setFailureReporter(FailureReporter reporter) {
    reporter_ = std::move(reporter);
}

QAction* Form1::menuItem(std::size_t menu, int index) const {
    return menus_->item(menu, index);
}

QLineEdit* Form1::box(Box which) const {
    return boxes_[static_cast<std::size_t>(which)];
}

std::string Form1::text(Box which) const {
    return toStdString(box(which)->text());
}

void Form1::setText(Box which, const std::string& text) {
    validators_[static_cast<std::size_t>(which)]->write(toQString(text));
}

bool Form1::firstVisible() const {
    return !box(Box::First)->isHidden();
}

void Form1::setFirstVisible(bool visible) {
    box(Box::First)->setVisible(visible);
}

int Form1::listCount() const {
    return operation_->count();
}

std::string Form1::editText() const {
    return toStdString(operation_->currentText());
}

std::string Form1::entryText(int index) const {
    return toStdString(operation_->itemText(index));
}

void Form1::addItem(const std::string& text) {
    operation_->appendEntry(toQString(text), toQString(operationTip(text, modeOf(numberMode_))));
}

void Form1::removeEntry(int index) {
    operation_->removeEntry(index);
}

void Form1::showOperationTip() {
    const std::string_view tip =
        operationTip(toStdString(operation_->currentText()), modeOf(numberMode_));
    operation_->setToolTip(toQString(tip));
}

void Form1::pressDoIt() {
    // The evaluator stops at a failure and leaves the boxes as its steps left them; the
    // window reports it and goes on.
    if (const std::optional<Failure> failure = quillon::DoIt_Click(*this, numberMode_)) {
        reporter_(*failure);
    } else {
        // A screen reader says the answer, wherever the focus is; a failure's message box is
        // spoken by itself.
        announcer_->announce(box(Box::Answer)->text());
    }
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The window has a fixed size, so it fits its text again when the desktop's font or style
    // changes. A new font has reached every widget inside when the window hears of it; a new
    // style reaches the widgets one by one, so the fit waits for the event loop.
    if (event->type() == QEvent::FontChange) {
        fitToText();
    } else if (event->type() == QEvent::StyleChange && !fitPending_) {
        fitPending_ = true;
        QMetaObject::invokeMethod(this, &Form1::fitToText, Qt::QueuedConnection);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            doIt_->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillon
