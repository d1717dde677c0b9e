// "Trigonometry": the circular functions, their inverses and the comparisons of sines and cosines.
#include <gtest/gtest.h>

#include <cstdint>

#include "harness.h"
#include "real_math.h"

namespace quillon::testing {
namespace {

TEST(Pi, IsTheDoubleNearestItsFifteenDigits) {
    EXPECT_EQ(bitsOf(kPiValue), 0x400921FB54442D11u);
}

TEST(TwoNumberTrigonometry, TakesTheFunctionOfTheSumOrDifference) {
    expectEvaluations({
        {kTwo, "1", "2", "0", "Sin(sum)", "0.141120008059867"},
        {kTwo, "1", "2", "0", "Sin(difference)", "-0.841470984807897"},
        {kTwo, "1", "-1", "0", "Cos(sum)", "1"},
        {kTwo, "abc", "1", "0", "Cos(difference)", "0", kMismatch},
        {kTwo, "30", "60", "0", "Sin°(sum)", "1"},
        {kTwo, "45", "45", "0", "Cos°(sum)", "1.61554457443259E-15"},
        {kTwo, "100", "10", "0", "Cos°(difference)", "1.61554457443259E-15"},
        {kTwo, "1E308", "1E308", "0", "Sin°(sum)", "0", kOverflow},
    });
}

TEST(TwoNumberTrigonometry, ComparisonsWriteOneOrNothing) {
    expectEvaluations({
        {kTwo, "1", "2", "0", "Sin>Sin", "0"},
        {kTwo, "1", "2", "0", "Sin<Sin", "1"},
        {kTwo, "1", "2", "0", "Cos>Cos", "1"},
        {kTwo, "1", "2", "0", "Cos<Cos", "0"},
        {kTwo, "2", "2", "0", "Sin>Sin", "0"},
        {kTwo, "2", "2", "0", "Sin<Sin", "0"},
        {kTwo, "2", "2", "0", "Cos>Cos", "0"},
        {kTwo, "2", "2", "0", "Cos<Cos", "0"},
        {kTwo, "abc", "2", "0", "Cos<Cos", "0", kMismatch},
    });
}

TEST(OneNumberTrigonometry, SixFunctionsInRadiansAndDegrees) {
    expectEvaluations({
        {kOne, "", "0", "5", "Cos()", "1"},
        {kOne, "", "0", "0", "Tan()", "0"},
        {kOne, "", "0", "0", "Sec()", "1"},
        {kOne, "", "0", "0", "Csc()", "0", kByZero},
        {kOne, "", "0", "0", "Cot()", "0", kByZero},
        {kOne, "", "x", "0", "Sin()", "0", kMismatch},
        // 0.49999999999999956 before it is shown.
        {kOne, "", "30", "0", "Sin°()", "0.5"},
        {kOne, "", "90", "0", "Cos°()", "1.61554457443259E-15"},
        {kOne, "", "90", "0", "Sec°()", "618986325617924"},
        {kOne, "", "90", "0", "Tan°()", "618986325617924"},
        {kOne, "", "0", "0", "Csc°()", "0", kByZero},
        {kOne, "", "0", "0", "Cot°()", "0", kByZero},
        {kOne, "", "1E308", "0", "Cos°()", "0", kOverflow},
        {kOne, "", "", "0", "Tan°()", "0", kMismatch},
    });
}

TEST(InverseTrigonometry, ArcsineAndArctangent) {
    expectEvaluations({
        {kOne, "", "0.5", "0", "Asin()", "0.523598775598299"},
        {kOne, "", "0", "0", "Asin()", "0"},
        // A right angle at either end, where the root under the quotient is zero.
        {kOne, "", "1", "0", "Asin()", "1.5707963267949"},
        {kOne, "", "-1", "0", "Asin()", "-1.5707963267949"},
        {kOne, "", "2", "0", "Asin()", "0", kInvalid},
        {kOne, "", "-1.5", "0", "Asin()", "0", kInvalid},
        {kOne, "", "abc", "0", "Asin()", "0", kMismatch},
        // The square of x overflows before the root could be refused.
        {kOne, "", "1E200", "0", "Asin()", "0", kOverflow},
        {kOne, "", "1", "0", "Atan()", "0.785398163397448"},
        {kOne, "", "-1E308", "0", "Atan()", "-1.5707963267949"},
    });
}

TEST(InverseTrigonometry, ArccosineAddsTheHalfTurnToTheValueShown) {
    expectEvaluations({
        {kOne, "", "0", "0", "Acos()", "1.5707963267949"},
        {kOne, "", "1", "0", "Acos()", "0"},
        {kOne, "", "0.5", "0", "Acos()", "1.0471975511966"},
        // -1.0471975511966 is read back from its text, so the sum is not the arccosine's
        // 2.0943951023931957.
        {kOne, "", "-0.5", "0", "Acos()", "2.09439510239319"},
        // The arctangent is zero here, and the half-turn is added all the same.
        {kOne, "", "-1", "0", "Acos()", "3.14159265358979"},
        {kOne, "", "2", "0", "Acos()", "0", kInvalid},
        {kOne, "", "-2", "0", "Acos()", "0", kInvalid},
        {kOne, "", "abc", "0", "Acos()", "0", kMismatch},
    });
}

}  // namespace
}  // namespace quillon::testing
