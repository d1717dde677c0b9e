// The scripted driver's reader and writer (tools/replay.h) for the DOM driver
// (ui/web/tools/page_driver.mjs): it reads each script line and prints each JSON line as
// quillon-replay does, so that no second grammar or JSON writer is written in JavaScript. Built
// for node, for the browser tests only; the page's own core does not carry it.
//
// The driver hands in what it read off the page: {first, second, answer, firstVisible, entries,
// operation}, the last the text of the list's edit field.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls.h"
#include "failure.h"
#include "replay.h"

namespace quillon {

namespace {

using emscripten::val;

// The window as read off the page; the JSON writers only read it.
class PageReading : public Controls {
public:
    explicit PageReading(const val& page)
        : texts_{page["first"].as<std::string>(), page["second"].as<std::string>(),
                 page["answer"].as<std::string>()},
          firstVisible_(page["firstVisible"].as<bool>()),
          entries_(emscripten::vecFromJSArray<std::string>(page["entries"])),
          editText_(page["operation"].as<std::string>()) {}

    std::string text(Box box) const override { return texts_.at(static_cast<std::size_t>(box)); }
    bool firstVisible() const override { return firstVisible_; }
    int listCount() const override { return static_cast<int>(entries_.size()); }
    std::string editText() const override { return editText_; }

    void setText(Box, const std::string&) override { readOnly(); }
    void setFirstVisible(bool) override { readOnly(); }
    void addItem(const std::string&) override { readOnly(); }

protected:
    std::string entryText(int index) const override {
        return entries_.at(static_cast<std::size_t>(index));
    }
    void removeEntry(int) override { readOnly(); }

private:
    [[noreturn]] static void readOnly() {
        throw std::logic_error("the page's reading is not written to");
    }

    std::array<std::string, 3> texts_;
    bool firstVisible_;
    std::vector<std::string> entries_;
    std::string editText_;
};

const char* kindName(ScriptCommand::Kind kind) {
    switch (kind) {
        case ScriptCommand::Kind::None:
            return "none";
        case ScriptCommand::Kind::Error:
            return "error";
        case ScriptCommand::Kind::NumberItem:
            return "num";
        case ScriptCommand::Kind::AddItem:
            return "add";
        case ScriptCommand::Kind::SetText:
            return "set";
        case ScriptCommand::Kind::TypeText:
            return "type";
        case ScriptCommand::Kind::TypeOverText:
            return "keys";
        case ScriptCommand::Kind::SelectIndex:
            return "select";
        case ScriptCommand::Kind::EditOperation:
            return "edit";
        case ScriptCommand::Kind::Click:
            return "click";
        case ScriptCommand::Kind::State:
            return "state";
    }
    return "error";
}

// One script line as read against the page's reading: {kind, number, box, text}, `kind` the
// command's word ("select" for index too), "none" for a line that does nothing, or "error", whose
// `text` is the line to print.
val readLine(const std::string& line, const val& page) {
    const ScriptCommand command = readCommand(line, PageReading(page));
    val out = val::object();
    out.set("kind", std::string(kindName(command.kind)));
    out.set("number", command.number);
    out.set("box", std::string(boxName(command.box)));
    out.set("text", command.text);
    return out;
}

// The line a click prints, from the boxes read off the page and the failure dialog's message,
// or null (no dialog); null when the message starts with no failure's title.
val clickLine(const val& page, const val& message) {
    std::optional<Failure> failure;
    if (!message.isNull()) {
        const std::string shown = message.as<std::string>();
        for (const FailureKind kind : {FailureKind::TypeMismatch, FailureKind::Overflow,
                                       FailureKind::DivisionByZero, FailureKind::InvalidArgument}) {
            if (shown.starts_with(std::string(failureTitle(kind)) + ": ")) {
                failure = Failure{kind, std::nullopt};
            }
        }
        if (!failure) {
            return val::null();
        }
    }
    return val(clickJson(PageReading(page), failure));
}

std::string stateLine(int mode, const val& page) {
    return stateJson(static_cast<std::int16_t>(mode), PageReading(page));
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon_script) {
    emscripten::function("readLine", &readLine);
    emscripten::function("clickLine", &clickLine);
    emscripten::function("stateLine", &stateLine);
}

}  // namespace quillon
