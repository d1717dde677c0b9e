// The driver: both prologues, the "%" recall, dispatch, and what the boxes hold after a failure.
#include <gtest/gtest.h>

#include "harness.h"

namespace quillon::testing {
namespace {

const std::string kError1 = kNoOperationChosenText;
const std::string kError2 = kDivisionByZeroText;

TEST(DoIt, DispatchesTheExactNameOfTheMode) {
    expectEvaluations({
        {kTwo, "7", "2", "0", "÷", "3.5"},
        {kTwo, "7", "2", "x", "+", "9"},
        // Names match exactly: other case, blanks or the other mode are no match.
        {kTwo, "7", "2", "0", "+ ", kError1},
        {kTwo, "7", "2", "0", "x", kError1},
        {kTwo, "7", "2", "0", "", kError1},
        {kTwo, "7", "2", "0", "Choose Operation", kError1},
        {kTwo, "7", "2", "0", "+%", kError1},
        {kOne, "7", "2", "3", "+", kError1},
        {kOne, "7", "2", "3", std::string(kNoOperators), kError1},
    });
}

TEST(DoIt, NumberModeZeroBeforeLoadingTakesTheOneNumberPath) {
    MemoryControls controls;
    controls.setText(Box::Second, "7");
    controls.setText(Box::Answer, "3");
    for (const auto& [name, expected] : {std::pair{"+%", "10"}, std::pair{"+", kError1.c_str()}}) {
        controls.setEditText(name);
        EXPECT_FALSE(DoIt_Click(controls, 0));
        EXPECT_EQ(controls.text(Box::Answer), expected) << name;
        controls.setText(Box::Answer, "3");
    }
}

TEST(DoIt, TheSecondBoxIsConvertedBeforeTheNameIsLookedAt) {
    expectEvaluations({
        {kTwo, "7", "abc", "5", "=", "0", kMismatch},
        {kTwo, "7", "abc", "5", "& (Concatenate)", "0", kMismatch},
        {kTwo, "7", "abc", "5", "no such name", "0", kMismatch},
        {kTwo, "7", "", "5", "+", "0", kMismatch},
        {kTwo, "7", "1e400", "5", "+", "0", kOverflow},
        // First is converted only by the operators that need a number.
        {kTwo, "abc", "1", "5", "=", "0"},
        {kTwo, "abc", "1", "5", "+", "0", kMismatch},
        {kTwo, "abc", "1", "5", ">", "1"},
    });
}

TEST(DoIt, OneNumberModeHoldsTheAnswerAndZeroAfterAnErrorText) {
    expectEvaluations({
        {kOne, "", "4", kError1, "+%", "4"},
        {kOne, "", "3", kError2, "+%", "3"},
        {kOne, "", "3", kError2, "÷%", kError2},
        {kOne, "", "3", "ER", "+%", "3"},
        // "ER" is tested with its case, and a shorter text never matches.
        {kOne, "", "3", "Error", "+%", "Error", kMismatch},
        {kOne, "", "3", "er", "+%", "er", kMismatch},
        {kOne, "", "3", "E", "+%", "E", kMismatch},
        {kOne, "", "3", "", "+%", "", kMismatch},
        {kOne, "", "3", "1e999", "+%", "1e999", kOverflow},
        // The held answer is converted even when the name is no match.
        {kOne, "", "3", "abc", "nothing", "abc", kMismatch},
        {kOne, "", "3", "1.79769313486232E+308", "+%", "1.79769313486232E+308"},
    });
}

TEST(DoIt, HeldAnswerPassesThroughItsFifteenDigitText) {
    Harness window;
    window.press({kOne, "", "1", "3", "÷%", ""});
    EXPECT_EQ(window.controls.text(Box::Answer), "0.333333333333333");
    window.controls.setText(Box::Second, "3");
    window.controls.setEditText("×%");
    EXPECT_FALSE(DoIt_Click(window.controls, window.NumberMode));
    EXPECT_EQ(window.controls.text(Box::Answer), "0.999999999999999");
}

// Each row: the boxes before, the operation, the boxes after.
struct RecallCase {
    Mode mode;
    std::string first, second, answer, operation;
    std::string firstAfter, secondAfter, answerAfter;
    std::optional<FailureKind> failure = std::nullopt;
};

TEST(DoIt, RecallsTheWholeAnswerIntoABoxHoldingAPercentSign) {
    const std::string longAnswer = "1234567890.12345678901234567890";  // 31 characters
    const RecallCase cases[] = {
        {kTwo, "12%", "1", "5", "+", "5", "1", "6"},
        {kTwo, "%", "%", "5", "×", "5", "5", "25"},
        {kTwo, "1", "x%y", "5", "+", "1", "5", "6"},
        {kTwo, "%", "2", kError2, "+", kError2, "2", "0", kMismatch},
        {kTwo, "%", "2", kError2, "=", kError2, "2", "0"},
        // The recall into First stays when Second then fails the conversion.
        {kTwo, "%", "abc", "5", "+", "5", "abc", "0", kMismatch},
        {kTwo, "%", "%", "abc", "+", "abc", "abc", "0", kMismatch},
        // The recall is never cut to the typing limit.
        {kTwo, "%", "0", longAnswer, "+", longAnswer, "0", "1234567890.12346"},
        // One-number mode recalls into Second only.
        {kOne, "%", "%", "5", "+%", "%", "5", "10"},
        {kOne, "", "%", "Error", "+%", "", "Error", "Error", kMismatch},
        {kOne, "", "%", kError1, "+%", "", kError1, "0", kMismatch},
    };
    for (const RecallCase& c : cases) {
        SCOPED_TRACE(c.first + " | " + c.second + " | " + c.answer + " | " + c.operation);
        Harness window;
        const auto failure = window.press({c.mode, c.first, c.second, c.answer, c.operation, ""});
        EXPECT_EQ(window.controls.text(Box::First), c.firstAfter);
        EXPECT_EQ(window.controls.text(Box::Second), c.secondAfter);
        EXPECT_EQ(window.controls.text(Box::Answer), c.answerAfter);
        EXPECT_EQ(kindOf(failure), c.failure);
    }
}

TEST(DoIt, ReportsTheTextThatCausedAFailure) {
    Harness window;
    const auto failure = window.press({kTwo, "abc", "2", "0", "+", ""});
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->culprit, "abc");
    EXPECT_EQ(failureMessage(*failure), "Type mismatch: \"abc\" is not a number.");
}

TEST(DoIt, NoEntrySelectedDispatchesTheEditFieldsText) {
    Harness window;
    window.controls.setText(Box::First, "7");
    window.controls.setText(Box::Second, "2");
    window.controls.setEditText("-");
    EXPECT_EQ(window.controls.listIndex(), 1);
    EXPECT_FALSE(DoIt_Click(window.controls, window.NumberMode));
    EXPECT_EQ(window.controls.text(Box::Answer), "5");
    window.controls.setEditText("");
    EXPECT_EQ(window.controls.listIndex(), -1);
    EXPECT_FALSE(DoIt_Click(window.controls, window.NumberMode));
    EXPECT_EQ(window.controls.text(Box::Answer), kError1);
}

}  // namespace
}  // namespace quillon::testing
