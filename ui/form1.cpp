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
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <stdexcept>

#include "catalogue.h"
#include "evaluator.h"

namespace quillon {

namespace {

// The window is described in twips; at 96 dots per inch 15 twips make one pixel, and Qt
// scales logical pixels on high-density screens.
constexpr int kTwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStdString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QLineEdit* makeBox(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour,
                   const QFont& font) {
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setFont(font);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
    // The toolkit's default cap of 32767 characters would also cut what the program writes.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

}  // namespace

// Limits typing and pasting to `limit` UTF-16 code units, as a length-limited text box does,
// without cutting what the program writes. A change is judged against the text the box held
// before it: it is taken whole when the result fits or when it only removes characters (so a
// longer text written by the program is kept and can be shortened); otherwise only the first
// characters of the inserted text that fit are kept, never half a surrogate pair, and none
// when what is left of the held text is already too long.
class TypingLimit final : public QValidator {
public:
    TypingLimit(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit), held_(edit->text()) {
        connect(edit, &QLineEdit::textChanged, this, &TypingLimit::hold);
    }

    // Takes the text the program is about to write as the text held before, so that the
    // box does not judge it as typing.
    void hold(const QString& text) { held_ = text; }

    State validate(QString& input, int& pos) const override {
        if (input.size() <= limit_ || removesOnly(input)) {
            return Acceptable;
        }
        // The change replaced the held text between a common prefix and suffix by the
        // inserted text, which ends at the cursor.
        const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
        qsizetype suffix = std::min(commonSuffix(held_, input), input.size() - cursor);
        qsizetype prefix =
            std::min({commonPrefix(held_, input), held_.size() - suffix, input.size() - suffix});
        if (prefix > 0 && input.at(prefix - 1).isHighSurrogate()) {
            --prefix;
        }
        if (suffix > 0 && input.at(input.size() - suffix).isLowSurrogate()) {
            --suffix;
        }
        const QStringView inserted =
            QStringView(input).sliced(prefix, input.size() - suffix - prefix);
        qsizetype fits = std::clamp<qsizetype>(limit_ - prefix - suffix, 0, inserted.size());
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

    int limit_;
    QString held_;
};

// The entries of Operation. The combo box moves its current entry only by writing the entry's
// text into its edit field, which would overwrite the user's typing; this model can instead
// let go of an entry, so that nothing refers to it as current any more.
class OperationList final : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;

    void letGo(int row) { changePersistentIndex(index(row, 0), QModelIndex()); }
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
    buildMenus();
    // The window keeps the size of its menu bar and client area: nothing moves when the
    // desktop tries to resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load(*this, NumberMode_);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(4785 / kTwipsPerPixel, 1230 / kTwipsPerPixel);
    client->setAutoFillBackground(true);
    QPalette white = client->palette();
    white.setColor(QPalette::Window, Qt::white);
    client->setPalette(white);
    setCentralWidget(client);

    QFont courier(QStringLiteral("Courier New"), 12, QFont::Bold);
    courier.setStyleHint(QFont::TypeWriter);
    const QColor green(0, 255, 0);

    // Created in tab order: First, Operation, Second, Answer, DoIt.
    First = makeBox(client, "First", twips(1920, 0, 2895, 285), green, courier);

    Operation = new QComboBox(client);
    Operation->setObjectName(QStringLiteral("Operation"));
    Operation->setAccessibleName(QStringLiteral("Operation"));
    Operation->setGeometry(twips(0, 240, 1935, 315));
    list_ = new OperationList(Operation);
    Operation->setModel(list_);
    Operation->setEditable(true);
    Operation->setInsertPolicy(QComboBox::NoInsert);
    // The typed text stays exactly as typed: no completion, and Return never lets the list
    // take an entry for it (see eventFilter).
    Operation->setCompleter(nullptr);
    // Screen readers announce the focused edit field, not the list around it.
    Operation->lineEdit()->setAccessibleName(QStringLiteral("Operation"));
    Operation->setEditText(toQString(std::string(kChooseOperation)));
    Operation->lineEdit()->setCursorPosition(0);
    QPalette yellow = Operation->palette();
    yellow.setColor(QPalette::Base, QColor(255, 255, 0));
    yellow.setColor(QPalette::Button, QColor(255, 255, 0));
    Operation->setPalette(yellow);
    connect(Operation, &QComboBox::editTextChanged, this, &Form1::showOperationTip);
    connect(Operation, &QComboBox::editTextChanged, this, &Form1::followEditText);

    Second = makeBox(client, "Second", twips(1920, 240, 2895, 285), green, courier);
    Answer = makeBox(client, "Answer", twips(0, 720, 4815, 285), QColor(0, 255, 255), courier);

    DoIt = new QPushButton(QStringLiteral("Do It!"), client);
    DoIt->setObjectName(QStringLiteral("DoIt"));
    DoIt->setAccessibleName(QStringLiteral("Do It!"));
    DoIt->setGeometry(twips(0, 960, 4815, 270));
    DoIt->setFont(courier);
    connect(DoIt, &QPushButton::clicked, this, &Form1::DoIt_Click);

    // A line 4 pixels wide from (0, 600) to (4800, 600) twips, centred on its y.
    Bar = new QFrame(client);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setAccessibleName(QStringLiteral("Bar"));
    Bar->setGeometry(0, 600 / kTwipsPerPixel - 2, 4800 / kTwipsPerPixel, 4);
    Bar->setAutoFillBackground(true);
    QPalette line = Bar->palette();
    line.setColor(QPalette::Window, line.color(QPalette::WindowText));
    Bar->setPalette(line);
    Bar->setFocusPolicy(Qt::NoFocus);
    Bar->setAttribute(Qt::WA_TransparentForMouseEvents);

    setTabOrder(First, Operation);
    setTabOrder(Operation, Second);
    setTabOrder(Second, Answer);
    setTabOrder(Answer, DoIt);

    firstLimit_ = new TypingLimit(First, kTypingLimit);
    First->setValidator(firstLimit_);
    secondLimit_ = new TypingLimit(Second, kTypingLimit);
    Second->setValidator(secondLimit_);

    // Return and Enter press "Do It!" from the boxes, the list's edit field and the button
    // itself, as a dialog's default button would be pressed.
    for (QWidget* widget :
         {static_cast<QWidget*>(First), static_cast<QWidget*>(Second),
          static_cast<QWidget*>(Answer), static_cast<QWidget*>(Operation),
          static_cast<QWidget*>(Operation->lineEdit()), static_cast<QWidget*>(DoIt)}) {
        widget->installEventFilter(this);
    }
}

void Form1::buildMenus() {
    QMenu* mnuOp = menuBar()->addMenu(toQString(std::string(kAddMenuCaption)));
    mnuOp->setObjectName(QStringLiteral("mnuOp"));
    mnuOp->menuAction()->setObjectName(QStringLiteral("mnuOp"));
    std::int16_t index = 0;
    for (const CatalogueBlock& category : categories()) {
        ++index;
        QAction* item = mnuOp->addAction(toQString(std::string(category.caption)));
        item->setObjectName(QStringLiteral("mnuAdd%1").arg(index));
        connect(item, &QAction::triggered, this,
                [this, index] { mnuAdd_Click(*this, NumberMode_, index); });
        mnuAdd.append(item);
    }

    QMenu* mnuNumO = menuBar()->addMenu(toQString(std::string(kNumberMenuCaption)));
    mnuNumO->setObjectName(QStringLiteral("mnuNumO"));
    mnuNumO->menuAction()->setObjectName(QStringLiteral("mnuNumO"));
    index = 0;
    for (const std::string_view caption : numberCaptions()) {
        ++index;
        QAction* item = mnuNumO->addAction(toQString(std::string(caption)));
        item->setObjectName(QStringLiteral("mnuNum%1").arg(index));
        connect(item, &QAction::triggered, this,
                [this, index] { mnuNum_Click(*this, NumberMode_, index); });
        mnuNum.append(item);
    }
}

void Form1::setFailureReporter(FailureReporter reporter) {
    reporter_ = std::move(reporter);
}

QAction* Form1::numberMenuItem(int index) const {
    return mnuNum.value(index - 1);
}

QAction* Form1::addMenuItem(int index) const {
    return mnuAdd.value(index - 1);
}

QLineEdit* Form1::box(Box which) const {
    switch (which) {
        case Box::First:
            return First;
        case Box::Second:
            return Second;
        case Box::Answer:
            return Answer;
    }
    return Answer;
}

std::string Form1::text(Box which) const {
    return toStdString(box(which)->text());
}

void Form1::setText(Box which, const std::string& text) {
    QLineEdit* edit = box(which);
    const QString written = toQString(text);
    // What the program writes is never cut: only typing and pasting are limited.
    if (TypingLimit* limit = which == Box::First    ? firstLimit_
                             : which == Box::Second ? secondLimit_
                                                    : nullptr) {
        limit->hold(written);
    }
    edit->setText(written);
}

bool Form1::firstVisible() const {
    return !First->isHidden();
}

void Form1::setFirstVisible(bool visible) {
    First->setVisible(visible);
}

int Form1::listCount() const {
    return Operation->count();
}

int Form1::listIndex() const {
    // The entry equal to what the edit field shows, so that what it shows is what runs.
    return entryIndex(Operation->currentText());
}

std::string Form1::listText(int index) const {
    if (index == -1) {
        return toStdString(Operation->currentText());
    }
    if (index < 0 || index >= Operation->count()) {
        throw std::out_of_range("no entry at that index of Operation");
    }
    return toStdString(Operation->itemText(index));
}

void Form1::addItem(const std::string& text) {
    keepEditText([&] {
        Operation->addItem(toQString(text));
        const std::string_view tip = operationTip(text);
        Operation->setItemData(Operation->count() - 1, toQString(std::string(tip)),
                               Qt::ToolTipRole);
    });
}

void Form1::removeItem(int index) {
    if (index < 0 || index >= Operation->count()) {
        throw std::out_of_range("no entry at that index of Operation");
    }
    keepEditText([&] { Operation->removeItem(index); });
}

void Form1::keepEditText(const std::function<void()>& change) {
    const QString shown = Operation->currentText();
    change();
    // The list selects its first entry when one is appended to an empty list and moves the
    // selection when the selected entry goes; undo both.
    Operation->setCurrentIndex(entryIndex(shown));
    Operation->setEditText(shown);
    // Show the text from its start, as when it was typed and left.
    Operation->lineEdit()->setCursorPosition(0);
    // The open list is as wide as its longest entry needs, beside a scroll bar, so that no
    // name is cut short; the combo box itself keeps its size.
    QAbstractItemView* view = Operation->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                          view->verticalScrollBar()->sizeHint().width());
}

int Form1::entryIndex(const QString& text) const {
    for (int i = 0; i < Operation->count(); ++i) {
        if (Operation->itemText(i) == text) {
            return i;
        }
    }
    return -1;
}

void Form1::followEditText() {
    const QString shown = Operation->currentText();
    const int current = Operation->currentIndex();
    if (current >= 0 && Operation->itemText(current) == shown) {
        return;
    }
    // Quietly: the user is typing, and nothing but the list's own state changes.
    const QSignalBlocker quiet(Operation);
    if (const int entry = entryIndex(shown); entry >= 0) {
        // Its text is already the edit field's, so the combo box leaves the field alone.
        Operation->setCurrentIndex(entry);
    } else if (current >= 0) {
        list_->letGo(current);
    }
}

void Form1::showOperationTip() {
    const std::string_view tip = operationTip(toStdString(Operation->currentText()));
    Operation->setToolTip(toQString(std::string(tip)));
}

void Form1::DoIt_Click() {
    // The evaluator stops at a failure and leaves the boxes as its steps left them; the
    // window reports it and goes on.
    if (const std::optional<Failure> failure = quillon::DoIt_Click(*this, NumberMode_)) {
        reporter_(*failure);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            DoIt->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillon
