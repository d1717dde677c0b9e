// UTF-8 texts seen as the UTF-16 code units the window holds them in.
#pragma once

#include <cstddef>
#include <string>

#include "typing.h"

namespace quillon {

// UTF-16 code-unit order of two UTF-8 texts: negative, zero or positive. The first differing
// code unit decides and a proper prefix sorts first, without regard to locale.
int compareTexts(const std::string& left, const std::string& right);

// Number of UTF-16 code units of a UTF-8 text.
int utf16Length(const std::string& text);

// The text with every malformed UTF-8 byte replaced by U+FFFD.
std::string validUtf8(const std::string& text);

// What a user typing `typed` key by key into a box holding `current` ends up with: a key is
// refused when the text would then exceed `limit` UTF-16 code units (kNoTypingLimit: none),
// and a control character (a tab, say) types nothing.
std::string typeKeys(std::string current, const std::string& typed, std::size_t limit);

}  // namespace quillon
