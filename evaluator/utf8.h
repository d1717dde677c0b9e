// UTF-8 texts seen as the UTF-16 code units the window holds them in.
#pragma once

#include <cstddef>
#include <string>

namespace quillon {

// Reads the code point of a UTF-8 text at `at` and moves `at` past it; malformed bytes read as
// U+FFFD one at a time.
char32_t nextCodePoint(const std::string& text, std::size_t& at);

// Appends a code point to a UTF-8 text.
void appendUtf8(std::string& out, char32_t point);

// The UTF-16 code units of a UTF-8 text, malformed bytes as U+FFFD.
std::u16string toUtf16(const std::string& text);

// UTF-16 code-unit order of two UTF-8 texts: negative, zero or positive. The first differing
// code unit decides and a proper prefix sorts first, without regard to locale.
int compareTexts(const std::string& left, const std::string& right);

// The text with every malformed UTF-8 byte replaced by U+FFFD.
std::string validUtf8(const std::string& text);

}  // namespace quillon
