// "Statistical Operators": permutations, combinations and factorials on the answer-accumulating
// loop.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "harness.h"

namespace quillon::testing {
namespace {

const std::string kTimesFactorial = "×!";
const std::string kOverFactorial = "÷!";
const std::string kFactorialOverFactorial = "!÷!";
// 170! as the loop accumulates it, cut to 15 digits at every pass; the exact 170! would be
// written 7.25741561530799E+306.
const std::string kFactorial170 = "7.25741561530814E+306";

TEST(Counting, GivesTheCountsForWholeNumbers) {
    expectEvaluations({
        {kTwo, "10", "3", "0", "nPr", "720"},
        {kTwo, "10", "3", "0", "nCr", "120"},
        {kTwo, "10", "10", "0", "nCr", "1"},
        {kTwo, "2", "5", "0", kTimesFactorial, "240"},
        {kTwo, "720", "6", "0", kOverFactorial, "1"},
        {kTwo, "1", "3", "0", kOverFactorial, "0.166666666666667"},
        {kTwo, "3", "4", "0", "!!", "144"},
        {kTwo, "5", "3", "0", kFactorialOverFactorial, "20"},
        {kTwo, "0", "0", "0", kFactorialOverFactorial, "1"},
        {kTwo, "0", "0", "0", "!!", "1"},
        // The held answer plays no part in "!".
        {kOne, "", "5", "99", "!", "120"},
        {kOne, "", "5", "ERROR 2: Division by 0", "!", "120"},
        {kOne, "", "0", "7", "!", "1"},
        {kOne, "", "-4", "7", "!", "1"},
        {kOne, "", "%", "4", "!", "24"},
    });
}

TEST(Counting, RunsTheLoopsOverTheirBoundsWhateverTheOperands) {
    expectEvaluations({
        // The first loop starts past n: no pass, and "nCr" has no divisions either.
        {kTwo, "10", "0", "0", "nPr", "1"},
        {kTwo, "10", "0", "0", "nCr", "1"},
        {kTwo, "10", "-2", "0", "nPr", "1"},
        {kTwo, "10", "-2", "0", "nCr", "1"},
        // r above n: the first loop passes through k = 0 and the product stays 0.
        {kTwo, "3", "4", "0", "nPr", "0"},
        {kTwo, "3", "4", "0", "nCr", "0"},
        {kTwo, "3", "5", "0", "nPr", "0"},
        // Fractional bounds: k runs from the start in steps of 1 while k <= end.
        {kOne, "", "3.5", "0", "!", "6"},
        {kTwo, "2", "2.9", "0", kTimesFactorial, "4"},
        {kTwo, "5.5", "2", "0", "nPr", "24.75"},
        // "×!" and "÷!" start from the text of First as typed; only a pass reformats it.
        {kTwo, "007", "0", "0", kTimesFactorial, "007"},
        {kTwo, "007", "1", "0", kTimesFactorial, "7"},
        {kTwo, " 1e1", "0.5", "0", kOverFactorial, " 1e1"},
        {kTwo, "-0", "1", "0", kTimesFactorial, "0"},
        {kTwo, "%", "3", "2", kTimesFactorial, "12"},
    });
}

TEST(Counting, CarriesTheFifteenDigitsOfEveryPass) {
    expectEvaluations({
        // The exact 24! would be written 6.20448401733239E+23.
        {kOne, "", "24", "0", "!", "6.2044840173324E+23"},
        {kTwo, "30", "15", "0", "nCr", "155117519.999999"},
        {kOne, "", "170", "0", "!", kFactorial170},
    });
}

TEST(Counting, LeavesTheLastWrittenTextWhenItFails) {
    expectEvaluations({
        // A product beyond the range stops the loop after the last completed pass.
        {kOne, "", "171", "0", "!", kFactorial170, kOverflow},
        {kTwo, "1E308", "5", "0", kTimesFactorial, "1E+308", kOverflow},
        // The second loop runs after the first, even one without passes.
        {kTwo, "0", "171", "0", "!!", kFactorial170, kOverflow},
        // A First that is not a number fails where n is first used.
        {kTwo, "abc", "2", "0", "nPr", "1", kMismatch},
        {kTwo, "abc", "2", "0", "nCr", "1", kMismatch},
        {kTwo, "abc", "0", "0", "nCr", "1", kMismatch},
        {kTwo, "abc", "2", "0", "!!", "1", kMismatch},
        {kTwo, "abc", "2", "0", kFactorialOverFactorial, "1", kMismatch},
        {kTwo, "abc", "2", "0", kTimesFactorial, "abc", kMismatch},
        {kTwo, "abc", "2", "0", kOverFactorial, "abc", kMismatch},
        // ...and not at all when no pass reads it.
        {kTwo, "abc", "0.9", "0", kTimesFactorial, "abc"},
        {kTwo, "", "-1", "0", kOverFactorial, ""},
        {kOne, "", "abc", "5", "!", "1", kMismatch},
        {kOne, "", "", "5", "!", "1", kMismatch},
        {kOne, "", "1e400", "5", "!", "1", kOverflow},
    });
}

// A row whose loops must end after a bounded number of passes.
struct BoundedCase {
    EvalCase evaluation;
    std::uint64_t maxPasses;
};

TEST(Counting, EndsWithinAFewHundredPassesWhateverTheEnd) {
    const BoundedCase cases[] = {
        // 1 / k! reaches "0" and stays there.
        {{kTwo, "1", "1E300", "0", kOverFactorial, "0"}, 400},
        {{kTwo, "1.79769313486232E+308", "1E300", "0", kOverFactorial, "0"}, 400},
        {{kTwo, "3", "1E300", "0", kFactorialOverFactorial, "0"}, 400},
        // Zero times anything is zero: no pass at all, or one that writes "0".
        {{kTwo, "0", "1E300", "0", kTimesFactorial, "0"}, 0},
        {{kTwo, "0.0", "1E300", "0", kTimesFactorial, "0"}, 1},
        {{kTwo, "3", "5", "0", "nPr", "0"}, 2},
        // The counter starts at -1E+300, where adding 1 no longer moves it: the second pass
        // squares the product beyond the range.
        {{kTwo, "10", "1E300", "0", "nCr", "-1E+300", kOverflow}, 2},
        {{kTwo, "10", "1E300", "0", "nPr", "-1E+300", kOverflow}, 2},
        // A growing product overflows.
        {{kOne, "", "1E300", "0", "!", kFactorial170, kOverflow}, 171},
        {{kTwo, "4.94065645841247E-324", "1E300", "0", kTimesFactorial, "1.18167654992212E+306",
          kOverflow},
         400},
        {{kTwo, "1E300", "1E300", "0", "!!", kFactorial170, kOverflow}, 171},
    };
    for (const BoundedCase& bounded : cases) {
        const EvalCase& c = bounded.evaluation;
        SCOPED_TRACE(::testing::PrintToString(c));
        Harness window;
        EvaluationTrace trace;
        const std::optional<Failure> failure = window.press(c, &trace);
        EXPECT_EQ(window.controls.text(Box::Answer), c.expected);
        EXPECT_EQ(kindOf(failure), c.failure);
        EXPECT_LE(trace.loopSteps, bounded.maxPasses);
    }
}

}  // namespace
}  // namespace quillon::testing
