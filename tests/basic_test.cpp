// The basic block: the four operators of two-number mode and the six of one-number mode.
#include <gtest/gtest.h>

#include "harness.h"

namespace quillon::testing {
namespace {

const std::string kError2 = kDivisionByZeroText;
const std::string kTimes = "×";
const std::string kDivide = "÷";

TEST(TwoNumberArithmetic, WorksOnTheTextOfFirstAndTheValueOfSecond) {
    expectEvaluations({
        {kTwo, "7", "2", "0", "+", "9"},
        {kTwo, "7", "2", "0", "-", "5"},
        {kTwo, "7", "2", "0", kTimes, "14"},
        {kTwo, "7", "2", "0", kDivide, "3.5"},
        {kTwo, "1", "3", "0", kDivide, "0.333333333333333"},
        {kTwo, " 1e3 ", "-2", "0", "+", "998"},
        // Addition never joins texts.
        {kTwo, "12", "34", "0", "+", "46"},
        {kTwo, "0.1", "0.2", "0", "+", "0.3"},
        {kTwo, "abc", "2", "0", "+", "0", kMismatch},
        {kTwo, "", "2", "0", "-", "0", kMismatch},
        {kTwo, "1E308", "10", "0", kTimes, "0", kOverflow},
        {kTwo, "-1.7E308", "1.7E308", "0", "-", "0", kOverflow},
        {kTwo, "1E-300", "1E300", "0", kDivide, "0"},
        {kTwo, "1E300", "1E-300", "0", kDivide, "0", kOverflow},
        // The guard sees the value of Second, so -0 is zero too, and comes before First.
        {kTwo, "7", "0", "0", kDivide, kError2},
        {kTwo, "7", "0.0", "0", kDivide, kError2},
        {kTwo, "7", "-0", "0", kDivide, kError2},
        {kTwo, "7", "1e-400", "0", kDivide, kError2},
        {kTwo, "abc", "0", "0", kDivide, kError2},
        {kTwo, "abc", "4", "0", kDivide, "0", kMismatch},
        {kTwo, "-0", "5", "0", kTimes, "0"},
    });
}

TEST(OneNumberArithmetic, CombinesTheNewOperandWithTheHeldAnswer) {
    expectEvaluations({
        {kOne, "", "4", "10", "+%", "14"},
        {kOne, "", "4", "10", "-%", "-6"},
        {kOne, "", "4", "10", "%-", "6"},
        {kOne, "", "4", "10", kTimes + "%", "40"},
        {kOne, "", "4", "10", kDivide + "%", "0.4"},
        {kOne, "", "4", "10", "%" + kDivide, "2.5"},
        {kOne, "", "4", "0", kDivide + "%", kError2},
        {kOne, "", "4", "-0", kDivide + "%", kError2},
        {kOne, "", "abc", "0", kDivide + "%", kError2},
        {kOne, "", "5", "0", "%" + kDivide, "0"},
        // "%÷" guards every text worth zero, and needs a number to test.
        {kOne, "", "0.0", "5", "%" + kDivide, kError2},
        {kOne, "", " 0 ", "5", "%" + kDivide, kError2},
        {kOne, "", "-0", "5", "%" + kDivide, kError2},
        {kOne, "", "0E5", "5", "%" + kDivide, kError2},
        {kOne, "", "", "5", "%" + kDivide, "0", kMismatch},
        {kOne, "", "x", "5", "+%", "0", kMismatch},
        {kOne, "", "1e308", "1e308", "+%", "0", kOverflow},
        {kOne, "", "1E-320", "1E300", "%" + kDivide, "0", kOverflow},
    });
}

}  // namespace
}  // namespace quillon::testing
