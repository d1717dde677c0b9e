// Results do not depend on the user's locale, even one with a decimal comma.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "harness.h"
#include "numbers.h"

namespace quillon::testing {
namespace {

// A locale whose C library reads and writes numbers with a decimal comma. Windows' C runtime
// knows no POSIX locale names; it has its own.
#ifdef _WIN32
constexpr const char* kCommaLocale = "German_Germany.1252";
#else
constexpr const char* kCommaLocale = "de_DE.UTF-8";
#endif
// Compiled to WebAssembly, the C library accepts every locale name but always reads and writes
// numbers with a point.
#ifdef __EMSCRIPTEN__
constexpr bool kCommaLocaleExists = false;
#else
constexpr bool kCommaLocaleExists = true;
#endif

class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (!kCommaLocaleExists) {
            GTEST_SKIP() << "this C library has no locale with a decimal comma to prove anything";
        }
        ASSERT_NE(std::setlocale(LC_ALL, kCommaLocale), nullptr)
            << "the locale " << kCommaLocale << " is missing; ./build.sh test generates it";
        // The C library now reads and writes numbers with a comma.
        ASSERT_EQ(std::strtod("1.5", nullptr), 1.0);
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, NumbersAreStillReadAndWrittenWithAPoint) {
    EXPECT_EQ(readNumber("1.5"), 1.5);
    EXPECT_THROW(readNumber("1,5"), EvaluationFailure);
    EXPECT_EQ(writeNumber(1.5), "1.5");
    EXPECT_EQ(writeNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(writeNumber(1.5e300), "1.5E+300");
}

TEST_F(CommaLocale, EvaluationsGiveTheSameTexts) {
    const EvalCase cases[] = {
        {kTwo, "7", "2", "0", "\u00F7", "3.5"},
        {kTwo, "0.1", "0.2", "0", "+", "0.3"},
        {kTwo, "1,5", "2", "0", "+", "0", kMismatch},
        {kOne, "", "1", "3", "\u00F7%", "0.333333333333333"},
        {kOne, "", "2.5", "0.5", "+%", "3"},
    };
    for (const EvalCase& c : cases) {
        expectEvaluation(c);
    }
}

}  // namespace
}  // namespace quillon::testing
