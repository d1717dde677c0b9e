// How a text box judges what the user types, pastes or drops, whatever the toolkit: the rule
// is a plain function from the text held before the change to the text held after it.
//
// Lengths and positions count UTF-16 code units, as the toolkits do.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The limit of a box that takes any length (Answer, and the list's edit field).
inline constexpr std::size_t kNoTypingLimit = std::numeric_limits<std::size_t>::max();

// What a box holds after a change, and where the cursor stands.
struct TypedText {
    std::u16string text;
    std::size_t cursor;

    friend bool operator==(const TypedText&, const TypedText&) = default;
};

// What a box holding `held` holds after the user inserts `inserted` over the selection
// [selectionStart, selectionEnd) (an empty selection is the cursor), with at most `limit` code
// units; nothing when the box refuses the change and keeps `held`:
// - only the first line of the inserted text is taken, up to its first line break (CR or LF);
// - a change that fits, or that only removes characters, is taken whole, so a longer text that
//   the program wrote is kept and can be shortened;
// - otherwise only the first characters of the line that fit are kept, never half a surrogate
//   pair, and the change is refused when nothing of it is left.
std::optional<TypedText> typeInto(std::u16string_view held, std::size_t selectionStart,
                                  std::size_t selectionEnd, std::u16string_view inserted,
                                  std::size_t limit);

}  // namespace quillon
