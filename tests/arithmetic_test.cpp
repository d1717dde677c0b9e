// The basic operators of both modes and the relational operators.
#include <gtest/gtest.h>

#include "harness.h"
#include "variant.h"

namespace quillon::testing {
namespace {

const std::string kError2 = kDivisionByZero;
const std::string kTimes = "\u00D7";
const std::string kDivide = "\u00F7";

TEST(TwoNumberArithmetic, WorksOnTheTextOfFirstAndTheValueOfSecond) {
    const EvalCase cases[] = {
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
    };
    for (const EvalCase& c : cases) {
        expectEvaluation(c);
    }
}

TEST(TwoNumberRelational, ComparesTheTextsCodeUnitByCodeUnit) {
    const EvalCase cases[] = {
        {kTwo, "10", "9", "0", "<", "1"},
        {kTwo, "2", "10", "0", ">", "1"},
        {kTwo, "1", "1.0", "0", "=", "0"},
        {kTwo, "1", "1.0", "0", "<>", "1"},
        {kTwo, "1", "1.0", "0", "!=", "1"},
        {kTwo, "1", "1.0", "0", "<", "1"},
        {kTwo, "abc", "5", "0", ">", "1"},
        {kTwo, "abc", "5", "0", "<", "0"},
        {kTwo, " 5", "5", "0", "=", "0"},
        {kTwo, "5", "5", "0", "=", "1"},
        {kTwo, "5", "5", "0", "<=", "1"},
        {kTwo, "5", "5", "0", ">=", "1"},
        {kTwo, "5", "5", "0", "<", "0"},
        {kTwo, "5", "5", "0", "<>", "0"},
        {kTwo, "", "0", "0", "<", "1"},
        {kTwo, "", "0", "0", ">=", "0"},
        // Upper case sorts before lower case.
        {kTwo, "5E0", "5e0", "0", "<", "1"},
        // Second must still be a number, even though its value is not used.
        {kTwo, "a", "b", "0", "<", "0", kMismatch},
    };
    for (const EvalCase& c : cases) {
        expectEvaluation(c);
    }
}

TEST(OneNumberArithmetic, CombinesTheNewOperandWithTheHeldAnswer) {
    const EvalCase cases[] = {
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
    };
    for (const EvalCase& c : cases) {
        expectEvaluation(c);
    }
}

TEST(OneNumberRelational, ComparesTheHeldAnswerWithTheNewOperandsValue) {
    const EvalCase cases[] = {
        {kOne, "", "5", "3", "<%", "1"},
        {kOne, "", "5", "3", ">%", "0"},
        {kOne, "", "5", "3", "<=%", "1"},
        {kOne, "", "5", "3", ">=%", "0"},
        {kOne, "", "5", "3", "=%", "0"},
        {kOne, "", "5", "3", "<>%", "1"},
        {kOne, "", "5", "3", "!=%", "1"},
        {kOne, "", "2.0", "2", "=%", "1"},
        {kOne, "", " 2e0", "2", ">=%", "1"},
        {kOne, "", "2", "2", "<>%", "0"},
        {kOne, "", "x", "2", "=%", "0", kMismatch},
        {kOne, "", "-0", "0", "=%", "1"},
    };
    for (const EvalCase& c : cases) {
        expectEvaluation(c);
    }
}

TEST(Compare, TextsByUtf16CodeUnitsAndOtherwiseByValue) {
    const auto text = Variant::text;
    EXPECT_LT(compare(text("10"), text("9")), 0);
    EXPECT_LT(compare(text("1"), text("1.0")), 0);
    EXPECT_EQ(compare(text(""), text("")), 0);
    // U+FFFD is one code unit above the lead surrogate of an emoji, so the emoji sorts first
    // although its code point is larger.
    EXPECT_GT(compare(text("\uFFFD"), text("\U0001F600")), 0);
    EXPECT_LT(compare(text("\u00E9"), text("\u0101")), 0);
    EXPECT_EQ(compare(text(" 2.0"), Variant::integer(2)), 0);
    EXPECT_GT(compare(Variant::number(10.0), text("9")), 0);
    EXPECT_THROW(compare(text("x"), Variant::integer(0)), EvaluationFailure);
}

}  // namespace
}  // namespace quillon::testing
