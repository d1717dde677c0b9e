// Operation: an editable combo box over the list of operation names. It keeps what the user
// typed in its edit field whatever happens to the entries, takes nothing typed into the list,
// and selects the entry equal to the edit field's text, or none.
#pragma once

#include <QComboBox>
#include <functional>

class QStyle;
class QStyleOptionComboBox;

namespace quillon {

class OperationEntries;

class OperationBox final : public QComboBox {
public:
    // `startText` is the edit field's text at start-up, which the field makes room for.
    OperationBox(const QString& startText, QWidget* parent);
    ~OperationBox() override;

    // Appends an entry with its tooltip, or removes the entry at `index`; either way the edit
    // field keeps its text.
    void appendEntry(const QString& text, const QString& tip);
    void removeEntry(int index);

    // Makes the field show the start of each of `names` whole, besides the start text: as many
    // of each name's characters as the start text has.
    void makeRoomFor(const QStringList& names);

    // Opens the list, and tells screen readers which entry is highlighted in it.
    void showPopup() override;
    // The width and height in pixels that the field's texts need in its font, with the cursor
    // after them, and the most that the box gives them: the field reaches no further than the
    // widening below allows.
    QSize fieldNeeds() const;
    QSize fieldRoom() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Runs a change of the list and then puts back the edit field's text, so that the entry
    // equal to it, if any, is the selected one, and widens the open list to its entries.
    void keepEditText(const std::function<void()>& change);
    // Keeps the current entry on the entry equal to the edit field's text, or on none, as
    // the user types, without touching the field.
    void followEditText();
    void widenField();
    // A chosen entry too long for the field shows from its start, not scrolled to its end.
    void showChosenStart();
    // Whether the style leaves a mark in the arrow's place; found once per style.
    bool drawsArrow(const QStyleOptionComboBox& option, const QRect& arrow);

    OperationEntries* entries_;
    QString startText_;
    QStringList starts_;  // the start text and the starts of the names given to makeRoomFor
    const QStyle* arrowStyle_ = nullptr;
    bool drawsArrow_ = true;
};

}  // namespace quillon
