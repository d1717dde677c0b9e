#include "operation_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

#include "operation_box_accessible.h"
#include "operation_entries.h"

namespace quillon {

// Two things of the box's look do not depend on the style:
// - Its edit field reaches into the arrow button's padding, never over the arrow, as far as the
//   start-up text and the starts of the entries' names need to show whole in the box's font,
//   and its text runs from edge to edge of the field. The box itself keeps its size.
// - Its arrow shows: some styles draw none in a box this low, and then the box draws the
//   style's own down arrow.
OperationBox::OperationBox(const QString& startText, QWidget* parent)
    : QComboBox(parent),
      entries_(new OperationEntries(this)),
      startText_(startText),
      starts_{startText} {
    OperationBoxAccessible::install();
    setModel(entries_);
    setEditable(true);
    // Cancels the field's own padding of 2 pixels on each side.
    lineEdit()->setTextMargins(-2, 0, -2, 0);
    lineEdit()->installEventFilter(this);
    // The typed text stays exactly as typed: no completion, and no entry is ever made of it.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(this, &QComboBox::editTextChanged, this, &OperationBox::followEditText);
    connect(this, &QComboBox::currentIndexChanged, this, &OperationBox::showChosenStart);
}

OperationBox::~OperationBox() = default;

void OperationBox::appendEntry(const QString& text, const QString& tip) {
    keepEditText([&] {
        addItem(text);
        setItemData(count() - 1, tip, Qt::ToolTipRole);
        // A screen reader reads the tip with the entry, so that "-%" is heard with what it does.
        setItemData(count() - 1, tip, Qt::AccessibleDescriptionRole);
    });
}

void OperationBox::removeEntry(int index) {
    keepEditText([&] { removeItem(index); });
}

void OperationBox::makeRoomFor(const QStringList& names) {
    starts_ = QStringList{startText_};
    for (const QString& name : names) {
        starts_.append(name.left(startText_.size()));
    }
    widenField();
}

void OperationBox::showPopup() {
    QComboBox::showPopup();
    // The list tells of the entry it highlights only when the highlight moves; on opening,
    // a screen reader would hear the list and its size but not the entry it starts on.
    if (const QModelIndex current = view()->currentIndex();
        current.isValid() && view()->isVisible() && QAccessible::isActive()) {
        QAccessibleEvent highlighted(view(), QAccessible::Focus);
        highlighted.setChild(current.row());
        QAccessible::updateAccessibility(&highlighted);
    }
}

QSize OperationBox::fieldNeeds() const {
    const QFontMetrics metrics = lineEdit()->fontMetrics();
    int width = 0;
    for (const QString& start : starts_) {
        width = std::max(width, metrics.horizontalAdvance(start));
    }
    // The cursor after the text takes a pixel.
    return {width + 1, metrics.height()};
}

QSize OperationBox::fieldRoom() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QRect arrow =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    // The field may reach up to 6 pixels before the middle of the arrow, which leaves the arrow
    // itself clear.
    const int widest = isRightToLeft() ? field.right() - (arrow.center().x() + 6) + 1
                                       : arrow.center().x() - 6 - field.left() + 1;
    return {std::max(widest, field.width()), field.height()};
}

void OperationBox::keepEditText(const std::function<void()>& change) {
    const QString shown = currentText();
    change();
    // The list selects its first entry when one is appended to an empty list and moves the
    // selection when the selected entry goes; undo both.
    setCurrentIndex(findText(shown));
    setEditText(shown);
    // Show the text from its start, as when it was typed and left.
    lineEdit()->setCursorPosition(0);
    // The open list is as wide as its longest entry needs, beside a scroll bar, so that no
    // name is cut short; the combo box itself keeps its size.
    QAbstractItemView* list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
}

void OperationBox::followEditText() {
    const QString shown = currentText();
    const int current = currentIndex();
    if (current >= 0 && itemText(current) == shown) {
        return;
    }
    // Quietly: the user is typing, and nothing but the list's own state changes.
    const QSignalBlocker quiet(this);
    if (const int entry = findText(shown); entry >= 0) {
        // Its text is already the edit field's, so the combo box leaves the field alone.
        setCurrentIndex(entry);
    } else if (current >= 0) {
        entries_->letGo(current);
    }
}

bool OperationBox::eventFilter(QObject* watched, QEvent* event) {
    // The box lays out its field on every change of size, style, font and entry.
    if (watched == lineEdit() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        widenField();
    }
    return QComboBox::eventFilter(watched, event);
}

void OperationBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        arrowStyle_ = nullptr;
    }
    QComboBox::changeEvent(event);
}

void OperationBox::paintEvent(QPaintEvent* event) {
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

void OperationBox::widenField() {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int extra =
        std::clamp(fieldNeeds().width() - field.width(), 0, fieldRoom().width() - field.width());
    const QRect wanted =
        field.adjusted(isRightToLeft() ? -extra : 0, 0, isRightToLeft() ? 0 : extra, 0);
    if (lineEdit()->geometry() != wanted) {
        lineEdit()->setGeometry(wanted);
    }
}

void OperationBox::showChosenStart() {
    QLineEdit* field = lineEdit();
    if (field->fontMetrics().horizontalAdvance(field->text()) + 1 > field->width()) {
        field->setCursorPosition(0);
    }
}

bool OperationBox::drawsArrow(const QStyleOptionComboBox& option, const QRect& arrow) {
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

}  // namespace quillon
