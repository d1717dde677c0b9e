// "Miscellaneous": integer division, remainder, joining texts and the 3n + 1 step counter.
#include <gtest/gtest.h>

#include "harness.h"

namespace quillon::testing {
namespace {

const std::string kError2 = kDivisionByZeroText;

TEST(IntegerDivision, TruncatesTowardZeroOnRoundedIntegers) {
    expectEvaluations({
        {kTwo, "7", "2", "0", "\\", "3"},
        {kTwo, "-7", "2", "0", "\\", "-3"},
        {kTwo, "7", "-2", "0", "\\", "-3"},
        {kTwo, "7", "2", "0", "Mod", "1"},
        {kTwo, "-7", "2", "0", "Mod", "-1"},
        {kTwo, "7", "-2", "0", "Mod", "1"},
        {kTwo, "-7", "-2", "0", "Mod", "-1"},
        // Halves go to the even neighbour: 7 \ 2 and 8 Mod 2.
        {kTwo, "7", "2.5", "0", "\\", "3"},
        {kTwo, "7.5", "2", "0", "Mod", "0"},
        {kTwo, "-2147483648", "1", "0", "\\", "-2147483648"},
        {kTwo, "-2147483648", "2", "0", "Mod", "0"},
        {kTwo, "%", "4", "9", "\\", "2"},
    });
}

TEST(IntegerDivision, GuardsTheValueOfSecondAndFailsBeyondIt) {
    expectEvaluations({
        {kTwo, "7", "0", "5", "\\", kError2},
        {kTwo, "7", "0.0", "5", "Mod", kError2},
        {kTwo, "7", "-0", "5", "\\", kError2},
        // The guard comes before First is converted.
        {kTwo, "abc", "0", "5", "Mod", kError2},
        // 0.4 is not zero, but its integer is.
        {kTwo, "7", "0.4", "5", "\\", "0", kByZero},
        {kTwo, "7", "-0.5", "5", "Mod", "0", kByZero},
        // The one quotient beyond 32 bits, and its remainder alike.
        {kTwo, "-2147483648", "-1", "5", "\\", "0", kOverflow},
        {kTwo, "-2147483648", "-1", "5", "Mod", "0", kOverflow},
        {kTwo, "abc", "2", "5", "\\", "0", kMismatch},
        {kTwo, "2147483648", "2", "5", "Mod", "0", kOverflow},
        // Second is converted before First.
        {kTwo, "abc", "1e10", "5", "\\", "0", kOverflow},
    });
}

TEST(Concatenate, JoinsTheTextsAsTyped) {
    expectEvaluations({
        {kTwo, "12", "34", "0", "& (Concatenate)", "1234"},
        {kTwo, "12", "1e3", "0", "& (Concatenate)", "121e3"},
        {kTwo, "a", " 5", "0", "& (Concatenate)", "a 5"},
        {kTwo, "", "-0", "0", "& (Concatenate)", "-0"},
        {kTwo, "%", "1", "÷", "& (Concatenate)", "÷1"},
    });
}

TEST(Magnif, CountsTheStepsDownToOne) {
    expectEvaluations({
        {kOne, "", "1", "0", "MAGNIF()", "0"},
        {kOne, "", "2", "0", "MAGNIF()", "1"},
        {kOne, "", "3", "0", "MAGNIF()", "7"},
        {kOne, "", "6", "0", "MAGNIF()", "8"},
        {kOne, "", "7", "0", "MAGNIF()", "16"},
        {kOne, "", "7.9", "0", "MAGNIF()", "16"},
        {kOne, "", "27", "5", "MAGNIF()", "111"},
        {kOne, "", "97", "0", "MAGNIF()", "118"},
        {kOne, "", "871", "0", "MAGNIF()", "178"},
        {kOne, "", "113382", "0", "MAGNIF()", "66"},
        // Below 1 it starts from 1; the integer part is taken downwards.
        {kOne, "", "0", "0", "MAGNIF()", "0"},
        {kOne, "", "0.5", "0", "MAGNIF()", "0"},
        {kOne, "", "1.99", "0", "MAGNIF()", "0"},
        {kOne, "", "-2.5", "0", "MAGNIF()", "0"},
        {kOne, "", "-1E300", "0", "MAGNIF()", "0"},
    });
}

TEST(Magnif, FailsWithAnswerAtZeroBeyond32Bits) {
    expectEvaluations({
        // Reaches 2482111348 after 120 steps: the smallest start that does so.
        {kOne, "", "113383", "9", "MAGNIF()", "0", kOverflow},
        {kOne, "", "2147483648", "9", "MAGNIF()", "0", kOverflow},
        // Odd: the first step leads beyond.
        {kOne, "", "2147483647", "9", "MAGNIF()", "0", kOverflow},
        {kOne, "", "1E300", "9", "MAGNIF()", "0", kOverflow},
        {kOne, "", "abc", "9", "MAGNIF()", "0", kMismatch},
    });
}

TEST(Magnif, CountsItsPassesAsLoopSteps) {
    Harness window;
    EvaluationTrace trace;
    EXPECT_FALSE(window.press({kOne, "", "27", "0", "MAGNIF()", ""}, &trace));
    EXPECT_EQ(window.controls.text(Box::Answer), "111");
    EXPECT_EQ(trace.loopSteps, 111u);
}

}  // namespace
}  // namespace quillon::testing
