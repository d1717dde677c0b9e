// Quillon's layers and how a button press flows through them:
//
//   widget event (ui/qt/Form1, ui/web/quillon.js) -> handler (DoIt_Click, Form_Load, mnuNum_Click,
//   mnuAdd_Click)
//   -> Controls (this interface) -> evaluator (prologue, dispatch, operator steps)
//   -> one text written into Answer.
//
// The evaluator and the catalogue handlers never see a widget: they reach the window only
// through the small set of control operations below. The Qt window implements them on real
// widgets, the page on its elements, MemoryControls in memory for tests and the scripted driver.
// All texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The three text boxes of the window.
enum class Box { First, Second, Answer };

// The box's name, as the window's look and the scripts call it.
constexpr std::string_view boxName(Box box) {
    switch (box) {
        case Box::First:
            return "First";
        case Box::Second:
            return "Second";
        case Box::Answer:
            return "Answer";
    }
    return "Answer";
}

// The window's controls as the handlers see them. A front-end supplies the texts, the entries
// and their changes; which entry is selected and what an index out of range does are decided
// here, once, for every front-end.
class Controls {
public:
    virtual ~Controls() = default;

    // The whole text of a box.
    virtual std::string text(Box box) const = 0;
    // Replaces the whole text of a box, as a program does: the typing limit does not apply.
    virtual void setText(Box box, const std::string& text) = 0;

    // Whether First is shown (two-number mode) or hidden (one-number mode).
    virtual bool firstVisible() const = 0;
    virtual void setFirstVisible(bool visible) = 0;

    // The list of Operation. Indices count from 0.
    virtual int listCount() const = 0;
    // The selected index: the first entry equal to the edit field's text, -1 when there is none,
    // so that what the field shows is what runs.
    int listIndex() const;
    // The entry text at an index; at -1 it is the text of the edit field. Any other index out
    // of range throws std::out_of_range.
    std::string listText(int index) const;
    // Appends an entry at the end of the list.
    virtual void addItem(const std::string& text) = 0;
    // Removes the entry at an index; the edit field keeps its text. An index out of range
    // throws std::out_of_range.
    void removeItem(int index);

    // The text of the list's edit field.
    virtual std::string editText() const = 0;

protected:
    // The entry at `index`, and its removal, for 0 <= index < listCount().
    virtual std::string entryText(int index) const = 0;
    virtual void removeEntry(int index) = 0;
};

}  // namespace quillon
