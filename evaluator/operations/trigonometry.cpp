// "Trigonometry": the circular functions, their inverses, and comparisons of sines and cosines.
//
// Angles are in radians unless the name has "°". Degrees become radians with the program's own
// value of pi, in one of two orders that can differ in the last place: the two-number forms
// multiply the sum or difference by the factor kPiValue / 180, the one-number forms compute
// (x × kPiValue) / 180. Secant, cosecant and cotangent are the tested quotients 1 / cos,
// 1 / sin and 1 / tan. The arcsine and arccosine are built from the arctangent.
#include <array>
#include <cmath>

#include "evaluation.h"
#include "real_math.h"

namespace quillon {

namespace {

// Two-number mode: x is the text of First and y the value of Second. One-number mode: x is
// the text of Second; the held answer plays no part.
Variant sum(const Evaluation& e) {
    return e.textOperand + e.numberValue();
}
Variant difference(const Evaluation& e) {
    return e.textOperand - e.numberValue();
}

template <double (*function)(double), Variant (*angle)(const Evaluation&)>
void valueOf(Evaluation& e) {
    e.writeAnswer(function(angle(e).toDouble()));
}

// The factor is formed first, then the angle, then their product.
template <double (*function)(double), Variant (*angle)(const Evaluation&)>
void valueOfDegrees(Evaluation& e) {
    const double k = checkedDivide(kPiValue, 180.0);
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
    const double ofSecond = function(e.numberOperand);
    const double ofFirst = function(e.textOperand.toDouble());
    e.writeTruth(greater ? ofFirst > ofSecond : ofFirst < ofSecond);
}

Variant radians(const Evaluation& e) {
    return e.textOperand;
}

// Degrees to radians: the product first, then the division by the Integer 180.
Variant radiansOfDegrees(const Evaluation& e) {
    return e.textOperand * Variant::number(kPiValue) / Variant::integer(180);
}

// The square root of 1 - x², formed as powers.
Variant complement(const Evaluation& e) {
    const double h = checkedDivide(1.0, 2.0);
    const double q = power(e.textOperand, Variant::integer(2));
    const Variant u = Variant::integer(1) - Variant::number(q);
    return Variant::number(power(u, Variant::number(h)));
}

// The arcsine is atan(x / sqrt(1 - x²)). At x = 1 and x = -1 the root is zero and the
// quotient has no value, so the result is the quarter-turn with the sign of x.
void arcsine(Evaluation& e) {
    const Variant w = complement(e);
    if (w.toDouble() == 0.0) {
        const double quarterTurn = checkedDivide(kPiValue, 2.0);
        e.writeAnswer(e.textOperand.toDouble() < 0.0 ? -quarterTurn : quarterTurn);
        return;
    }
    e.writeAnswer(math::atan((e.textOperand / w).toDouble()));
}

// The arccosine is atan(sqrt(1 - x²) / x), or the quarter-turn at x = 0. The arctangent is
// negative for x below 0, so a half-turn is added to the value read back from Answer, that is
// after rounding to the text's 15 digits. At x = -1 the arctangent is zero, and the half-turn
// is added as well, so that the result is pi and not 0.
void arccosine(Evaluation& e) {
    const Variant zero = Variant::integer(0);
    if (compare(e.textOperand, zero) == 0) {
        e.writeAnswer(checkedDivide(kPiValue, 2.0));
    }
    if (compare(e.textOperand, zero) != 0) {
        const Variant w = complement(e);
        e.writeAnswer(math::atan((w / e.textOperand).toDouble()));
    }
    const double shown = readNumber(e.read(Box::Answer));
    if (shown < 0.0 || (shown == 0.0 && compare(e.textOperand, zero) < 0)) {
        e.writeAnswer(checkedAdd(shown, kPiValue));
    }
}

constexpr std::array kRows = {
    CatalogueEntry{"Sin(sum)", kTwo, "The sine of First + Second, in radians", valueOf<sine, sum>},
    CatalogueEntry{"Sin(difference)", kTwo, "The sine of First - Second, in radians",
                   valueOf<sine, difference>},
    CatalogueEntry{"Cos(sum)", kTwo, "The cosine of First + Second, in radians",
                   valueOf<cosine, sum>},
    CatalogueEntry{"Cos(difference)", kTwo, "The cosine of First - Second, in radians",
                   valueOf<cosine, difference>},
    CatalogueEntry{"Sin°(sum)", kTwo, "The sine of First + Second, in degrees",
                   valueOfDegrees<sine, sum>},
    CatalogueEntry{"Sin°(difference)", kTwo, "The sine of First - Second, in degrees",
                   valueOfDegrees<sine, difference>},
    CatalogueEntry{"Cos°(sum)", kTwo, "The cosine of First + Second, in degrees",
                   valueOfDegrees<cosine, sum>},
    CatalogueEntry{"Cos°(difference)", kTwo, "The cosine of First - Second, in degrees",
                   valueOfDegrees<cosine, difference>},
    CatalogueEntry{"Sin>Sin", kTwo,
                   "1 if the sine of First is greater than the sine of Second (radians), else 0",
                   compareFunctions<sine, true>},
    CatalogueEntry{"Sin<Sin", kTwo,
                   "1 if the sine of First is less than the sine of Second (radians), else 0",
                   compareFunctions<sine, false>},
    CatalogueEntry{
        "Cos>Cos", kTwo,
        "1 if the cosine of First is greater than the cosine of Second (radians), else 0",
        compareFunctions<cosine, true>},
    CatalogueEntry{"Cos<Cos", kTwo,
                   "1 if the cosine of First is less than the cosine of Second (radians), else 0",
                   compareFunctions<cosine, false>},
    CatalogueEntry{"Sin()", kOne, "The sine of the number in Second, in radians",
                   valueOf<sine, radians>},
    CatalogueEntry{"Cos()", kOne, "The cosine of the number in Second, in radians",
                   valueOf<cosine, radians>},
    CatalogueEntry{"Tan()", kOne, "The tangent of the number in Second, in radians",
                   valueOf<tangent, radians>},
    CatalogueEntry{"Sec()", kOne, "The secant (1 / cosine) of the number in Second, in radians",
                   valueOf<secant, radians>},
    CatalogueEntry{"Csc()", kOne, "The cosecant (1 / sine) of the number in Second, in radians",
                   valueOf<cosecant, radians>},
    CatalogueEntry{"Cot()", kOne, "The cotangent (1 / tangent) of the number in Second, in radians",
                   valueOf<cotangent, radians>},
    CatalogueEntry{"Sin°()", kOne, "The sine of the number in Second, in degrees",
                   valueOf<sine, radiansOfDegrees>},
    CatalogueEntry{"Cos°()", kOne, "The cosine of the number in Second, in degrees",
                   valueOf<cosine, radiansOfDegrees>},
    CatalogueEntry{"Tan°()", kOne, "The tangent of the number in Second, in degrees",
                   valueOf<tangent, radiansOfDegrees>},
    CatalogueEntry{"Sec°()", kOne, "The secant (1 / cosine) of the number in Second, in degrees",
                   valueOf<secant, radiansOfDegrees>},
    CatalogueEntry{"Csc°()", kOne, "The cosecant (1 / sine) of the number in Second, in degrees",
                   valueOf<cosecant, radiansOfDegrees>},
    CatalogueEntry{"Cot°()", kOne,
                   "The cotangent (1 / tangent) of the number in Second, in degrees",
                   valueOf<cotangent, radiansOfDegrees>},
    CatalogueEntry{"Asin()", kOne,
                   "The angle in radians whose sine is the number in Second (-1 to 1)", arcsine},
    CatalogueEntry{"Acos()", kOne,
                   "The angle in radians whose cosine is the number in Second (-1 to 1)",
                   arccosine},
    CatalogueEntry{"Atan()", kOne, "The angle in radians whose tangent is the number in Second",
                   valueOf<arctangent, radians>},
};

constexpr CatalogueBlock kBlock = makeBlock("Trigonometry", kRows);

}  // namespace

const CatalogueBlock& trigonometry() {
    return kBlock;
}

}  // namespace quillon
