// "Relational Operators": texts compared in two-number mode, values in one-number mode.
#include <gtest/gtest.h>

#include "harness.h"
#include "variant.h"

namespace quillon::testing {
namespace {

TEST(TwoNumberRelational, ComparesTheTextsCodeUnitByCodeUnit) {
    expectEvaluations({
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
    });
}

TEST(OneNumberRelational, ComparesTheHeldAnswerWithTheNewOperandsValue) {
    expectEvaluations({
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
    });
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
