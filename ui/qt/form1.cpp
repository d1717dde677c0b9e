#include "form1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFrame>
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
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "box_input.h"
#include "caption_button.h"
#include "evaluator.h"
#include "handlers.h"
#include "look.h"
#include "operation_box.h"
#include "typing.h"

namespace quillon {

namespace {

// Qt scales logical pixels on high-density screens; the window's own factor grows them for the
// desktop's text.
QRect inPixels(const TwipRect& twips, const LayoutScale& scale) {
    return {pixels(twips.left, scale), pixels(twips.top, scale), pixels(twips.width, scale),
            pixels(twips.height, scale)};
}

QColor colour(const Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStdString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The boxes' font, sized like every length of the layout: its points are twips (20 a point),
// grown and rounded down to whole pixels, so that its text keeps its size against the boxes at
// any factor and any number of dots per inch (at 96, 12 points make 16 pixels).
QFont boxFont(const LayoutScale& scale, int dotsPerInch) {
    constexpr int kTwipsPerPoint = 20;
    const FontLook& look = windowLook().boxFont;
    QFont font(toQString(look.family), look.points, look.weight);
    font.setPointSizeF(pixels(look.points * kTwipsPerPoint, scale) * 72.0 / dotsPerInch);
    // A fixed-pitch face stands in where the named one is not installed.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// Every name the list can hold, whichever menu items the user chooses.
QStringList everyOperationName() {
    QStringList names;
    for (const CatalogueBlock& block : allBlocks()) {
        for (const Mode mode : {Mode::TwoNumbers, Mode::OneNumber}) {
            for (const CatalogueEntry& entry : block.entries(mode)) {
                names.append(toQString(entry.name));
            }
        }
    }
    return names;
}

// The colours of everything drawn on a fixed bright background, whatever the theme: the look's
// text colour for text and arrows, at half opacity for placeholder and disabled text, and its
// selection colours.
void fixTextColours(QPalette& palette) {
    const TextColours& fixed = windowLook().fixedText;
    QColor dim = colour(fixed.text);
    dim.setAlpha(128);
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, colour(fixed.text));
        palette.setColor(QPalette::Disabled, role, dim);
    }
    palette.setColor(QPalette::PlaceholderText, dim);
    palette.setColor(QPalette::Highlight, colour(fixed.selection));
    palette.setColor(QPalette::HighlightedText, colour(fixed.selectedText));
}

// Gives a control the background of its row, where the row fixes one, and the text on it
// colours readable there; Bar is filled with its colour.
void paint(QWidget* widget, const ControlLook& look) {
    if (!look.background) {
        return;
    }
    const QColor background = colour(*look.background);
    QPalette palette = widget->palette();
    if (look.kind == ControlKind::Line) {
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, background);
    } else {
        palette.setColor(QPalette::Base, background);
        if (look.kind == ControlKind::List) {
            palette.setColor(QPalette::Button, background);
        }
        fixTextColours(palette);
    }
    widget->setPalette(palette);
}

// The drop-down list, showing its initial text from the start.
OperationBox* makeList(const ControlLook& look, QWidget* client) {
    auto* list = new OperationBox(toQString(look.text), client);
    // Screen readers announce the focused edit field, not the list around it.
    list->lineEdit()->setAccessibleName(toQString(accessibleName(look)));
    list->setEditText(toQString(look.text));
    list->lineEdit()->setCursorPosition(0);
    list->setValidator(new BoxInput(list->lineEdit(), look.typingLimit));
    return list;
}

// The widget of one row of the look table, with its name, colour and initial text; Form1
// places it and gives it its font.
QWidget* makeControl(const ControlLook& look, QWidget* client) {
    QWidget* widget = nullptr;
    switch (look.kind) {
        case ControlKind::Box: {
            auto* edit = new QLineEdit(toQString(look.text), client);
            // The toolkit's default cap of 32767 characters would also cut what the program
            // writes.
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setValidator(new BoxInput(edit, look.typingLimit));
            widget = edit;
            break;
        }
        case ControlKind::List:
            widget = makeList(look, client);
            break;
        case ControlKind::Button:
            widget = new CaptionButton(toQString(look.text), client);
            break;
        case ControlKind::Line:
            widget = new QFrame(client);
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            break;
    }
    widget->setObjectName(toQString(look.name));
    widget->setAccessibleName(toQString(accessibleName(look)));
    if (look.tabIndex < 0) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    if (!look.description.empty()) {
        widget->setToolTip(toQString(look.description));
        widget->setAccessibleDescription(toQString(look.description));
    }
    paint(widget, look);
    return widget;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(windowLook().caption));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillon-16.png"));
    icon.addFile(QStringLiteral(":/icons/quillon-32.png"));
    setWindowIcon(icon);
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
    const WindowLook& look = windowLook();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    // Only the window's own colour: the button inside follows the theme.
    background.setColor(QPalette::Window, colour(look.background));
    client->setPalette(background);
    setCentralWidget(client);

    for (const ControlLook& control : look.controls) {
        makeControl(control, client);
    }
    QWidget* previous = nullptr;
    for (const ControlLook* control : tabOrder()) {
        if (control->tabIndex < 0) {
            break;
        }
        auto* widget =
            client->findChild<QWidget*>(toQString(control->name), Qt::FindDirectChildrenOnly);
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }

    const auto control = [client]<typename T>(T*& member, const char* name) {
        member = client->findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    };
    control(first_, "First");
    control(operation_, "Operation");
    control(second_, "Second");
    control(answer_, "Answer");
    control(doIt_, "DoIt");
    operation_->makeRoomFor(everyOperationName());
}

void Form1::layOut() {
    const WindowLook& look = windowLook();
    QWidget* client = centralWidget();
    client->setFixedSize(pixels(look.clientWidth, scale_), pixels(look.clientHeight, scale_));
    for (const ControlLook& control : look.controls) {
        auto* widget =
            client->findChild<QWidget*>(toQString(control.name), Qt::FindDirectChildrenOnly);
        widget->setGeometry(inPixels(control.twips, scale_));
        if (control.boxFont) {
            widget->setFont(boxFont(scale_, client->logicalDpiY()));
        }
    }
}

LayoutScale Form1::neededScale() const {
    const WindowLook& look = windowLook();
    LayoutScale needed = scale_;
    // A length of a control, `twips` long and `now` pixels at the current factor, gives its
    // text `room` pixels of them and must give `wanted`: its frame and padding keep their
    // pixels at every factor, and all the rest grows.
    const auto reach = [&needed](int twips, int now, int room, int wanted) {
        needed = std::max(needed, LayoutScale::toReach(twips, wanted + now - room));
    };
    const auto list =
        std::find_if(look.controls.begin(), look.controls.end(),
                     [](const ControlLook& control) { return control.kind == ControlKind::List; });
    const QSize needs = operation_->fieldNeeds();
    const QSize room = operation_->fieldRoom();
    reach(list->twips.width, operation_->width(), room.width(), needs.width());
    reach(list->twips.height, operation_->height(), room.height(), needs.height());
    // The menu bar is as wide as the client area and shows both titles whole or hides the
    // second behind an extension button.
    if (!menuBar()->isNativeMenuBar()) {
        const int width = centralWidget()->width();
        reach(look.clientWidth, width, width, menuBar()->sizeHint().width());
    }
    // The boxes and the button need nothing: their font grows with them.
    return needed;
}

void Form1::fitToText() {
    fitPending_ = false;
    scale_ = LayoutScale();
    layOut();
    // Frames and paddings that depend on the size may move once more; a few rounds settle.
    for (int round = 0; round < 4; ++round) {
        const LayoutScale needed = neededScale();
        if (!(scale_ < needed)) {
            break;
        }
        scale_ = needed;
        layOut();
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
        QMenu* menu = menuBar()->addMenu(toQString(look.caption));
        menu->setObjectName(toQString(look.name));
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
            QAction* item = menu->addAction(toQString(caption));
            item->setObjectName(toQString(look.itemName) + QString::number(index));
            if (choice != nullptr) {
                item->setCheckable(true);
                choice->addAction(item);
            }
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

BoxInput* Form1::input(Box which) const {
    return box(which)->findChild<BoxInput*>(QString(), Qt::FindDirectChildrenOnly);
}

std::string Form1::text(Box which) const {
    return toStdString(box(which)->text());
}

void Form1::setText(Box which, const std::string& text) {
    const QString written = toQString(text);
    // What the program writes is never cut.
    input(which)->hold(written);
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
