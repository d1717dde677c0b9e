// Doubles written as the program writes them: the general format at 15 significant digits,
// through no locale.
//
// toChars is std::to_chars where the standard library has it for doubles. A standard library
// without it (the libc++ of the WebAssembly build) gets roundedToChars instead, which writes the
// same characters; its test compares the two wherever both exist.
#pragma once

#include <charconv>

namespace quillon {

// As std::to_chars(first, last, value, std::chars_format::general, 15): the exact binary value
// rounded to nearest, halves to even, to 15 significant digits; the fixed form for decimal
// exponents from -4 up to 14 and the scientific form otherwise, without trailing zeros or a
// bare point. Exponents have a sign and at least two digits ("e+05"); non-finite values are
// "inf", "-inf", "nan" and "-nan". Returns {last, value_too_large} when the text does not fit.
std::to_chars_result roundedToChars(char* first, char* last, double value);

// The digits written, at most.
inline constexpr int kWrittenDigits = 15;

// std::to_chars in the general format at 15 digits where the standard library has it,
// roundedToChars elsewhere.
inline std::to_chars_result toChars(char* first, char* last, double value) {
#ifdef QUILLON_HAVE_FLOAT_TO_CHARS
    return std::to_chars(first, last, value, std::chars_format::general, kWrittenDigits);
#else
    return roundedToChars(first, last, value);
#endif
}

}  // namespace quillon
