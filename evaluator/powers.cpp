// Powers, roots, exponentials and logarithms.
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

// Two-number mode: a is the text of First, b the value of Second.
const Variant& a(const Evaluation& e) {
    return e.TextOperand;
}
double b(const Evaluation& e) {
    return e.NumberOperand;
}
// One-number mode: x is the text of Second; the held answer plays no part.
const Variant& x(const Evaluation& e) {
    return e.TextOperand;
}

void powerOfLn(Evaluation& e) {
    const double l = naturalLog(b(e));
    e.writeAnswer(power(a(e), Variant::number(l)));
}

void powerOfLog(Evaluation& e) {
    const double m = naturalLog(10.0);
    const double l = naturalLog(b(e));
    const double q = checkedDivide(l, m);
    e.writeAnswer(power(a(e), Variant::number(q)));
}

// The logarithm of b to the base a.
void baseLog(Evaluation& e) {
    const double base = a(e).toDouble();
    const double m = naturalLog(base);
    const double l = naturalLog(b(e));
    e.writeAnswer(checkedDivide(l, m));
}

void raise(Evaluation& e) {
    e.writeAnswer(power(a(e), Variant::number(b(e))));
}

void exponential(Evaluation& e) {
    e.writeAnswer(checkedResult(math::exp(x(e).toDouble())));
}

void tenTo(Evaluation& e) {
    e.writeAnswer(power(Variant::integer(10), x(e)));
}

void ln(Evaluation& e) {
    e.writeAnswer(naturalLog(x(e).toDouble()));
}

void commonLog(Evaluation& e) {
    const double m = naturalLog(10.0);
    const double l = naturalLog(x(e).toDouble());
    e.writeAnswer(checkedDivide(l, m));
}

void square(Evaluation& e) {
    e.writeAnswer(power(x(e), Variant::integer(2)));
}

void cube(Evaluation& e) {
    e.writeAnswer(power(x(e), Variant::integer(3)));
}

// An unguarded division: 1 / 0 is a division-by-zero failure, not the error text.
void reciprocal(Evaluation& e) {
    e.writeAnswer(Variant::integer(1) / x(e));
}

void squareRoot(Evaluation& e) {
    const double h = checkedDivide(1.0, 2.0);
    e.writeAnswer(power(x(e), Variant::number(h)));
}

// A negative number has a real cube root: the root of its magnitude, negated.
void cubeRoot(Evaluation& e) {
    const double t = checkedDivide(1.0, 3.0);
    const double value = x(e).toDouble();
    if (value < 0.0) {
        e.writeAnswer(-power(Variant::number(-value), Variant::number(t)));
        return;
    }
    e.writeAnswer(power(Variant::number(value), Variant::number(t)));
}

constexpr auto kTwo = Mode::TwoNumbers;
constexpr auto kOne = Mode::OneNumber;

constexpr std::array kOperators = {
    Operator{"^Ln", kTwo, powerOfLn},
    Operator{"^Log", kTwo, powerOfLog},
    Operator{"base Log", kTwo, baseLog},
    Operator{"^", kTwo, raise},
    Operator{"e^", kOne, exponential},
    Operator{"10^", kOne, tenTo},
    Operator{"Ln", kOne, ln},
    Operator{"Log", kOne, commonLog},
    Operator{"Square (^2)", kOne, square},
    Operator{"Cube (^3)", kOne, cube},
    Operator{"Reciprocal (^-1)", kOne, reciprocal},
    Operator{"Square Root (^1/2)", kOne, squareRoot},
    Operator{"Cube Root (^1/3)", kOne, cubeRoot},
};

}  // namespace

std::span<const Operator> powerOperators() {
    return kOperators;
}

}  // namespace quillon
