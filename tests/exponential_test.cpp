// "Exponential Operators": powers, roots, exponentials and logarithms.
#include <gtest/gtest.h>

#include "harness.h"

namespace quillon::testing {
namespace {

TEST(Power, RaisesTheTextOfFirstToTheValueOfSecond) {
    expectEvaluations({
        {kTwo, "2", "10", "0", "^", "1024"},
        {kTwo, "2", "-1", "0", "^", "0.5"},
        {kTwo, "-2", "3", "0", "^", "-8"},
        {kTwo, "0", "0", "0", "^", "1"},
        {kTwo, "10", "-400", "0", "^", "0"},
        {kTwo, "-8", "0.5", "0", "^", "0", kInvalid},
        // Zero to a negative power, either zero.
        {kTwo, "0", "-1", "0", "^", "0", kByZero},
        {kTwo, "-0", "-2", "0", "^", "0", kByZero},
        {kTwo, "10", "309", "0", "^", "0", kOverflow},
        {kTwo, "-2", "1025", "0", "^", "0", kOverflow},
        {kTwo, "abc", "2", "0", "^", "0", kMismatch},
    });
}

TEST(PowerOfLogarithm, TakesTheLogarithmOfSecondBeforeReadingFirst) {
    expectEvaluations({
        {kTwo, "5", "1", "0", "^Ln", "1"},
        {kTwo, "-8", "1", "0", "^Ln", "1"},
        {kTwo, "-8", "2", "0", "^Ln", "0", kInvalid},
        {kTwo, "0", "0.5", "0", "^Ln", "0", kByZero},
        {kTwo, "abc", "1", "0", "^Ln", "0", kMismatch},
        {kTwo, "abc", "0", "0", "^Ln", "0", kInvalid},
        {kTwo, "3", "100", "0", "^Log", "9"},
        {kTwo, "-2", "100", "0", "^Log", "4"},
        // ln 1000 / ln 10 falls just short of 3, so a negative base has no real power.
        {kTwo, "-2", "1000", "0", "^Log", "0", kInvalid},
        {kTwo, "abc", "-1", "0", "^Log", "0", kInvalid},
        {kTwo, "100", "1E300", "0", "^Log", "0", kOverflow},
    });
}

TEST(BaseLog, IsTheLogarithmOfSecondToTheBaseFirst) {
    expectEvaluations({
        {kTwo, "2", "8", "0", "base Log", "3"},
        {kTwo, "10", "1000", "0", "base Log", "3"},
        {kTwo, "1", "8", "0", "base Log", "0", kByZero},
        {kTwo, "1", "1", "0", "base Log", "0", kOverflow},
        {kTwo, "0", "8", "0", "base Log", "0", kInvalid},
        {kTwo, "2", "-8", "0", "base Log", "0", kInvalid},
        // First is read before the logarithm of Second is taken.
        {kTwo, "abc", "0", "0", "base Log", "0", kMismatch},
    });
}

TEST(OneNumberPowers, IgnoreTheHeldAnswer) {
    expectEvaluations({
        {kOne, "", "1", "0", "e^", "2.71828182845905"},
        {kOne, "", "-1000", "0", "e^", "0"},
        {kOne, "", "1000", "0", "e^", "0", kOverflow},
        {kOne, "", "-2", "0", "10^", "0.01"},
        {kOne, "", "309", "0", "10^", "0", kOverflow},
        {kOne, "", "x", "0", "10^", "0", kMismatch},
        {kOne, "", "2.718281828459045", "0", "Ln", "1"},
        {kOne, "", "0", "0", "Ln", "0", kInvalid},
        {kOne, "", "-1", "0", "Log", "0", kInvalid},
        {kOne, "", "100", "0", "Log", "2"},
        {kOne, "", "1000", "0", "Log", "3"},
        {kOne, "", "3", "5", "Square (^2)", "9"},
        {kOne, "", "-3", "0", "Square (^2)", "9"},
        {kOne, "", "1E200", "0", "Square (^2)", "0", kOverflow},
        {kOne, "", "-2", "0", "Cube (^3)", "-8"},
        {kOne, "", "", "0", "Cube (^3)", "0", kMismatch},
        {kOne, "", "4", "0", "Reciprocal (^-1)", "0.25"},
        // Not a guarded division: a failure, not the error text.
        {kOne, "", "0", "0", "Reciprocal (^-1)", "0", kByZero},
        {kOne, "", "-0", "0", "Reciprocal (^-1)", "0", kByZero},
        {kOne, "", "1E-320", "0", "Reciprocal (^-1)", "0", kOverflow},
    });
}

TEST(Roots, ArePowersAndACubeRootKeepsTheSign) {
    expectEvaluations({
        {kOne, "", "2", "0", "Square Root (^1/2)", "1.4142135623731"},
        {kOne, "", "0", "0", "Square Root (^1/2)", "0"},
        {kOne, "", "-4", "0", "Square Root (^1/2)", "0", kInvalid},
        {kOne, "", "8", "0", "Cube Root (^1/3)", "2"},
        {kOne, "", "27", "0", "Cube Root (^1/3)", "3"},
        {kOne, "", "-8", "0", "Cube Root (^1/3)", "-2"},
        {kOne, "", "-27", "0", "Cube Root (^1/3)", "-3"},
        {kOne, "", "-1E-300", "0", "Cube Root (^1/3)", "-1.00000000000001E-100"},
        {kOne, "", "abc", "0", "Cube Root (^1/3)", "0", kMismatch},
    });
}

}  // namespace
}  // namespace quillon::testing
