// "Miscellaneous": integer division, remainder, joining texts and the 3n + 1 step counter.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "evaluation.h"
#include "driver.h"
#include "failure.h"

namespace quillon {

namespace {

// "\" and "Mod" divide the 32-bit integers of First and Second, read afresh, truncating toward
// zero. The guard tests the value of Second, so every text worth zero gives the error text; a
// divisor that only rounds to zero (0.4) passes it and fails as an integer division by zero.
template <std::int32_t (*divide)(std::int32_t, std::int32_t)>
void integerDivision(Evaluation& e) {
    if (readNumber(e.read(Box::Second)) == 0.0) {
        e.writeAnswer(kDivisionByZeroText);
        return;
    }
    const std::string first = e.read(Box::First);
    const std::string second = e.read(Box::Second);
    const std::int32_t d = textToLong(second);
    const std::int32_t a = textToLong(first);
    if (d == 0) {
        throw EvaluationFailure(FailureKind::DivisionByZero, second);
    }
    // The one quotient beyond 32 bits; its remainder fails alike.
    if (a == std::numeric_limits<std::int32_t>::min() && d == -1) {
        throw EvaluationFailure(FailureKind::Overflow);
    }
    e.writeAnswer(Variant::longInteger(divide(a, d)));
}

std::int32_t quotient(std::int32_t a, std::int32_t d) {
    return a / d;
}
// The sign of the dividend, a magnitude below the divisor's.
std::int32_t modulo(std::int32_t a, std::int32_t d) {
    return a % d;
}

// The texts of First and Second joined as typed: no separator, no trimming, no conversion.
void concatenate(Evaluation& e) {
    const std::string first = e.read(Box::First);
    const std::string second = e.read(Box::Second);
    e.writeAnswer(first + second);
}

// Adds one to a 16-bit counter; passing 32767 is an overflow.
void increment(std::int16_t& counter) {
    if (counter == std::numeric_limits<std::int16_t>::max()) {
        throw EvaluationFailure(FailureKind::Overflow);
    }
    ++counter;
}

// The number of 3n + 1 steps from the integer part of Second down to 1. The parity test
// takes n as a 32-bit integer, so a start or a value reached above 2147483647 overflows.
void magnif(Evaluation& e) {
    double n = std::floor(e.textOperand.toDouble());
    if (n < 1.0) {
        n = 1.0;
    }
    std::int16_t steps = 0;
    while (n != 1.0) {
        e.countStep();
        if (roundToLong(n) % 2 == 0) {
            n = n / 2.0;
        } else {
            n = 3.0 * n + 1.0;
        }
        increment(steps);
    }
    e.writeAnswer(Variant::integer(steps));
}

constexpr std::array kRows = {
    CatalogueEntry{"\\", kTwo,
                   "First divided by Second as whole numbers, the fraction dropped (7 \\ 2 = 3)",
                   integerDivision<quotient>},
    CatalogueEntry{"Mod", kTwo,
                   "The remainder of First divided by Second as whole numbers (7 Mod 2 = 1)",
                   integerDivision<modulo>},
    CatalogueEntry{"& (Concatenate)", kTwo, "The text of First followed by the text of Second",
                   concatenate},
    CatalogueEntry{"MAGNIF()", kOne,
                   "Steps of the 3n + 1 iteration from the number in Second down to 1", magnif},
};

constexpr CatalogueBlock kBlock = makeBlock("Miscellaneous", kRows);

}  // namespace

const CatalogueBlock& miscellaneous() {
    return kBlock;
}

}  // namespace quillon
