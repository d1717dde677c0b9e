#include "form1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "answer_announcer.h"
#include "box_accessible.h"
#include "box_validator.h"
#include "choice_item_accessible.h"
#include "client_area.h"
#include "driver.h"
#include "handlers.h"
#include "look.h"
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
    buildMenus();
    connectKeys();
    // The window keeps the size of its menu bar and client area: nothing moves when the
    // desktop tries to resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fitToText();
    Form_Load(*this, numberMode_);
    showMode();
}

Form1::~Form1() = default;

void Form1::buildControls() {
    client_ = new ClientArea(this);
    setCentralWidget(client_);
    first_ = client_->control<QLineEdit>("First");
    operation_ = client_->control<OperationBox>("Operation");
    second_ = client_->control<QLineEdit>("Second");
    answer_ = client_->control<QLineEdit>("Answer");
    doIt_ = client_->control<QPushButton>("DoIt");
    announcer_ = new AnswerAnnouncer(this);
}

void Form1::fitToText() {
    fitPending_ = false;
    scale_ = LayoutScale();
    client_->layOut(scale_);
    // Frames and paddings that depend on the size may move once more; a few rounds settle.
    for (int round = 0; round < 4; ++round) {
        LayoutScale needed = client_->neededScale(scale_);
        // The menu bar is as wide as the client area and shows both titles whole or hides
        // the second behind an extension button.
        if (!menuBar()->isNativeMenuBar()) {
            needed = std::max(needed, LayoutScale::toReach(windowLook().clientWidth,
                                                           menuBar()->sizeHint().width()));
        }
        if (!(scale_ < needed)) {
            break;
        }
        scale_ = needed;
        client_->layOut(scale_);
    }
}

void Form1::connectControls() {
    connect(operation_, &QComboBox::editTextChanged, this, &Form1::showOperationTip);
    connect(doIt_, &QPushButton::clicked, this, &Form1::pressDoIt);

    // Return and Enter press "Do It!" from the boxes, the list's edit field and the button
    // itself, as a dialog's default button would be pressed.
    for (QWidget* widget : std::initializer_list<QWidget*>{first_, second_, answer_, operation_,
                                                           operation_->lineEdit(), doIt_}) {
        widget->installEventFilter(this);
    }
}

void Form1::buildMenus() {
    for (const MenuLook& look : windowLook().menus) {
        auto* menu = new QMenu(toQString(look.caption), menuBar());
        if (look.exclusive) {
            ChoiceMenuAccessible::mark(menu);
        }
        menuBar()->addMenu(menu);
        menu->setObjectName(toQString(look.name));
        // A screen reader names the open menu by its caption.
        menu->setAccessibleName(toQString(look.caption));
        menu->menuAction()->setObjectName(toQString(look.name));
        QActionGroup* choice = nullptr;
        if (look.exclusive) {
            choice = new QActionGroup(menu);
            choice->setExclusive(true);
        }
        QList<QAction*>& items = menuItems_.emplace_back();
        std::int16_t index = 0;
        for (const std::string_view caption : look.items) {
            ++index;
            auto* item = new QAction(toQString(caption), menu);
            item->setObjectName(toQString(look.itemName) + QString::number(index));
            if (choice != nullptr) {
                item->setCheckable(true);
                choice->addAction(item);
            }
            menu->addAction(item);
            connect(item, &QAction::triggered, menu, [this, click = look.click, index] {
                click(*this, numberMode_, index);
                showMode();
            });
            items.append(item);
        }
    }
}

void Form1::connectKeys() {
    // F10 opens the first menu, as on GNOME and KDE; from there the arrow keys move between
    // and within the menus and Return chooses.
    auto* menus = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menus, &QShortcut::activated, this, [this] {
        // The menu bar holds the focus while its menus are open. Otherwise the toolkit gives
        // the focus back to the box it came from each time Right or Left closes one menu and
        // opens the next, and a screen reader reads that box instead of the highlighted item.
        if (focusWidget() != menuBar()) {
            menuFocus_ = focusWidget();
        }
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        QAction* first = menuBar()->actions().value(0);
        menuBar()->setActiveAction(first);
        // With its first item highlighted, as when a menu is reached by the arrow keys.
        if (first != nullptr && first->menu() != nullptr) {
            first->menu()->setActiveAction(first->menu()->actions().value(0));
        }
    });
    // Escape closes a menu and, once no menu is open, leaves the menu bar too, so that the
    // focus is back where it was rather than on the menu bar.
    for (QAction* top : menuBar()->actions()) {
        connect(top->menu(), &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (QApplication::activePopupWidget() == nullptr && menuBar()->hasFocus()) {
                    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QApplication::sendEvent(menuBar(), &escape);
                    // Where F10 took the focus from; First may have been hidden meanwhile,
                    // and the focus then goes on to the list, as it would have from First.
                    QWidget* back = menuFocus_ != nullptr && menuFocus_->isVisible()
                                        ? menuFocus_.data()
                                        : operation_;
                    if (menuBar()->hasFocus() && back != nullptr) {
                        back->setFocus(Qt::MenuBarFocusReason);
                    }
                    menuFocus_ = nullptr;
                }
            });
        });
    }
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

void Form1::showMode() {
    const std::span<const MenuLook> menus = windowLook().menus;
    for (std::size_t menu = 0; menu < menus.size(); ++menu) {
        if (menus[menu].checkedItem != nullptr) {
            menuItem(menu, menus[menu].checkedItem(numberMode_))->setChecked(true);
        }
    }
}

void Form1::setFailureReporter(FailureReporter reporter) {
    reporter_ = std::move(reporter);
}

QAction* Form1::menuItem(std::size_t menu, int index) const {
    return menu < menuItems_.size() ? menuItems_[menu].value(index - 1) : nullptr;
}

QLineEdit* Form1::box(Box which) const {
    switch (which) {
        case Box::First:
            return first_;
        case Box::Second:
            return second_;
        case Box::Answer:
            return answer_;
    }
    return answer_;
}

BoxValidator* Form1::validator(Box which) const {
    return box(which)->findChild<BoxValidator*>(QString(), Qt::FindDirectChildrenOnly);
}

std::string Form1::text(Box which) const {
    return toStdString(box(which)->text());
}

void Form1::setText(Box which, const std::string& text) {
    const QString written = toQString(text);
    // What the program writes is never cut.
    validator(which)->hold(written);
    box(which)->setText(written);
}

bool Form1::firstVisible() const {
    return !first_->isHidden();
}

void Form1::setFirstVisible(bool visible) {
    first_->setVisible(visible);
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
        announcer_->announce(answer_->text());
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
