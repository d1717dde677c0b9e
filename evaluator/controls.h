// Quillon's layers and how a button press flows through them:
//
//   widget event (ui/qt/Form1, ui/web/quillon.js) -> handler (DoIt_Click, Form_Load, mnuNum_Click, mnuAdd_Click)
//   -> Controls (this interface) -> evaluator (prologue, dispatch, operator steps)
//   -> one text written into Answer.
//
// The evaluator and the catalogue handlers never see a widget: they reach the window only
// through the small set of control operations below. The Qt window implements them on real
// widgets; MemoryControls implements them in memory for the tests and the scripted driver.
// All texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The typing limit of First and Second, in UTF-16 code units as the toolkit counts.
inline constexpr int kTypingLimit = 18;

// The edit field's text of Operation at start-up, before any operation is chosen.
inline constexpr std::string_view kChooseOperation = "Choose Operation";

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
    // The selected index, -1 when the edit field's text is no entry of the list.
    virtual int listIndex() const = 0;
    // The entry text at an index; at -1 it is the text of the edit field.
    virtual std::string listText(int index) const = 0;
    // Appends an entry at the end of the list.
    virtual void addItem(const std::string& text) = 0;
    // Removes the entry at an index; the edit field keeps its text.
    virtual void removeItem(int index) = 0;
};

}  // namespace quillon
