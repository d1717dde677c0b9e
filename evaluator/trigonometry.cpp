// The circular functions, their inverses, and comparisons of sines and cosines.
//
// Angles are in radians unless the name has "°". Degrees become radians with the program's own
// value of pi, in one of two orders that can differ in the last place: the two-number forms
// multiply the sum or difference by the factor PiValue / 180, the one-number forms compute
// (x × PiValue) / 180. Secant, cosecant and cotangent are the tested quotients 1 / cos,
// 1 / sin and 1 / tan. The arcsine and arccosine are built from the arctangent.
#include <array>
#include <cmath>

#include "evaluation.h"
#include "real_math.h"

namespace quillon {

namespace {

// Two-number mode: a is the text of First; the value of Second is e.numberOperand().
const Variant& a(const Evaluation& e) {
    return e.TextOperand;
}
// One-number mode: x is the text of Second; the held answer plays no part.
const Variant& x(const Evaluation& e) {
    return e.TextOperand;
}

Variant sum(const Evaluation& e) {
    return a(e) + e.numberOperand();
}
Variant difference(const Evaluation& e) {
    return a(e) - e.numberOperand();
}

template <double (*function)(double), Variant (*angle)(const Evaluation&)>
void valueOf(Evaluation& e) {
    e.writeAnswer(function(angle(e).toDouble()));
}

// The factor is formed first, then the angle, then their product.
template <double (*function)(double), Variant (*angle)(const Evaluation&)>
void valueOfDegrees(Evaluation& e) {
    const double k = checkedDivide(PiValue, 180.0);
    const Variant degrees = angle(e);
    e.writeAnswer(function((Variant::number(k) * degrees).toDouble()));
}

double sine(double angle) {
    return math::sin(angle);
}
double cosine(double angle) {
    return math::cos(angle);
}
double tangent(double angle) {
    return math::tan(angle);
}
double arctangent(double value) {
    return math::atan(value);
}
double secant(double angle) {
    return checkedDivide(1.0, math::cos(angle));
}
double cosecant(double angle) {
    return checkedDivide(1.0, math::sin(angle));
}
double cotangent(double angle) {
    return checkedDivide(1.0, math::tan(angle));
}

// Compares the function of First's value with that of Second's, the latter taken first; a
// true test writes "1", equal values leave the "0" in both directions.
template <double (*function)(double), bool greater>
void compareFunctions(Evaluation& e) {
    const double ofSecond = function(e.NumberOperand);
    const double ofFirst = function(a(e).toDouble());
    if (greater ? ofFirst > ofSecond : ofFirst < ofSecond) {
        e.writeAnswer("1");
    }
}

Variant radians(const Evaluation& e) {
    return x(e);
}

// Degrees to radians: the product first, then the division by the Integer 180.
Variant radiansOfDegrees(const Evaluation& e) {
    return x(e) * Variant::number(PiValue) / Variant::integer(180);
}

// The square root of 1 - x², formed as powers.
Variant complement(const Evaluation& e) {
    const double h = checkedDivide(1.0, 2.0);
    const double q = power(x(e), Variant::integer(2));
    const Variant u = Variant::integer(1) - Variant::number(q);
    return Variant::number(power(u, Variant::number(h)));
}

// The arcsine is atan(x / sqrt(1 - x²)). At x = 1 and x = -1 the root is zero and the
// quotient has no value, so the result is the quarter-turn with the sign of x.
void arcsine(Evaluation& e) {
    const Variant w = complement(e);
    if (w.toDouble() == 0.0) {
        const double quarterTurn = checkedDivide(PiValue, 2.0);
        e.writeAnswer(x(e).toDouble() < 0.0 ? -quarterTurn : quarterTurn);
        return;
    }
    e.writeAnswer(math::atan((x(e) / w).toDouble()));
}

// The arccosine is atan(sqrt(1 - x²) / x), or the quarter-turn at x = 0. The arctangent is
// negative for x below 0, so a half-turn is added to the value read back from Answer, that is
// after rounding to the text's 15 digits. At x = -1 the arctangent is zero, and the half-turn
// is added as well, so that the result is pi and not 0.
void arccosine(Evaluation& e) {
    const Variant zero = Variant::integer(0);
    if (compare(x(e), zero) == 0) {
        e.writeAnswer(checkedDivide(PiValue, 2.0));
    }
    if (compare(x(e), zero) != 0) {
        const Variant w = complement(e);
        e.writeAnswer(math::atan((w / x(e)).toDouble()));
    }
    const double shown = readNumber(e.read(Box::Answer));
    if (shown < 0.0 || (shown == 0.0 && compare(x(e), zero) < 0)) {
        e.writeAnswer(checkedAdd(shown, PiValue));
    }
}

constexpr auto kTwo = Mode::TwoNumbers;
constexpr auto kOne = Mode::OneNumber;

constexpr std::array kOperators = {
    Operator{"Sin(sum)", kTwo, valueOf<sine, sum>},
    Operator{"Sin(difference)", kTwo, valueOf<sine, difference>},
    Operator{"Cos(sum)", kTwo, valueOf<cosine, sum>},
    Operator{"Cos(difference)", kTwo, valueOf<cosine, difference>},
    Operator{"Sin\u00B0(sum)", kTwo, valueOfDegrees<sine, sum>},
    Operator{"Sin\u00B0(difference)", kTwo, valueOfDegrees<sine, difference>},
    Operator{"Cos\u00B0(sum)", kTwo, valueOfDegrees<cosine, sum>},
    Operator{"Cos\u00B0(difference)", kTwo, valueOfDegrees<cosine, difference>},
    Operator{"Sin>Sin", kTwo, compareFunctions<sine, true>},
    Operator{"Sin<Sin", kTwo, compareFunctions<sine, false>},
    Operator{"Cos>Cos", kTwo, compareFunctions<cosine, true>},
    Operator{"Cos<Cos", kTwo, compareFunctions<cosine, false>},
    Operator{"Sin()", kOne, valueOf<sine, radians>},
    Operator{"Cos()", kOne, valueOf<cosine, radians>},
    Operator{"Tan()", kOne, valueOf<tangent, radians>},
    Operator{"Sec()", kOne, valueOf<secant, radians>},
    Operator{"Csc()", kOne, valueOf<cosecant, radians>},
    Operator{"Cot()", kOne, valueOf<cotangent, radians>},
    Operator{"Sin\u00B0()", kOne, valueOf<sine, radiansOfDegrees>},
    Operator{"Cos\u00B0()", kOne, valueOf<cosine, radiansOfDegrees>},
    Operator{"Tan\u00B0()", kOne, valueOf<tangent, radiansOfDegrees>},
    Operator{"Sec\u00B0()", kOne, valueOf<secant, radiansOfDegrees>},
    Operator{"Csc\u00B0()", kOne, valueOf<cosecant, radiansOfDegrees>},
    Operator{"Cot\u00B0()", kOne, valueOf<cotangent, radiansOfDegrees>},
    Operator{"Asin()", kOne, arcsine},
    Operator{"Acos()", kOne, arccosine},
    Operator{"Atan()", kOne, valueOf<arctangent, radians>},
};

}  // namespace

std::span<const Operator> trigonometryOperators() {
    return kOperators;
}

}  // namespace quillon
