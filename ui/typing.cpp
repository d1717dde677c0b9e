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

namespace {

std::size_t commonPrefix(std::u16string_view a, std::u16string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                                    a.begin());
}

std::size_t commonSuffix(std::u16string_view a, std::u16string_view b) {
    return static_cast<std::size_t>(
        std::mismatch(a.rbegin(), a.rend(), b.rbegin(), b.rend()).first - a.rbegin());
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

Edit editBetween(std::u16string_view held, std::size_t selectionStart, std::size_t selectionEnd,
                 std::u16string_view changed, std::size_t cursor) {
    const auto between = [&](std::size_t start, std::size_t end) {
        return Edit{start, held.size() - end, changed.substr(start, changed.size() - end - start)};
    };
    // Typing, pasting and dropping replace the selection, or insert at the cursor.
    if (selectionStart <= selectionEnd && selectionEnd <= held.size()) {
        const std::size_t suffix = held.size() - selectionEnd;
        if (selectionStart + suffix <= changed.size() &&
            changed.starts_with(held.substr(0, selectionStart)) &&
            changed.ends_with(held.substr(selectionEnd))) {
            return between(selectionStart, suffix);
        }
    }
    // A removal from one place (a key, a cut, a drop moving text out): the held text's start
    // and end that the change keeps, with nothing inserted between them.
    const std::size_t prefix = commonPrefix(held, changed);
    if (changed.size() < held.size() && prefix + commonSuffix(held, changed) >= changed.size()) {
        return between(prefix, changed.size() - prefix);
    }
    // Anything else: the longest common start and end, the inserted text ending at the cursor.
    std::size_t end =
        std::min(commonSuffix(held, changed), changed.size() - std::min(cursor, changed.size()));
    std::size_t start = std::min({prefix, held.size() - end, changed.size() - end});
    if (start > 0 && isHighSurrogate(changed[start - 1])) {
        --start;
    }
    if (end > 0 && isLowSurrogate(changed[changed.size() - end])) {
        --end;
    }
    return between(start, end);
}

JudgedChange judgeChange(std::u16string_view held, std::size_t selectionStart,
                         std::size_t selectionEnd, std::u16string_view changed, std::size_t cursor,
                         std::size_t limit) {
    const Edit edit = editBetween(held, selectionStart, selectionEnd, changed, cursor);
    TypedText typed = typeInto(held, edit.start, edit.end, edit.inserted, limit);
    const bool note = showsTooLongNote(typed, edit.inserted);
    return {std::move(typed), note};
}

std::string typeKeys(std::string current, const std::string& typed, std::size_t limit,
                     bool overSelection) {
    std::u16string held = toUtf16(current);
    std::size_t selectionStart = overSelection ? 0 : held.size();
    for (std::size_t at = 0; at < typed.size();) {
        const char32_t point = nextCodePoint(typed, at);
        if (point < 0x20 || (point >= 0x7F && point < 0xA0)) {
            continue;  // a control character is no text: its key types nothing
        }
        // Each key replaces the selection, if any, else goes in at the end, and the box judges
        // it as it judges any typing.
        std::string key;
        appendUtf8(key, point);
        TypedText after = typeInto(held, selectionStart, held.size(), toUtf16(key), limit);
        if (after.outcome == TypedText::Outcome::TooLong) {
            continue;
        }
        // Taken, or the same text again (the selected text typed over itself): either way the
        // selection is gone and the cursor stands after the key.
        if (selectionStart == 0) {
            current.clear();
        }
        held = std::move(after.text);
        current += key;
        selectionStart = held.size();
    }
    return current;
}

}  // namespace quillon
