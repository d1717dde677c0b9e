#include "form1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
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
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "evaluator.h"

namespace quillon {

namespace {

// The window is described in twips; at 96 dots per inch 15 twips make one pixel, and Qt
// scales logical pixels on high-density screens.
constexpr int kTwipsPerPixel = 15;

QRect pixels(const QRect& twips) {
    return {twips.left() / kTwipsPerPixel, twips.top() / kTwipsPerPixel,
            twips.width() / kTwipsPerPixel, twips.height() / kTwipsPerPixel};
}

// How the window looks. Nothing here says what a control does; connectControls does.
constexpr QSize kClientTwips(4785, 1230);
constexpr QRgb kWhite = 0xFFFFFF;

enum class Kind { Box, List, Button, Line };

struct ControlLook {
    Kind kind;
    const char* name;       // the object name; also the accessible name, but for the button
    std::string_view text;  // the initial text, or the button's caption
    QRect twips;            // left, top, width, height
    std::optional<QRgb> background;  // none: the theme's; for the line, its colour
    bool courier;                    // "Courier New" bold 12 pt, or the toolkit's default font
    int tabIndex;                    // -1: takes no focus
};

const ControlLook kControls[] = {
    {Kind::Box, "First", "0", {1920, 0, 2895, 285}, 0x00FF00, true, 0},
    {Kind::List, "Operation", kChooseOperation, {0, 240, 1935, 315}, 0xFFFF00, false, 1},
    {Kind::Box, "Second", "0", {1920, 240, 2895, 285}, 0x00FF00, true, 2},
    {Kind::Box, "Answer", "0", {0, 720, 4815, 285}, 0x00FFFF, true, 3},
    {Kind::Button, "DoIt", "Do It!", {0, 960, 4815, 270}, std::nullopt, true, 4},
    // A black line 4 pixels (60 twips) wide from (0, 600) to (4800, 600), centred on its y.
    {Kind::Line, "Bar", "", {0, 570, 4800, 60}, 0x000000, false, -1},
};

QFont courierNew() {
    QFont courier(QStringLiteral("Courier New"), 12, QFont::Bold);
    // A fixed-pitch face stands in where Courier New is not installed.
    courier.setStyleHint(QFont::TypeWriter);
    return courier;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStdString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

// The entries of Operation. The combo box moves its current entry only by writing the entry's
// text into its edit field, which would overwrite the user's typing; this model can instead
// let go of an entry, so that nothing refers to it as current any more.
class OperationList final : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;

    void letGo(int row) { changePersistentIndex(index(row, 0), QModelIndex()); }
};

// Operation's combo box. Two things of its look do not depend on the style:
// - Its edit field reaches into the arrow button's padding, never over the arrow, as far as
//   the start-up text needs to show whole in the toolkit's default font, and its text runs
//   from edge to edge of the field. The box itself keeps its size.
// - Its arrow shows: some styles draw none in a box this low, and then the box draws the
//   style's own down arrow.
class OperationBox final : public QComboBox {
public:
    OperationBox(const QString& startText, QWidget* parent)
        : QComboBox(parent), startText_(startText) {
        setModel(new OperationList(this));
        setEditable(true);
        // Cancels the field's own padding of 2 pixels on each side.
        lineEdit()->setTextMargins(-2, 0, -2, 0);
        lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The box lays out its field on every change of size, style, font and entry.
        if (watched == lineEdit() &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
            widenField();
        }
        return QComboBox::eventFilter(watched, event);
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::StyleChange) {
            arrowStyle_ = nullptr;
        }
        QComboBox::changeEvent(event);
    }

    void paintEvent(QPaintEvent* event) override {
        QComboBox::paintEvent(event);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRect arrow =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
        if (!drawsArrow(option, arrow)) {
            QStylePainter painter(this);
            option.rect = arrow;
            painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, option);
        }
    }

private:
    void widenField() {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        const QRect arrow =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
        // The text and the cursor after it.
        const int needed = lineEdit()->fontMetrics().horizontalAdvance(startText_) + 1;
        // The field may reach up to 6 pixels before the middle of the arrow, which leaves the
        // arrow itself clear.
        const int room = isRightToLeft() ? field.left() - (arrow.center().x() + 6)
                                         : arrow.center().x() - 6 - field.right();
        const int extra = std::clamp(needed - field.width(), 0, std::max(room, 0));
        const QRect wanted =
            field.adjusted(isRightToLeft() ? -extra : 0, 0, isRightToLeft() ? 0 : extra, 0);
        if (lineEdit()->geometry() != wanted) {
            lineEdit()->setGeometry(wanted);
        }
    }

    // Whether the style leaves a mark in the arrow's place; found once per style.
    bool drawsArrow(const QStyleOptionComboBox& option, const QRect& arrow) {
        if (arrowStyle_ != style()) {
            QImage image(size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
            painter.end();
            const QColor base = option.palette.color(QPalette::Base);
            drawsArrow_ = false;
            for (int y = arrow.top(); y <= arrow.bottom() && !drawsArrow_; ++y) {
                for (int x = arrow.left(); x <= arrow.right() && !drawsArrow_; ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    drawsArrow_ = pixel.alpha() > 0 && pixel != base;
                }
            }
            arrowStyle_ = style();
        }
        return drawsArrow_;
    }

    QString startText_;
    const QStyle* arrowStyle_ = nullptr;
    bool drawsArrow_ = true;
};

// "Do It!": a push button drawn by the style, but for its caption, which is centred in the
// button's whole height. The button is lower than some styles' padding above and below a
// caption in its font, and they would cut the caption's top and bottom.
class CaptionButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
        QStyleOptionButton caption = option;
        const QRect contents =
            style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        caption.rect =
            QRect(contents.left(), option.rect.top(), contents.width(), option.rect.height());
        painter.drawControl(QStyle::CE_PushButtonLabel, caption);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
};

namespace {

// The colours of everything drawn on a fixed bright background, whatever the theme: black
// text and arrows, half-black placeholder and disabled text, and the selection in white on
// the blue of the default light palette.
void fixTextColours(QPalette& palette) {
    const QColor dim(0, 0, 0, 128);
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, Qt::black);
        palette.setColor(QPalette::Disabled, role, dim);
    }
    palette.setColor(QPalette::PlaceholderText, dim);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
}

// Gives a control the background of its row, where the row fixes one, and the text on it
// colours readable there; Bar is filled with its colour.
void paint(QWidget* widget, const ControlLook& look) {
    if (!look.background) {
        return;
    }
    const QColor background = QColor::fromRgb(*look.background);
    QPalette palette = widget->palette();
    if (look.kind == Kind::Line) {
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, background);
    } else {
        palette.setColor(QPalette::Base, background);
        if (look.kind == Kind::List) {
            palette.setColor(QPalette::Button, background);
        }
        fixTextColours(palette);
    }
    widget->setPalette(palette);
}

// The drop-down list: an editable field over the entries of an OperationList, showing its
// initial text from the start.
QComboBox* makeList(const ControlLook& look, QWidget* client) {
    auto* list = new OperationBox(toQString(look.text), client);
    // Screen readers announce the focused edit field, not the list around it.
    list->lineEdit()->setAccessibleName(QLatin1String(look.name));
    list->setEditText(toQString(look.text));
    list->lineEdit()->setCursorPosition(0);
    return list;
}

// The widget of one row of kControls, with its name, place, font, colour and initial text.
QWidget* makeControl(const ControlLook& look, QWidget* client) {
    QWidget* widget = nullptr;
    switch (look.kind) {
        case Kind::Box: {
            auto* edit = new QLineEdit(toQString(look.text), client);
            // The toolkit's default cap of 32767 characters would also cut what the program
            // writes.
            edit->setMaxLength(std::numeric_limits<int>::max());
            widget = edit;
            break;
        }
        case Kind::List:
            widget = makeList(look, client);
            break;
        case Kind::Button:
            widget = new CaptionButton(toQString(look.text), client);
            break;
        case Kind::Line:
            widget = new QFrame(client);
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            break;
    }
    widget->setObjectName(QLatin1String(look.name));
    widget->setAccessibleName(look.kind == Kind::Button ? toQString(look.text)
                                                        : QLatin1String(look.name));
    widget->setGeometry(pixels(look.twips));
    if (look.courier) {
        widget->setFont(courierNew());
    }
    if (look.tabIndex < 0) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    paint(widget, look);
    return widget;
}

}  // namespace

// Judges what the user puts into a single-line box, by typing, pasting or dropping, as a
// classic single-line text box does, and leaves what the program writes alone:
// - an inserted text is kept up to its first line break (CR or LF);
// - with a limit, typing and pasting stop at `limit` UTF-16 code units. A change is taken
//   whole when the result fits or when it only removes characters (so a longer text written
//   by the program is kept and can be shortened); otherwise only the first characters of the
//   inserted text that fit are kept, never half a surrogate pair, and none when what is left
//   of the held text is already too long.
// A change is judged against the text the box held before it and the selection (or cursor)
// that the change replaced.
class BoxInput final : public QValidator {
public:
    static constexpr int kNoLimit = std::numeric_limits<int>::max();

    BoxInput(QLineEdit* edit, int limit)
        : QValidator(edit), edit_(edit), limit_(limit), held_(edit->text()) {
        connect(edit, &QLineEdit::textChanged, this, &BoxInput::hold);
        connect(edit, &QLineEdit::selectionChanged, this, &BoxInput::noteSelection);
        connect(edit, &QLineEdit::cursorPositionChanged, this, &BoxInput::noteSelection);
        noteSelection();
    }

    // Takes the text the program is about to write as the text held before, so that the
    // box does not judge it as typing.
    void hold(const QString& text) { held_ = text; }

    State validate(QString& input, int& pos) const override {
        if (removesOnly(input)) {
            return Acceptable;
        }
        auto [prefix, suffix] = replaced(input, pos);
        const QStringView inserted =
            QStringView(input).sliced(prefix, input.size() - suffix - prefix);
        const auto lineBreak = std::find_if(inserted.begin(), inserted.end(), [](QChar c) {
            return c == QLatin1Char('\r') || c == QLatin1Char('\n');
        });
        const qsizetype line = lineBreak - inserted.begin();
        if (line == inserted.size() && input.size() <= limit_) {
            return Acceptable;
        }
        qsizetype fits = std::clamp<qsizetype>(limit_ - prefix - suffix, 0, line);
        if (fits > 0 && fits < inserted.size() && inserted.at(fits - 1).isHighSurrogate()) {
            --fits;
        }
        const QString result =
            input.left(prefix) + inserted.first(fits).toString() + input.right(suffix);
        if (result == held_) {
            // Nothing of the change is left: refuse it, and the box takes it back whole.
            return Invalid;
        }
        input = result;
        pos = static_cast<int>(prefix + fits);
        return Acceptable;
    }

private:
    // The lengths of the held text's start and end that the change kept: the change replaced
    // what lay between them by the text inserted there.
    std::pair<qsizetype, qsizetype> replaced(const QString& input, int pos) const {
        // Typing, pasting and dropping replace the selection, or insert at the cursor.
        const qsizetype suffix = held_.size() - selectionEnd_;
        if (selectionStart_ <= selectionEnd_ && selectionEnd_ <= held_.size() &&
            selectionStart_ + suffix <= input.size() &&
            QStringView(input).first(selectionStart_) ==
                QStringView(held_).first(selectionStart_) &&
            QStringView(input).last(suffix) == QStringView(held_).last(suffix)) {
            return {selectionStart_, suffix};
        }
        // Anything else (an undo, a drop moving text): the longest common start and end, with
        // the inserted text ending at the cursor.
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

    void noteSelection() {
        if (edit_->hasSelectedText()) {
            selectionStart_ = edit_->selectionStart();
            selectionEnd_ = edit_->selectionEnd();
        } else {
            selectionStart_ = selectionEnd_ = edit_->cursorPosition();
        }
    }

    static qsizetype commonPrefix(const QString& a, const QString& b) {
        qsizetype n = 0;
        while (n < a.size() && n < b.size() && a.at(n) == b.at(n)) {
            ++n;
        }
        return n;
    }
    static qsizetype commonSuffix(const QString& a, const QString& b) {
        qsizetype n = 0;
        while (n < a.size() && n < b.size() && a.at(a.size() - 1 - n) == b.at(b.size() - 1 - n)) {
            ++n;
        }
        return n;
    }
    // Whether `input` is the held text with characters removed from one place.
    bool removesOnly(const QString& input) const {
        return input.size() <= held_.size() &&
               commonPrefix(held_, input) + commonSuffix(held_, input) >= input.size();
    }

    QLineEdit* edit_;
    int limit_;
    QString held_;
    qsizetype selectionStart_ = 0;
    qsizetype selectionEnd_ = 0;
};

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillon"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillon-16.png"));
    icon.addFile(QStringLiteral(":/icons/quillon-32.png"));
    setWindowIcon(icon);
    reporter_ = [this](const Failure& failure) {
        // The message quotes what the user typed, which may look like markup: show it as
        // plain text, character for character.
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillon"),
                        toQString(failureMessage(failure)), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    buildControls();
    connectControls();
    buildMenus();
    // The window keeps the size of its menu bar and client area: nothing moves when the
    // desktop tries to resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load(*this, numberMode_);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixels(QRect(QPoint(), kClientTwips)).size());
    client->setAutoFillBackground(true);
    QPalette white = client->palette();
    // Only the window's own colour: the button inside follows the theme.
    white.setColor(QPalette::Window, QColor::fromRgb(kWhite));
    client->setPalette(white);
    setCentralWidget(client);

    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ControlLook& look : kControls) {
        QWidget* widget = makeControl(look, client);
        if (look.tabIndex >= 0) {
            focusOrder.emplace_back(look.tabIndex, widget);
        }
    }
    std::sort(focusOrder.begin(), focusOrder.end());
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    }

    const auto control = [client]<typename T>(T*& member, const char* name) {
        member = client->findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    };
    control(first_, "First");
    control(operation_, "Operation");
    control(second_, "Second");
    control(answer_, "Answer");
    control(doIt_, "DoIt");
    list_ = static_cast<OperationList*>(operation_->model());
}

void Form1::connectControls() {
    // The typed text stays exactly as typed: no completion, and Return never lets the list
    // take an entry for it (see eventFilter).
    operation_->setInsertPolicy(QComboBox::NoInsert);
    operation_->setCompleter(nullptr);
    connect(operation_, &QComboBox::editTextChanged, this, &Form1::showOperationTip);
    connect(operation_, &QComboBox::editTextChanged, this, &Form1::followEditText);
    connect(doIt_, &QPushButton::clicked, this, &Form1::pressDoIt);

    firstInput_ = new BoxInput(first_, kTypingLimit);
    first_->setValidator(firstInput_);
    secondInput_ = new BoxInput(second_, kTypingLimit);
    second_->setValidator(secondInput_);
    answerInput_ = new BoxInput(answer_, BoxInput::kNoLimit);
    answer_->setValidator(answerInput_);
    operation_->setValidator(new BoxInput(operation_->lineEdit(), BoxInput::kNoLimit));

    // Return and Enter press "Do It!" from the boxes, the list's edit field and the button
    // itself, as a dialog's default button would be pressed.
    for (QWidget* widget : std::initializer_list<QWidget*>{first_, second_, answer_, operation_,
                                                           operation_->lineEdit(), doIt_}) {
        widget->installEventFilter(this);
    }
}

// One top-level menu whose items run `handler` with their index, counted from 1.
template <typename Captions, typename Handler>
static QList<QAction*> addMenu(QMenuBar* bar, std::string_view caption, const char* name,
                               const char* itemName, const Captions& captions, Handler handler) {
    QMenu* menu = bar->addMenu(toQString(caption));
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    QList<QAction*> items;
    std::int16_t index = 0;
    for (const std::string_view itemCaption : captions) {
        ++index;
        QAction* item = menu->addAction(toQString(itemCaption));
        item->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(itemName)).arg(index));
        QObject::connect(item, &QAction::triggered, menu, [handler, index] { handler(index); });
        items.append(item);
    }
    return items;
}

void Form1::buildMenus() {
    std::vector<std::string_view> categoryCaptions;
    for (const CatalogueBlock& category : categories()) {
        categoryCaptions.push_back(category.caption);
    }
    addItems_ = addMenu(menuBar(), kAddMenuCaption, "mnuOp", "mnuAdd", categoryCaptions,
                        [this](std::int16_t index) { mnuAdd_Click(*this, numberMode_, index); });
    numberItems_ = addMenu(menuBar(), kNumberMenuCaption, "mnuNumO", "mnuNum", numberCaptions(),
                           [this](std::int16_t index) { mnuNum_Click(*this, numberMode_, index); });
}

void Form1::setFailureReporter(FailureReporter reporter) {
    reporter_ = std::move(reporter);
}

QAction* Form1::numberMenuItem(int index) const {
    return numberItems_.value(index - 1);
}

QAction* Form1::addMenuItem(int index) const {
    return addItems_.value(index - 1);
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

std::string Form1::text(Box which) const {
    return toStdString(box(which)->text());
}

void Form1::setText(Box which, const std::string& text) {
    QLineEdit* edit = box(which);
    const QString written = toQString(text);
    // What the program writes is never cut.
    BoxInput* input = which == Box::First    ? firstInput_
                      : which == Box::Second ? secondInput_
                                             : answerInput_;
    input->hold(written);
    edit->setText(written);
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

int Form1::listIndex() const {
    // The entry equal to what the edit field shows, so that what it shows is what runs.
    return entryIndex(operation_->currentText());
}

std::string Form1::listText(int index) const {
    if (index == -1) {
        return toStdString(operation_->currentText());
    }
    if (index < 0 || index >= operation_->count()) {
        throw std::out_of_range("no entry at that index of Operation");
    }
    return toStdString(operation_->itemText(index));
}

void Form1::addItem(const std::string& text) {
    keepEditText([&] {
        operation_->addItem(toQString(text));
        const std::string_view tip = operationTip(text);
        operation_->setItemData(operation_->count() - 1, toQString(tip), Qt::ToolTipRole);
    });
}

void Form1::removeItem(int index) {
    if (index < 0 || index >= operation_->count()) {
        throw std::out_of_range("no entry at that index of Operation");
    }
    keepEditText([&] { operation_->removeItem(index); });
}

void Form1::keepEditText(const std::function<void()>& change) {
    const QString shown = operation_->currentText();
    change();
    // The list selects its first entry when one is appended to an empty list and moves the
    // selection when the selected entry goes; undo both.
    operation_->setCurrentIndex(entryIndex(shown));
    operation_->setEditText(shown);
    // Show the text from its start, as when it was typed and left.
    operation_->lineEdit()->setCursorPosition(0);
    // The open list is as wide as its longest entry needs, beside a scroll bar, so that no
    // name is cut short; the combo box itself keeps its size.
    QAbstractItemView* view = operation_->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                          view->verticalScrollBar()->sizeHint().width());
}

int Form1::entryIndex(const QString& text) const {
    for (int i = 0; i < operation_->count(); ++i) {
        if (operation_->itemText(i) == text) {
            return i;
        }
    }
    return -1;
}

void Form1::followEditText() {
    const QString shown = operation_->currentText();
    const int current = operation_->currentIndex();
    if (current >= 0 && operation_->itemText(current) == shown) {
        return;
    }
    // Quietly: the user is typing, and nothing but the list's own state changes.
    const QSignalBlocker quiet(operation_);
    if (const int entry = entryIndex(shown); entry >= 0) {
        // Its text is already the edit field's, so the combo box leaves the field alone.
        operation_->setCurrentIndex(entry);
    } else if (current >= 0) {
        list_->letGo(current);
    }
}

void Form1::showOperationTip() {
    const std::string_view tip = operationTip(toStdString(operation_->currentText()));
    operation_->setToolTip(toQString(tip));
}

void Form1::pressDoIt() {
    // The evaluator stops at a failure and leaves the boxes as its steps left them; the
    // window reports it and goes on.
    if (const std::optional<Failure> failure = quillon::DoIt_Click(*this, numberMode_)) {
        reporter_(*failure);
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
