#include "replay.h"

#include <charconv>
#include <exception>
#include <fstream>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

#include "driver.h"
#include "handlers.h"
#include "look.h"
#include "utf8.h"

namespace quillon {

namespace {

using Json = nlohmann::ordered_json;

// One line of JSON, spaced as the expected outputs are: ", " between members and between
// items, ": " after a key. Indented by 0, the dump breaks the line after each "{", "[" and ","
// and before each "}" and "]", and nowhere else (a line break in a string is escaped).
std::string jsonLine(const Json& value) {
    std::string out;
    for (const char c : value.dump(0)) {
        if (c != '\n') {
            out += c;
        } else if (out.back() == ',') {
            out += ' ';
        }
    }
    return out;
}

// The three boxes' texts, as every printed line of the window starts.
Json boxesJson(const Controls& controls) {
    return {{"first", validUtf8(controls.text(Box::First))},
            {"second", validUtf8(controls.text(Box::Second))},
            {"answer", validUtf8(controls.text(Box::Answer))}};
}

std::optional<long> parseInteger(std::string_view text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Box> parseBox(std::string_view name) {
    for (const Box box : {Box::First, Box::Second, Box::Answer}) {
        if (boxName(box) == name) {
            return box;
        }
    }
    return std::nullopt;
}

// Splits "WORD REST" at the first space; REST is everything after that single space.
std::pair<std::string_view, std::string_view> splitWord(std::string_view text) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, space), text.substr(space + 1)};
}

ScriptCommand error(const std::string& message) {
    return {ScriptCommand::Kind::Error, 0, Box::First, jsonLine({{"error", validUtf8(message)}})};
}

// `num` or `add` with a menu item number checked against the menu's items.
ScriptCommand readItem(std::string_view word, std::string_view argument) {
    const bool number = word == "num";
    const long last = number ? 2 : static_cast<long>(categories().size());
    const std::optional<long> item = parseInteger(argument);
    if (!item || *item < 1 || *item > last) {
        return error(std::string(word) + " takes an item number from 1 to " + std::to_string(last) +
                     ", not \"" + std::string(argument) + "\"");
    }
    return {number ? ScriptCommand::Kind::NumberItem : ScriptCommand::Kind::AddItem,
            static_cast<int>(*item)};
}

ScriptCommand readBoxCommand(std::string_view word, std::string_view argument) {
    const auto [boxName, text] = splitWord(argument);
    const std::optional<Box> box = parseBox(boxName);
    if (!box) {
        return error("no box named \"" + std::string(boxName) + "\" (First, Second or Answer)");
    }
    const ScriptCommand::Kind kind = word == "set"    ? ScriptCommand::Kind::SetText
                                     : word == "type" ? ScriptCommand::Kind::TypeText
                                                      : ScriptCommand::Kind::TypeOverText;
    return {kind, 0, *box, std::string(text)};
}

ScriptCommand readSelectName(std::string_view name, const Controls& controls) {
    for (int i = 0; i < controls.listCount(); ++i) {
        if (controls.listText(i) == name) {
            return {ScriptCommand::Kind::SelectIndex, i};
        }
    }
    return error("Operation has no entry \"" + std::string(name) + "\"");
}

ScriptCommand readSelectIndex(std::string_view argument, const Controls& controls) {
    const int count = controls.listCount();
    const std::optional<long> index = parseInteger(argument);
    if (!index || *index < -1 || *index >= count) {
        return error("index takes -1 to " + std::to_string(count - 1) + ", not \"" +
                     std::string(argument) + "\"");
    }
    return {ScriptCommand::Kind::SelectIndex, static_cast<int>(*index)};
}

}  // namespace

HeadlessTarget::HeadlessTarget() {
    Form_Load(controls_, NumberMode_);
}

void HeadlessTarget::chooseNumberItem(std::int16_t index) {
    mnuNum_Click(controls_, NumberMode_, index);
}

void HeadlessTarget::chooseAddItem(std::int16_t index) {
    mnuAdd_Click(controls_, NumberMode_, index);
}

void HeadlessTarget::setText(Box box, const std::string& text) {
    controls_.setText(box, text);
}

void HeadlessTarget::typeText(Box box, const std::string& text) {
    controls_.setText(box, typeKeys("", text, controlLook(boxName(box))->typingLimit));
}

void HeadlessTarget::typeOverText(Box box, const std::string& text) {
    controls_.setText(
        box, typeKeys(controls_.text(box), text, controlLook(boxName(box))->typingLimit, true));
}

void HeadlessTarget::selectIndex(int index) {
    controls_.setEditText(index == -1 ? std::string() : controls_.listText(index));
}

void HeadlessTarget::editOperation(const std::string& text) {
    controls_.setEditText(typeKeys("", text, controlLook("Operation")->typingLimit));
}

std::optional<Failure> HeadlessTarget::pressDoIt() {
    return DoIt_Click(controls_, NumberMode_, &lastTrace_);
}

ScriptCommand readCommand(const std::string& rawLine, const Controls& controls) {
    std::string line = validUtf8(rawLine);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();  // a script written with CRLF line ends
    }
    if (line.empty() || line.front() == '#' || line.find_first_not_of(" \t") == std::string::npos) {
        return {ScriptCommand::Kind::None};
    }
    const auto [word, argument] = splitWord(line);
    if (word == "num" || word == "add") {
        return readItem(word, argument);
    }
    if (word == "set" || word == "type" || word == "keys") {
        return readBoxCommand(word, argument);
    }
    if (word == "select") {
        return readSelectName(argument, controls);
    }
    if (word == "index") {
        return readSelectIndex(argument, controls);
    }
    if (word == "edit") {
        return {ScriptCommand::Kind::EditOperation, 0, Box::First, std::string(argument)};
    }
    if (word == "click" && argument.empty()) {
        return {ScriptCommand::Kind::Click};
    }
    if (word == "state" && argument.empty()) {
        return {ScriptCommand::Kind::State};
    }
    return error("unknown command \"" + line + "\"");
}

std::string clickJson(const Controls& controls, const std::optional<Failure>& failure) {
    Json line = boxesJson(controls);
    line["failure"] = failure ? Json(std::string(failureName(failure->kind))) : Json();
    return jsonLine(line);
}

std::string stateJson(std::int16_t numberMode, const Controls& controls) {
    Json entries = Json::array();
    for (int i = 0; i < controls.listCount(); ++i) {
        entries.push_back(validUtf8(controls.listText(i)));
    }
    Json line = {{"mode", numberMode},
                 {"firstVisible", controls.firstVisible()},
                 {"entries", std::move(entries)},
                 {"index", controls.listIndex()}};
    line.update(boxesJson(controls));
    return jsonLine(line);
}

std::optional<std::string> runCommand(const std::string& line, ReplayTarget& target) {
    const ScriptCommand command = readCommand(line, target.controls());
    switch (command.kind) {
        case ScriptCommand::Kind::None:
            return std::nullopt;
        case ScriptCommand::Kind::Error:
            return command.text;
        case ScriptCommand::Kind::NumberItem:
            target.chooseNumberItem(static_cast<std::int16_t>(command.number));
            return std::nullopt;
        case ScriptCommand::Kind::AddItem:
            target.chooseAddItem(static_cast<std::int16_t>(command.number));
            return std::nullopt;
        case ScriptCommand::Kind::SetText:
            target.setText(command.box, command.text);
            return std::nullopt;
        case ScriptCommand::Kind::TypeText:
            target.typeText(command.box, command.text);
            return std::nullopt;
        case ScriptCommand::Kind::TypeOverText:
            target.typeOverText(command.box, command.text);
            return std::nullopt;
        case ScriptCommand::Kind::SelectIndex:
            target.selectIndex(command.number);
            return std::nullopt;
        case ScriptCommand::Kind::EditOperation:
            target.editOperation(command.text);
            return std::nullopt;
        case ScriptCommand::Kind::Click: {
            const std::optional<Failure> failure = target.pressDoIt();
            return clickJson(target.controls(), failure);
        }
        case ScriptCommand::Kind::State:
            return stateJson(target.numberMode(), target.controls());
    }
    return std::nullopt;
}

void replay(std::istream& in, std::ostream& out, ReplayTarget& target) {
    std::string line;
    while (std::getline(in, line)) {
        if (const std::optional<std::string> printed = runCommand(line, target)) {
            out << *printed << '\n' << std::flush;
        }
    }
}

bool replayFiles(const std::vector<std::string>& paths, std::ostream& out) {
    bool allRan = true;
    for (const std::string& path : paths) {
        out << "### " << path << '\n';
        // Bytes unchanged, as standard input is read: a CR before a line feed stays for the
        // driver to drop.
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            out << "### cannot read\n" << std::flush;
            allRan = false;
            continue;
        }
        try {
            HeadlessTarget target;
            replay(in, out, target);
            out << "### end\n" << std::flush;
        } catch (const std::exception&) {
            // Its text differs between standard libraries; that one escaped is what counts.
            out << "### uncaught exception\n" << std::flush;
            allRan = false;
        }
    }
    return allRan;
}

std::string jsonString(const std::string& text) {
    return Json(validUtf8(text)).dump();
}

}  // namespace quillon
