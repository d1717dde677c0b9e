// Reading and writing numbers, integer conversion and checked floating arithmetic.
//
// Every conversion between text and number in the program happens here, always with "." as
// the decimal separator and never through the C locale (no strtod, printf or streams), so a
// result is the same under every locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// Text to number. Accepts exactly: optional blanks (space or tab), an optional sign, digits
// with at most one "." and at least one digit in all, an optional exponent ("E" or "e", an
// optional sign, at least one digit), optional blanks.
// - Anything else throws a type-mismatch failure naming the text.
// - A magnitude above the largest Double but not above 1.79769313486232E+308 (what
//   writeNumber shows for the largest Double) reads as the largest Double with its sign;
//   beyond that it throws an overflow failure naming the text.
// - A magnitude too small to represent reads as the nearest Double (possibly a signed zero).
double readNumber(std::string_view text);

// Number to text, as C's "%.15G": at most 15 significant digits rounded to nearest, trailing
// zeros and a bare "." dropped, exponent form ("1E+15", "1E-05") for exponents below -4 or
// from 15 up, and "0" for either zero. The value must be finite.
std::string writeNumber(double value);

// Rounds to the nearest integer, halves to the even neighbour, and checks the 32-bit range
// afterwards: 2147483647.5 overflows, -2147483648.5 gives -2147483648.
std::int32_t roundToLong(double value);

// The same for a text, read by readNumber first.
std::int32_t textToLong(std::string_view text);

// Checked floating arithmetic: a result beyond the range of Doubles throws an overflow
// failure, a non-zero number divided by zero throws a division-by-zero failure and zero
// divided by zero throws an overflow failure. Results are therefore always finite.
double checkedAdd(double left, double right);
double checkedSubtract(double left, double right);
double checkedMultiply(double left, double right);
double checkedDivide(double dividend, double divisor);

// Throws an overflow failure unless the value is finite; returns it otherwise.
double checkedResult(double value);

}  // namespace quillon
