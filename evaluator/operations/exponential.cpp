// "Exponential Operators": powers, roots, exponentials and logarithms.
//
// Roots are powers (x raised to 1/2 or 1/3), and the base-10 logarithm is the quotient
// ln v / ln 10, with ln 10 taken first; there is no square root or base-10 logarithm function.
// The steps of each operator run in the order written, so the first one that fails decides
// which failure is reported; Answer then keeps the "0" of the prologue.
#include <array>
#include <cmath>

#include "evaluation.h"
#include "failure.h"
#include "real_math.h"

namespace quillon {

namespace {

// Natural logarithm; zero and negative numbers have none.
double naturalLog(double value) {
    if (value <= 0.0) {
        throw EvaluationFailure(FailureKind::InvalidArgument);
    }
    return math::log(value);
}

// x is the text of First in two-number mode, where the value of Second is the other operand,
// and the text of Second in one-number mode, where the held answer plays no part.
void powerOfLn(Evaluation& e) {
    const double l = naturalLog(e.numberOperand);
    e.writeAnswer(power(e.textOperand, Variant::number(l)));
}

void powerOfLog(Evaluation& e) {
    const double m = naturalLog(10.0);
    const double l = naturalLog(e.numberOperand);
    const double q = checkedDivide(l, m);
    e.writeAnswer(power(e.textOperand, Variant::number(q)));
}

// The logarithm of b to the base a.
void baseLog(Evaluation& e) {
    const double base = e.textOperand.toDouble();
    const double m = naturalLog(base);
    const double l = naturalLog(e.numberOperand);
    e.writeAnswer(checkedDivide(l, m));
}

void raise(Evaluation& e) {
    e.writeAnswer(power(e.textOperand, Variant::number(e.numberOperand)));
}

void exponential(Evaluation& e) {
    e.writeAnswer(checkedResult(math::exp(e.textOperand.toDouble())));
}

void tenTo(Evaluation& e) {
    e.writeAnswer(power(Variant::integer(10), e.textOperand));
}

void ln(Evaluation& e) {
    e.writeAnswer(naturalLog(e.textOperand.toDouble()));
}

void commonLog(Evaluation& e) {
    const double m = naturalLog(10.0);
    const double l = naturalLog(e.textOperand.toDouble());
    e.writeAnswer(checkedDivide(l, m));
}

void square(Evaluation& e) {
    e.writeAnswer(power(e.textOperand, Variant::integer(2)));
}

void cube(Evaluation& e) {
    e.writeAnswer(power(e.textOperand, Variant::integer(3)));
}

// An unguarded division: 1 / 0 is a division-by-zero failure, not the error text.
void reciprocal(Evaluation& e) {
    e.writeAnswer(Variant::integer(1) / e.textOperand);
}

void squareRoot(Evaluation& e) {
    const double h = checkedDivide(1.0, 2.0);
    e.writeAnswer(power(e.textOperand, Variant::number(h)));
}

// A negative number has a real cube root: the root of its magnitude, negated.
void cubeRoot(Evaluation& e) {
    const double t = checkedDivide(1.0, 3.0);
    const double value = e.textOperand.toDouble();
    if (value < 0.0) {
        e.writeAnswer(-power(Variant::number(-value), Variant::number(t)));
        return;
    }
    e.writeAnswer(power(Variant::number(value), Variant::number(t)));
}

constexpr std::array kRows = {
    CatalogueEntry{"^Ln", kTwo, "First raised to the power of the natural logarithm of Second",
                   powerOfLn},
    CatalogueEntry{"^Log", kTwo, "First raised to the power of the base-10 logarithm of Second",
                   powerOfLog},
    CatalogueEntry{"base Log", kTwo, "The logarithm of Second to the base First", baseLog},
    CatalogueEntry{"^", kTwo, "First raised to the power Second", raise},
    CatalogueEntry{"e^", kOne, "e raised to the power of the number in Second", exponential},
    CatalogueEntry{"10^", kOne, "10 raised to the power of the number in Second", tenTo},
    CatalogueEntry{"Ln", kOne, "The natural logarithm of the number in Second (above 0)", ln},
    CatalogueEntry{"Log", kOne, "The base-10 logarithm of the number in Second (above 0)",
                   commonLog},
    CatalogueEntry{"Square (^2)", kOne, "The number in Second squared", square},
    CatalogueEntry{"Cube (^3)", kOne, "The number in Second cubed", cube},
    CatalogueEntry{"Reciprocal (^-1)", kOne, "1 divided by the number in Second", reciprocal},
    CatalogueEntry{"Square Root (^1/2)", kOne,
                   "The square root of the number in Second (0 or more)", squareRoot},
    CatalogueEntry{"Cube Root (^1/3)", kOne,
                   "The cube root of the number in Second (negative for a negative number)",
                   cubeRoot},
};

constexpr CatalogueBlock kBlock = makeBlock("Exponential Operators", kRows);

}  // namespace

const CatalogueBlock& exponentialOperators() {
    return kBlock;
}

}  // namespace quillon
