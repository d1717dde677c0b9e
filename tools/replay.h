// The scripted driver: reads a script of user actions, one command a line, and carries them
// out on a freshly loaded window, printing one JSON line for each "click", "state" and each
// command that cannot be carried out.
//
//   num K          item K of "Number of Figures" (1 or 2)
//   add K          item K of "Add Operations" (1 to 7)
//   set BOX TEXT   replaces the text of First, Second or Answer as a program would
//   type BOX TEXT  empties the box, then types TEXT key by key (First and Second refuse keys
//                  past 18 characters)
//   keys BOX TEXT  selects the box's whole text, as Tab leaves it, then types TEXT key by key
//                  over it without emptying the box first
//   select NAME    selects the entry of Operation whose text is exactly NAME
//   index I        selects entry I of Operation; -1 selects none and empties the edit field
//   edit TEXT      replaces the text of Operation's edit field as a user typing it would
//   click          presses "Do It!" and prints the boxes and the failure, if any
//   state          prints the mode, the visibility of First, the list and the boxes
//
// Blank lines and lines starting with "#" are ignored.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "driver.h"
#include "failure.h"
#include "memory_controls.h"

namespace quillon {

// What the scripted driver acts on: the window itself, or the same handlers on controls held
// in memory. The script runner checks each command's arguments before it calls a member.
class ReplayTarget {
public:
    virtual ~ReplayTarget() = default;

    virtual void chooseNumberItem(std::int16_t index) = 0;
    virtual void chooseAddItem(std::int16_t index) = 0;
    virtual void setText(Box box, const std::string& text) = 0;
    virtual void typeText(Box box, const std::string& text) = 0;
    virtual void typeOverText(Box box, const std::string& text) = 0;
    // `index` is an entry of the list, or -1.
    virtual void selectIndex(int index) = 0;
    virtual void editOperation(const std::string& text) = 0;
    virtual std::optional<Failure> pressDoIt() = 0;

    virtual const Controls& controls() const = 0;
    virtual std::int16_t numberMode() const = 0;
};

// The handlers on controls in memory, freshly loaded.
class HeadlessTarget : public ReplayTarget {
public:
    HeadlessTarget();

    void chooseNumberItem(std::int16_t index) override;
    void chooseAddItem(std::int16_t index) override;
    void setText(Box box, const std::string& text) override;
    void typeText(Box box, const std::string& text) override;
    void typeOverText(Box box, const std::string& text) override;
    void selectIndex(int index) override;
    void editOperation(const std::string& text) override;
    std::optional<Failure> pressDoIt() override;

    const Controls& controls() const override { return controls_; }
    std::int16_t numberMode() const override { return NumberMode_; }
    // What the last press of "Do It!" did besides its writes.
    const EvaluationTrace& lastTrace() const { return lastTrace_; }

private:
    MemoryControls controls_;
    std::int16_t NumberMode_ = 0;
    EvaluationTrace lastTrace_;
};

// One line of a script as read, before anything is carried out.
struct ScriptCommand {
    enum class Kind {
        None,           // a blank line or a comment
        Error,          // a line that cannot be carried out; `text` is the JSON line it prints
        NumberItem,     // num: `number` is the item
        AddItem,        // add: `number` is the item
        SetText,        // set: `box` and `text`
        TypeText,       // type: `box` and `text`
        TypeOverText,   // keys: `box` and `text`
        SelectIndex,    // select and index: `number` is the entry, or -1
        EditOperation,  // edit: `text`
        Click,
        State,
    };
    Kind kind;
    int number = 0;
    Box box = Box::First;
    std::string text = {};
};

// Reads one script line; `controls` are the window's as they stand, whose list a selection is
// checked against.
ScriptCommand readCommand(const std::string& line, const Controls& controls);

// The JSON lines printed for "click", with the failure it stopped at, if any, and for "state".
std::string clickJson(const Controls& controls, const std::optional<Failure>& failure);
std::string stateJson(std::int16_t numberMode, const Controls& controls);

// Carries out one script line; returns the JSON line it prints, or nothing.
std::optional<std::string> runCommand(const std::string& line, ReplayTarget& target);

// Carries out a whole script, writing one JSON object a line.
void replay(std::istream& in, std::ostream& out, ReplayTarget& target);

// Carries out each script file on a freshly loaded window of its own, as if each were run
// alone, and writes, for each, a line "### FILE", the lines the script prints, and a closing
// line: "### end" when it ran through, "### cannot read" when the file could not be read, or
// "### uncaught exception" when one escaped (a run of the script alone would end abnormally
// there). The printed lines are JSON objects, so no line of a script's output starts with "#".
// Returns false when a file could not be read or an exception escaped.
bool replayFiles(const std::vector<std::string>& paths, std::ostream& out);

// A text as a JSON string literal, with quotes.
std::string jsonString(const std::string& text);

}  // namespace quillon
