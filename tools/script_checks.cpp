#include "script_checks.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "handlers.h"
#include "replay.h"
#include "utf8.h"

namespace quillon {

namespace {

// JSON's escapes of one character: the letter after the backslash and the character it stands
// for.
constexpr std::pair<char, char> kEscapes[] = {{'"', '"'},  {'\\', '\\'}, {'/', '/'},  {'b', '\b'},
                                              {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'}};

// A string literal of `line` from its opening quote at `at`, decoded; `at` ends past its
// closing quote.
std::optional<std::string> stringLiteral(std::string_view line, std::size_t& at) {
    std::string text;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        const char c = line[at];
        if (static_cast<unsigned char>(c) < 0x20) {
            return std::nullopt;  // a control character is written escaped
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++at == line.size()) {
            return std::nullopt;
        }
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [&](const auto& e) { return e.first == line[at]; });
        if (escape != std::end(kEscapes)) {
            text += escape->second;
            continue;
        }
        // "\u00XX": a control character, in two hexadecimal digits.
        unsigned code = 0x20;
        const std::string_view digits = line.substr(at + 1, 4);
        if (line[at] != 'u' || digits.size() != 4 || !digits.starts_with("00") ||
            std::from_chars(digits.data() + 2, digits.data() + 4, code, 16).ptr !=
                digits.data() + 4 ||
            code >= 0x20) {
            return std::nullopt;
        }
        text += static_cast<char>(code);
        at += 4;
    }
    if (at == line.size()) {
        return std::nullopt;  // the literal does not end
    }
    ++at;
    return text;
}

// Whether a word outside the literals is one that JSON knows: an integer or a literal name.
bool isJsonWord(std::string_view word) {
    if (word == "true" || word == "false" || word == "null") {
        return true;
    }
    const std::string_view digits = word.starts_with('-') ? word.substr(1) : word;
    return !digits.empty() && (digits == "0" || digits.front() != '0') &&
           digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// The headless window, noting the boxes just before each press of "Do It!" and whether a menu
// changed any of them.
class WatchedTarget : public HeadlessTarget {
public:
    std::optional<Failure> pressDoIt() override {
        pressed = true;
        before = BoxTexts::of(controls());
        return HeadlessTarget::pressDoIt();
    }
    void chooseNumberItem(std::int16_t index) override {
        watchMenu("Number of Figures", [&] { HeadlessTarget::chooseNumberItem(index); });
    }
    void chooseAddItem(std::int16_t index) override {
        watchMenu("Add Operations", [&] { HeadlessTarget::chooseAddItem(index); });
    }

    bool pressed = false;
    BoxTexts before;
    std::optional<std::string> menuViolation;

private:
    template <typename Choose>
    void watchMenu(const char* menu, Choose choose) {
        const BoxTexts was = BoxTexts::of(controls());
        choose();
        if (BoxTexts::of(controls()) != was) {
            menuViolation = std::string("the menu \"") + menu + "\" changed the text of a box";
        }
    }
};

std::optional<std::string> checkCommand(WatchedTarget& target, const std::string& line) {
    target.pressed = false;
    target.menuViolation.reset();
    const std::optional<std::string> printed = runCommand(line, target);
    if (target.menuViolation) {
        return target.menuViolation;
    }
    if (printed && !jsonTokens(*printed)) {
        return "printed a line that is not JSON: " + *printed;
    }
    if (target.pressed) {
        const BoxTexts after = BoxTexts::of(target.controls());
        if (auto violation = checkLoopPasses(target.lastTrace().loopSteps)) {
            return violation;
        }
        if (auto violation = checkRecall(target.before, after, target.numberMode())) {
            return violation;
        }
        if (!printed) {
            return std::string("a click printed nothing");
        }
        if (auto violation = checkClickLine(*printed, after)) {
            return violation;
        }
    }
    return checkBasicBlock(target.controls(), target.numberMode());
}

}  // namespace

BoxTexts BoxTexts::of(const Controls& controls) {
    return {controls.text(Box::First), controls.text(Box::Second), controls.text(Box::Answer)};
}

std::optional<std::string> checkLoopPasses(std::uint64_t passes) {
    if (passes > kLoopPassBound) {
        return "a click ran " + std::to_string(passes) + " loop passes, more than " +
               std::to_string(kLoopPassBound);
    }
    return std::nullopt;
}

std::optional<std::string> checkRecall(const BoxTexts& before, const BoxTexts& after,
                                       std::int16_t NumberMode) {
    const auto check = [&](const char* name, const std::string& was,
                           const std::string& now) -> std::optional<std::string> {
        if (now == was) {
            return std::nullopt;
        }
        if (was.find('%') == std::string::npos || now != before.answer) {
            return std::string("a click changed ") + name + " from " + jsonString(was) + " to " +
                   jsonString(now) + " with Answer " + jsonString(before.answer);
        }
        return std::nullopt;
    };
    if (NumberMode != 2 && after.first != before.first) {
        return "a click in one-number mode changed First from " + jsonString(before.first) +
               " to " + jsonString(after.first);
    }
    if (auto violation = check("First", before.first, after.first)) {
        return violation;
    }
    return check("Second", before.second, after.second);
}

std::optional<std::string> checkBasicBlock(const Controls& controls, std::int16_t NumberMode) {
    const CatalogueBlock& basic = basicBlock();
    const auto& entries = NumberMode == 2 ? basic.twoNumbers : basic.oneNumber;
    if (controls.listCount() < static_cast<int>(entries.size())) {
        return "the list holds " + std::to_string(controls.listCount()) +
               " entries, fewer than the basic block of mode " + std::to_string(NumberMode);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = controls.listText(static_cast<int>(i));
        if (entry != entries[i].name) {
            return "entry " + std::to_string(i) + " of the list is " + jsonString(entry) +
                   ", not the basic block's " + jsonString(std::string(entries[i].name));
        }
    }
    return std::nullopt;
}

std::optional<std::vector<JsonToken>> jsonTokens(std::string_view line) {
    if (validUtf8(std::string(line)) != line) {
        return std::nullopt;
    }
    std::vector<JsonToken> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ') {
            ++at;
        } else if (line[at] == '"') {
            std::optional<std::string> text = stringLiteral(line, at);
            if (!text) {
                return std::nullopt;
            }
            tokens.push_back({true, std::move(*text)});
        } else if (std::string_view("{}[]:,").find(line[at]) != std::string_view::npos) {
            tokens.push_back({false, std::string(1, line[at++])});
        } else {
            const std::size_t end = std::min(line.find_first_of(" \"{}[]:,", at), line.size());
            if (!isJsonWord(line.substr(at, end - at))) {
                return std::nullopt;
            }
            tokens.push_back({false, std::string(line.substr(at, end - at))});
            at = end;
        }
    }
    return tokens;
}

std::optional<std::string> checkClickLine(std::string_view line, const BoxTexts& boxes) {
    const std::optional<std::vector<JsonToken>> tokens = jsonTokens(line);
    if (!tokens) {
        return "a click printed a line that is not JSON: " + std::string(line);
    }
    const std::pair<const char*, const std::string*> shown[] = {
        {"first", &boxes.first}, {"second", &boxes.second}, {"answer", &boxes.answer}};
    for (const auto& [key, text] : shown) {
        // The member: the key, a colon and a string.
        const JsonToken member[] = {{true, key}, {false, ":"}};
        const auto found =
            std::search(tokens->begin(), tokens->end(), std::begin(member), std::end(member));
        if (found == tokens->end() || tokens->end() - found < 3 || !found[2].isString) {
            return std::string("a click printed no text for \"") + key + "\": " + std::string(line);
        }
        if (found[2].text != *text) {
            return std::string("a click printed \"") + key + "\" " + jsonString(found[2].text) +
                   " while the box holds " + jsonString(*text) +
                   (validUtf8(*text) == *text ? "" : ", which is not valid UTF-8");
        }
    }
    return std::nullopt;
}

std::optional<std::string> findViolation(std::string_view script) {
    WatchedTarget target;
    if (auto violation = checkBasicBlock(target.controls(), target.numberMode())) {
        return "at start-up: " + *violation;
    }
    std::size_t lineNumber = 0;
    std::size_t begin = 0;
    while (begin < script.size()) {
        std::size_t end = script.find('\n', begin);
        if (end == std::string_view::npos) {
            end = script.size();
        }
        ++lineNumber;
        if (auto violation = checkCommand(target, std::string(script.substr(begin, end - begin)))) {
            return "line " + std::to_string(lineNumber) + ": " + *violation;
        }
        begin = end + 1;
    }
    return std::nullopt;
}

}  // namespace quillon
