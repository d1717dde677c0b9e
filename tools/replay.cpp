#include "replay.h"

#include <charconv>
#include <exception>
#include <fstream>
#include <istream>
#include <ostream>
#include <string_view>

#include "evaluator.h"
#include "handlers.h"
#include "look.h"
#include "utf8.h"

namespace quillon {

namespace {

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

std::string error(const std::string& message) {
    return "{\"error\": " + jsonString(message) + "}";
}

std::string boxesJson(const Controls& controls) {
    return "\"first\": " + jsonString(controls.text(Box::First)) +
           ", \"second\": " + jsonString(controls.text(Box::Second)) +
           ", \"answer\": " + jsonString(controls.text(Box::Answer));
}

std::string clickJson(const ReplayTarget& target, const std::optional<Failure>& failure) {
    const std::string failureJson =
        failure ? jsonString(std::string(failureName(failure->kind))) : "null";
    return "{" + boxesJson(target.controls()) + ", \"failure\": " + failureJson + "}";
}

std::string stateJson(const ReplayTarget& target) {
    const Controls& controls = target.controls();
    std::string entries;
    for (int i = 0; i < controls.listCount(); ++i) {
        entries += (i == 0 ? "" : ", ") + jsonString(controls.listText(i));
    }
    return "{\"mode\": " + std::to_string(target.numberMode()) +
           ", \"firstVisible\": " + (controls.firstVisible() ? "true" : "false") +
           ", \"entries\": [" + entries + "], \"index\": " + std::to_string(controls.listIndex()) +
           ", " + boxesJson(controls) + "}";
}

// Runs `num` or `add` with a menu item number checked against the menu's items.
std::optional<std::string> chooseItem(std::string_view word, std::string_view argument,
                                      ReplayTarget& target) {
    const bool number = word == "num";
    const long last = number ? 2 : static_cast<long>(categories().size());
    const std::optional<long> item = parseInteger(argument);
    if (!item || *item < 1 || *item > last) {
        return error(std::string(word) + " takes an item number from 1 to " + std::to_string(last) +
                     ", not \"" + std::string(argument) + "\"");
    }
    if (number) {
        target.chooseNumberItem(static_cast<std::int16_t>(*item));
    } else {
        target.chooseAddItem(static_cast<std::int16_t>(*item));
    }
    return std::nullopt;
}

std::optional<std::string> boxCommand(std::string_view word, std::string_view argument,
                                      ReplayTarget& target) {
    const auto [boxName, text] = splitWord(argument);
    const std::optional<Box> box = parseBox(boxName);
    if (!box) {
        return error("no box named \"" + std::string(boxName) + "\" (First, Second or Answer)");
    }
    if (word == "set") {
        target.setText(*box, std::string(text));
    } else {
        target.typeText(*box, std::string(text));
    }
    return std::nullopt;
}

std::optional<std::string> selectName(std::string_view name, ReplayTarget& target) {
    const Controls& controls = target.controls();
    for (int i = 0; i < controls.listCount(); ++i) {
        if (controls.listText(i) == name) {
            target.selectIndex(i);
            return std::nullopt;
        }
    }
    return error("Operation has no entry \"" + std::string(name) + "\"");
}

std::optional<std::string> selectIndex(std::string_view argument, ReplayTarget& target) {
    const int count = target.controls().listCount();
    const std::optional<long> index = parseInteger(argument);
    if (!index || *index < -1 || *index >= count) {
        return error("index takes -1 to " + std::to_string(count - 1) + ", not \"" +
                     std::string(argument) + "\"");
    }
    target.selectIndex(static_cast<int>(*index));
    return std::nullopt;
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

void HeadlessTarget::selectIndex(int index) {
    controls_.setEditText(index == -1 ? std::string() : controls_.listText(index));
}

void HeadlessTarget::editOperation(const std::string& text) {
    controls_.setEditText(typeKeys("", text, controlLook("Operation")->typingLimit));
}

std::optional<Failure> HeadlessTarget::pressDoIt() {
    return DoIt_Click(controls_, NumberMode_, &lastTrace_);
}

std::optional<std::string> runCommand(const std::string& rawLine, ReplayTarget& target) {
    std::string line = validUtf8(rawLine);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();  // a script written with CRLF line ends
    }
    if (line.empty() || line.front() == '#' || line.find_first_not_of(" \t") == std::string::npos) {
        return std::nullopt;
    }
    const auto [word, argument] = splitWord(line);
    if (word == "num" || word == "add") {
        return chooseItem(word, argument, target);
    }
    if (word == "set" || word == "type") {
        return boxCommand(word, argument, target);
    }
    if (word == "select") {
        return selectName(argument, target);
    }
    if (word == "index") {
        return selectIndex(argument, target);
    }
    if (word == "edit") {
        target.editOperation(std::string(argument));
        return std::nullopt;
    }
    if (word == "click" && argument.empty()) {
        const std::optional<Failure> failure = target.pressDoIt();
        return clickJson(target, failure);
    }
    if (word == "state" && argument.empty()) {
        return stateJson(target);
    }
    return error("unknown command \"" + line + "\"");
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
    std::string out = "\"";
    for (const char c : validUtf8(text)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[(c >> 4) & 0xF];
                    out += kHex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace quillon
