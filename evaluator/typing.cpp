#include "typing.h"

#include <algorithm>

namespace quillon {

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

std::optional<TypedText> typeInto(std::u16string_view held, std::size_t selectionStart,
                                  std::size_t selectionEnd, std::u16string_view inserted,
                                  std::size_t limit) {
    selectionEnd = std::min(selectionEnd, held.size());
    selectionStart = std::min(selectionStart, selectionEnd);
    const std::u16string_view line = inserted.substr(0, inserted.find_first_of(u"\r\n"));
    const std::size_t kept = held.size() - (selectionEnd - selectionStart);
    std::size_t fits = line.size();
    if (kept + line.size() > limit) {
        fits = limit > kept ? std::min(limit - kept, line.size()) : 0;
        if (fits > 0 && fits < line.size() && isHighSurrogate(line[fits - 1])) {
            --fits;
        }
    }
    std::u16string text;
    text.reserve(kept + fits);
    text.append(held.substr(0, selectionStart));
    text.append(line.substr(0, fits));
    text.append(held.substr(selectionEnd));
    if (text == held) {
        return std::nullopt;
    }
    return TypedText{std::move(text), selectionStart + fits};
}

}  // namespace quillon
