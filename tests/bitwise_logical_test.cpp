// "Bitwise and Logical Operators": the (Bytewise) operators on 32-bit integers and the (Logical)
// operators on the zero flags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace quillon::testing {
namespace {

const std::vector<std::string> kBytewise = {
    "And (Bytewise)", "Nand (Bytewise)",    "Or (Bytewise)",      "Nor (Bytewise)",
    "Xor (Bytewise)", "Not Xor (Bytewise)", "If-Then (Bytewise)", "Not If-Then (Bytewise)"};
const std::vector<std::string> kLogical = {
    "And (Logical)", "Nand (Logical)",    "Or (Logical)",      "Nor (Logical)",
    "Xor (Logical)", "Not Xor (Logical)", "If-Then (Logical)", "Not If-Then (Logical)"};

// Runs every operator of a family on one pair of texts; expected[i] belongs to family[i].
void expectFamily(const std::vector<std::string>& family, const std::string& first,
                  const std::string& second, const std::vector<std::string>& expected) {
    ASSERT_EQ(family.size(), expected.size());
    for (std::size_t i = 0; i < family.size(); ++i) {
        expectEvaluation({kTwo, first, second, "7", family[i], expected[i]});
    }
}

TEST(Bytewise, CombinesAll32Bits) {
    expectFamily(kBytewise, "12", "10", {"8", "-9", "14", "-15", "6", "-7", "-5", "4"});
    expectFamily(kBytewise, "0", "0", {"0", "-1", "0", "-1", "0", "-1", "-1", "0"});
    expectFamily(kBytewise, "-1", "0", {"0", "-1", "-1", "0", "-1", "0", "0", "-1"});
    expectFamily(kBytewise, "-2147483648", "2147483647",
                 {"0", "-1", "-1", "0", "-1", "0", "2147483647", "-2147483648"});
}

TEST(Bytewise, RoundsHalvesToEvenAndChecksThe32BitRange) {
    expectEvaluations({
        {kTwo, "2.5", "3.5", "0", "And (Bytewise)", "0"},
        {kTwo, "2.5", "3.5", "0", "Or (Bytewise)", "6"},
        {kTwo, "-2.5", "0", "0", "Or (Bytewise)", "-2"},
        {kTwo, "2147483647.4", "0", "0", "Or (Bytewise)", "2147483647"},
        {kTwo, "2147483647.5", "0", "0", "Or (Bytewise)", "0", kOverflow},
        {kTwo, "-2147483648.5", "0", "0", "Or (Bytewise)", "-2147483648"},
        {kTwo, "-2147483649", "0", "0", "Or (Bytewise)", "0", kOverflow},
        {kTwo, " 1e1 ", "+3", "0", "Or (Bytewise)", "11"},
    });
}

TEST(Bytewise, FailsWithAnswerAtZeroWhenATextIsNoUsableInteger) {
    for (const std::string& name : kBytewise) {
        expectEvaluation({kTwo, "2147483648", "1", "5", name, "0", kOverflow});
        expectEvaluation({kTwo, "abc", "0", "5", name, "0", kMismatch});
        expectEvaluation({kTwo, "", "0", "5", name, "0", kMismatch});
    }
}

TEST(Bytewise, ConvertsSecondFirstExceptForIfThen) {
    // First is not a number and Second is beyond 32 bits: the failure tells which text was
    // converted first.
    for (const std::string& name : kBytewise) {
        const auto expected = name == "If-Then (Bytewise)" ? kMismatch : kOverflow;
        expectEvaluation({kTwo, "abc", "1e10", "0", name, "0", expected});
    }
}

TEST(Bytewise, ReadsTheBoxesAfterTheRecall) {
    expectEvaluation({kTwo, "%", "10", "12", "And (Bytewise)", "8"});
    expectEvaluation({kTwo, "12", "x%", "10", "Xor (Bytewise)", "6"});
}

TEST(Logical, FollowsTheTruthTableOfTheZeroFlags) {
    // F false, S false / F false, S true / F true, S false / F true, S true.
    expectFamily(kLogical, "0", "0", {"0", "1", "0", "1", "0", "1", "1", "0"});
    expectFamily(kLogical, "0", "5", {"0", "1", "1", "0", "1", "0", "1", "0"});
    expectFamily(kLogical, "5", "0", {"0", "1", "1", "0", "1", "0", "0", "1"});
    expectFamily(kLogical, "5", "5", {"1", "0", "1", "0", "0", "1", "1", "0"});
}

TEST(Logical, TestsTheTextsNotTheValuesAndCannotFail) {
    // Only the exact text "0" is false: 0.0, -0, " 0", "" and letters are all true.
    expectFamily(kLogical, "0.0", "0", {"0", "1", "1", "0", "1", "0", "0", "1"});
    expectFamily(kLogical, "abc", "0", {"0", "1", "1", "0", "1", "0", "0", "1"});
    expectFamily(kLogical, "", "-0", {"1", "0", "1", "0", "0", "1", "1", "0"});
    expectFamily(kLogical, "0", " 0", {"0", "1", "1", "0", "1", "0", "1", "0"});
    expectFamily(kLogical, "2147483648", "1", {"1", "0", "1", "0", "0", "1", "1", "0"});
    // The recall happens before the flags are taken.
    expectEvaluation({kTwo, "%", "0", "0", "Or (Logical)", "0"});
}

}  // namespace
}  // namespace quillon::testing
