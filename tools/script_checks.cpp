#include "script_checks.h"

#include <map>
#include <utility>

#include "catalogue.h"
#include "replay.h"

namespace quillon {

namespace {

// A JSON reader that only validates, except that it keeps the string members of a top-level
// object, decoded, for the click check.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // The whole text is one value; `members` receives the string members of a top-level object.
    bool document(std::map<std::string, std::string>* members) {
        skipBlanks();
        if (!value(0, members)) {
            return false;
        }
        skipBlanks();
        return at_ == text_.size();
    }

private:
    // Deeper nesting than any line of the driver is refused rather than recursed into.
    static constexpr int kMaxDepth = 16;

    bool value(int depth, std::map<std::string, std::string>* members) {
        if (at_ >= text_.size() || depth > kMaxDepth) {
            return false;
        }
        switch (text_[at_]) {
            case '{':
                return object(depth, members);
            case '[':
                return array(depth);
            case '"':
                return string(nullptr);
            case 't':
                return literal("true");
            case 'f':
                return literal("false");
            case 'n':
                return literal("null");
            default:
                return number();
        }
    }

    bool object(int depth, std::map<std::string, std::string>* members) {
        ++at_;  // {
        skipBlanks();
        if (take('}')) {
            return true;
        }
        do {
            skipBlanks();
            std::string key;
            if (!string(&key)) {
                return false;
            }
            skipBlanks();
            if (!take(':')) {
                return false;
            }
            skipBlanks();
            if (members != nullptr && at_ < text_.size() && text_[at_] == '"') {
                std::string decoded;
                if (!string(&decoded)) {
                    return false;
                }
                (*members)[key] = decoded;
            } else if (!value(depth + 1, nullptr)) {
                return false;
            }
            skipBlanks();
        } while (take(','));
        return take('}');
    }

    bool array(int depth) {
        ++at_;  // [
        skipBlanks();
        if (take(']')) {
            return true;
        }
        do {
            skipBlanks();
            if (!value(depth + 1, nullptr)) {
                return false;
            }
            skipBlanks();
        } while (take(','));
        return take(']');
    }

    // A string literal, decoded into `out` if given. Its raw bytes must be valid UTF-8 and hold
    // no control character; its escapes must be complete and pair their surrogates.
    bool string(std::string* out) {
        if (!take('"')) {
            return false;
        }
        std::string decoded;
        while (at_ < text_.size() && text_[at_] != '"') {
            const char c = text_[at_];
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c != '\\') {
                decoded += c;
                ++at_;
                continue;
            }
            if (++at_ >= text_.size()) {
                return false;
            }
            const char escaped = text_[at_++];
            switch (escaped) {
                case '"':
                case '\\':
                case '/':
                    decoded += escaped;
                    break;
                case 'b':
                    decoded += '\b';
                    break;
                case 'f':
                    decoded += '\f';
                    break;
                case 'n':
                    decoded += '\n';
                    break;
                case 'r':
                    decoded += '\r';
                    break;
                case 't':
                    decoded += '\t';
                    break;
                case 'u':
                    if (!unicodeEscape(decoded)) {
                        return false;
                    }
                    break;
                default:
                    return false;
            }
        }
        if (!take('"') || !isUtf8(decoded)) {
            return false;
        }
        if (out != nullptr) {
            *out = std::move(decoded);
        }
        return true;
    }

    // After "\u": four hex digits, and a second escape for a high surrogate.
    bool unicodeEscape(std::string& decoded) {
        std::uint32_t unit = 0;
        if (!hex4(unit)) {
            return false;
        }
        std::uint32_t code = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (!take('\\') || !take('u') || !hex4(low) || low < 0xDC00 || low > 0xDFFF) {
                return false;
            }
            code = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
        appendUtf8(decoded, code);
        return true;
    }

    bool hex4(std::uint32_t& unit) {
        for (int i = 0; i < 4; ++i) {
            if (at_ >= text_.size()) {
                return false;
            }
            const char c = text_[at_++];
            std::uint32_t digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<std::uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<std::uint32_t>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<std::uint32_t>(c - 'A' + 10);
            } else {
                return false;
            }
            unit = unit * 16 + digit;
        }
        return true;
    }

    static void appendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    bool number() {
        take('-');
        if (take('0')) {
        } else if (!digits()) {
            return false;
        }
        if (take('.') && !digits()) {
            return false;
        }
        if (take('e') || take('E')) {
            if (!take('+')) {
                take('-');
            }
            return digits();
        }
        return true;
    }

    bool digits() {
        const std::size_t begin = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            ++at_;
        }
        return at_ > begin;
    }

    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) {
            return false;
        }
        at_ += word.size();
        return true;
    }

    bool take(char c) {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

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
    if (printed && !isJson(*printed)) {
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

std::optional<std::string> checkClickLine(std::string_view line, const BoxTexts& boxes) {
    std::map<std::string, std::string> members;
    if (!JsonReader(line).document(&members)) {
        return "a click printed a line that is not JSON: " + std::string(line);
    }
    const std::pair<const char*, const std::string*> shown[] = {
        {"first", &boxes.first}, {"second", &boxes.second}, {"answer", &boxes.answer}};
    for (const auto& [key, text] : shown) {
        const auto member = members.find(key);
        if (member == members.end()) {
            return std::string("a click printed no text for \"") + key + "\": " + std::string(line);
        }
        if (member->second != *text) {
            return std::string("a click printed \"") + key + "\" " + jsonString(member->second) +
                   " while the box holds " + jsonString(*text) +
                   (isUtf8(*text) ? "" : ", which is not valid UTF-8");
        }
    }
    return std::nullopt;
}

bool isJson(std::string_view text) {
    return JsonReader(text).document(nullptr);
}

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        unsigned char low = 0x80;  // the range of the first continuation byte
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong form
            high = lead == 0xED ? 0x9F : 0xBF;  // no surrogate
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;   // no overlong form
            high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
                return false;
            }
        }
        i += length;
    }
    return true;
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
