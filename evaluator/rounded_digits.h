// Doubles written with a chosen number of digits, through no locale.
//
// toChars is std::to_chars with a precision. A standard library without a floating-point
// std::to_chars (the libc++ that comes with emscripten 3.1.6) gets roundedToChars instead,
// which writes the same characters; its test compares the two wherever both exist.
#pragma once

#include <charconv>

namespace quillon {

// As std::to_chars(first, last, value, format, precision) for the scientific and the general
// format: the exact binary value rounded to nearest, halves to even, to `precision` digits
// after the point (scientific) or to `precision` significant digits (general, where 0 counts
// as 1); a negative precision counts as 6. The general format writes the fixed form for
// decimal exponents from -4 up to below the precision and the scientific form otherwise, and
// drops trailing zeros and a bare point. Exponents have a sign and at least two digits
// ("e+05"); non-finite values are "inf", "-inf", "nan" and "-nan". Returns {last,
// value_too_large} when the text does not fit, {first, invalid_argument} for another format.
std::to_chars_result roundedToChars(char* first, char* last, double value, std::chars_format format,
                                    int precision);

// std::to_chars with a precision where the standard library has it, roundedToChars elsewhere.
inline std::to_chars_result toChars(char* first, char* last, double value, std::chars_format format,
                                    int precision) {
#ifdef QUILLON_HAVE_FLOAT_TO_CHARS
    return std::to_chars(first, last, value, format, precision);
#else
    return roundedToChars(first, last, value, format, precision);
#endif
}

}  // namespace quillon
