// The value of pi, the real power and the transcendental functions, shared by the conversions,
// the powers and logarithms and the trigonometric operators.
#pragma once

#include "numbers.h"
#include "variant.h"

namespace quillon {

// The program's only value of pi: the Double nearest 3.14159265358979 (bit pattern
// 400921FB54442D11), a little below the Double nearest pi. Every degree and radian conversion
// and the arccosine use it, so "Cos°()" of 90 is about 1.6E-15 rather than 6.1E-17.
inline constexpr double kPiValue = 3.14159265358979;

// Left raised to right in Double. Each operand is a text (read by readNumber, so a text that
// is not a number is a type mismatch), a 16-bit Integer or a Double; left is read before right.
// - A negative left with a right that is not a whole number has no real result: invalid
//   argument.
// - Zero (either sign) raised to a negative power: division by zero.
// - A result beyond the range of Doubles: overflow.
double power(const Variant& left, const Variant& right);

// The transcendental functions of Doubles that every operator uses: each step that is not exact
// in IEEE arithmetic goes through this one place. Each result is the Double nearest the exact
// value (computed with GNU MPFR, subnormal results included), so it is the same on every
// platform whatever its own mathematics library gives. Special arguments give what C's
// mathematics library gives: an infinity on overflow (exp(710), pow(10, 309)), zero on
// underflow, -inf for log(0), not-a-number for log(-1) or pow(-8, 1/3), 1 for pow(x, 0), and
// signed zeros kept (sin(-0) is -0). They check nothing: the caller decides which argument or
// result is a failure.
namespace math {
double sin(double angle);
double cos(double angle);
double tan(double angle);
double atan(double value);
double exp(double value);
double log(double value);
double pow(double base, double exponent);
}  // namespace math

}  // namespace quillon
