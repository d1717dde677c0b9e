#include "typing.h"

#include <algorithm>
#include <utility>

#include "utf8.h"

namespace quillon {

std::string tooLongNote(std::size_t limit) {
    return "At most " + std::to_string(limit) + " characters";
}

TypedText typeInto(std::u16string_view held, std::size_t selectionStart, std::size_t selectionEnd,
                   std::u16string_view inserted, std::size_t limit) {
    selectionEnd = std::min(selectionEnd, held.size());
    selectionStart = std::min(selectionStart, selectionEnd);
    const std::u16string_view line = inserted.substr(0, inserted.find_first_of(u"\r\n"));
    const std::size_t kept = held.size() - (selectionEnd - selectionStart);
    if (!line.empty() && line.size() > limit - std::min(limit, kept)) {
        return {TypedText::Outcome::TooLong, std::u16string(held), selectionEnd};
    }
    std::u16string text;
    text.reserve(kept + line.size());
    text.append(held.substr(0, selectionStart));
    text.append(line);
    text.append(held.substr(selectionEnd));
    const std::size_t cursor = selectionStart + line.size();
    if (text == held) {
        return {TypedText::Outcome::Unchanged, std::move(text), cursor};
    }
    return {TypedText::Outcome::Taken, std::move(text), cursor};
}

bool showsTooLongNote(const TypedText& typed, std::u16string_view inserted) {
    const std::u16string_view line = inserted.substr(0, inserted.find_first_of(u"\r\n"));
    const bool onePair = line.size() == 2 && line[0] >= 0xD800 && line[0] <= 0xDBFF;
    return typed.outcome == TypedText::Outcome::TooLong && line.size() > 1 && !onePair;
}

std::string typeKeys(std::string current, const std::string& typed, std::size_t limit) {
    std::u16string held = toUtf16(current);
    for (std::size_t at = 0; at < typed.size();) {
        const char32_t point = nextCodePoint(typed, at);
        if (point < 0x20 || (point >= 0x7F && point < 0xA0)) {
            continue;  // a control character is no text: its key types nothing
        }
        // Each key is inserted at the end, and the box judges it as it judges any typing.
        std::string key;
        appendUtf8(key, point);
        TypedText after = typeInto(held, held.size(), held.size(), toUtf16(key), limit);
        if (after.outcome == TypedText::Outcome::Taken) {
            held = std::move(after.text);
            current += key;
        }
    }
    return current;
}

}  // namespace quillon
