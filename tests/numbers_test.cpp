// Reading and writing numbers, integer rounding and checked arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "failure.h"
#include "harness.h"
#include "numbers.h"

namespace quillon {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();

std::optional<Failure> failureOf(auto&& action) {
    try {
        action();
    } catch (const EvaluationFailure& failure) {
        return failure.failure();
    }
    return std::nullopt;
}

TEST(ReadNumber, AcceptsEveryFormOfANumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"5", 5.0},
        {" \t-5.5e+2 \t", -550.0},
        {"5.", 5.0},
        {".5", 0.5},
        {"+.5E-1", 0.05},
        {"-0", -0.0},
        {"00012", 12.0},
        {"1e5", 100000.0},
        {"0e999999999999999999999", 0.0},
        {"3.5", 3.5},
        {"1.7976931348623157e308", kLargest},
        // Beyond the largest Double but not beyond what the largest Double is written as.
        {"1.79769313486232E+308", kLargest},
        {"-1.79769313486232E+308", -kLargest},
        {"17976931348623200000000E+286", kLargest},
        {"4.9e-324", kTiniest},
        // Either side of half the smallest subnormal: up to it, or down to zero.
        {"2.4703282292062328e-324", kTiniest},
        {"2.4703282292062327e-324", 0.0},
        {"-2.4703282292062327e-324", -0.0},
        // 2^53 + 1 is halfway between two Doubles: the digits past the 19th decide.
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740993.00000000000000000000001", 9007199254740994.0},
        {"1e-400", 0.0},
        {"1e-99999999999999999999999", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readNumber(c.text), c.value);
        EXPECT_EQ(std::signbit(readNumber(c.text)), std::signbit(c.value));
    }
    EXPECT_TRUE(std::signbit(readNumber("-1e-400")));
}

TEST(ReadNumber, RejectsAnythingElseAsTypeMismatchNamingTheText) {
    for (const char* text : {"",
                             " ",
                             "\t",
                             ".",
                             "-",
                             "+",
                             "inf",
                             "-inf",
                             "infinity",
                             "nan",
                             "0x10",
                             "1,5",
                             "1_000",
                             "1d5",
                             "- 5",
                             "+-5",
                             "--5",
                             "1e",
                             "1e+",
                             "1E-",
                             "e5",
                             ".e5",
                             "5..",
                             "1.2.3",
                             "5 5",
                             "\n5",
                             "5\n",
                             "$5",
                             "5%",
                             "abc",
                             "\xEF\xBC\x91" /* full-width one */,
                             "1e5.0",
                             "0.5e1e2",
                             "\xC2\xA0"
                             "5"}) {
        SCOPED_TRACE(text);
        const auto failure = failureOf([&] { readNumber(text); });
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->kind, FailureKind::TypeMismatch);
        EXPECT_EQ(failure->culprit, std::string(text));
    }
}

TEST(ReadNumber, OverflowsBeyondTheLargestWrittenNumber) {
    for (const char* text : {"1.79769313486233E+308", "1.797693134862321E+308", "1e309", "-1e400",
                             "1e99999999999999999999", "180E+307"}) {
        SCOPED_TRACE(text);
        const auto failure = failureOf([&] { readNumber(text); });
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->kind, FailureKind::Overflow);
        EXPECT_EQ(failure->culprit, std::string(text));
    }
}

TEST(WriteNumber, WritesFifteenSignificantDigitsInGeneralFormat) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {3.5, "3.5"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {1e14, "100000000000000"},
        {1e15, "1E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {999999999999999.9, "1E+15"},
        {-1.5, "-1.5"},
        {0.1 + 0.2, "0.3"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1e100, "1E+100"},
        {-1e-300, "-1E-300"},
        {kLargest, "1.79769313486232E+308"},
        {kTiniest, "4.94065645841247E-324"},
        {0.0, "0"},
        {-0.0, "0"},
        {6.2044840173323941e23, "6.20448401733239E+23"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(writeNumber(c.value), c.text) << c.value;
    }
}

// Doubles of every kind: the edges of the range and of the exponent form, and, from a fixed seed
// so that a failure repeats, random bit patterns, subnormals, huge and tiny magnitudes and short
// decimals as users type them, scaled across the exponent form's edges.
std::vector<double> sampleDoubles() {
    std::vector<double> values = {kLargest,
                                  std::nextafter(kLargest, 0.0),
                                  kTiniest,
                                  std::numeric_limits<double>::min(),
                                  1e15,
                                  std::nextafter(1e15, 0.0),
                                  999999999999999.5,
                                  99999999999999.95,
                                  1e-4,
                                  std::nextafter(1e-4, 0.0),
                                  9.999999999999995e-5,
                                  1.0 / 3.0};
    std::mt19937_64 random(20261208);
    const auto withBits = [](std::uint64_t bits) { return testing::doubleOf(bits); };
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t sign = random() & (std::uint64_t{1} << 63);
        const std::uint64_t hugeExponent = 0x7F0 + random() % 15;  // up to the largest, 0x7FE
        const std::uint64_t tinyExponent = 1 + random() % 15;
        const double digits = static_cast<double>(random() % 1000000000) - 500000000.0;
        for (const double value : {withBits(random()), withBits(sign | (random() & kMantissa)),
                                   withBits(sign | (hugeExponent << 52) | (random() & kMantissa)),
                                   withBits(sign | (tinyExponent << 52) | (random() & kMantissa)),
                                   digits / std::pow(10.0, static_cast<double>(random() % 30)),
                                   digits * std::pow(10.0, static_cast<double>(random() % 300))}) {
            if (std::isfinite(value)) {
                values.push_back(value);
            }
        }
    }
    return values;
}

TEST(WriteNumber, IsReadBackToTheNumberItShows) {
    for (const double value : sampleDoubles()) {
        const std::string text = writeNumber(value);
        std::string again;
        ASSERT_EQ(failureOf([&] { again = writeNumber(readNumber(text)); }), std::nullopt) << text;
        ASSERT_EQ(again, text) << "from the bits " << testing::bitsOf(value);
    }
}

TEST(RoundToLong, RoundsHalvesToEvenAndChecksTheRangeAfterRounding) {
    const struct {
        double value;
        std::int32_t rounded;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {0.5, 0},
        {-0.5, 0},
        {1.5, 2},
        {2.4999999999999996, 2},
        {2.75, 3},
        {-2.25, -2},
        {-7.5, -8},
        {2147483646.5, 2147483646},
        {2147483647.4, 2147483647},
        {-2147483648.5, -2147483648},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundToLong(c.value), c.rounded) << c.value;
    }
    for (double value : {2147483647.5, -2147483648.6, -2147483649.0, 1e10, kLargest}) {
        const auto failure = failureOf([&] { roundToLong(value); });
        EXPECT_EQ(testing::kindOf(failure), FailureKind::Overflow) << value;
    }
}

TEST(TextToLong, NamesTheTextThatOverflows) {
    EXPECT_EQ(textToLong(" 3.5 "), 4);
    const auto failure = failureOf([] { textToLong("2147483648"); });
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind, FailureKind::Overflow);
    EXPECT_EQ(failure->culprit, "2147483648");
}

TEST(CheckedArithmetic, NeverGivesAnInfiniteOrUndefinedResult) {
    using testing::kindOf;
    EXPECT_EQ(kindOf(failureOf([] { checkedDivide(1.0, 0.0); })), FailureKind::DivisionByZero);
    EXPECT_EQ(kindOf(failureOf([] { checkedDivide(-1.0, -0.0); })), FailureKind::DivisionByZero);
    EXPECT_EQ(kindOf(failureOf([] { checkedDivide(0.0, 0.0); })), FailureKind::Overflow);
    EXPECT_EQ(kindOf(failureOf([] { checkedDivide(1e300, 1e-300); })), FailureKind::Overflow);
    EXPECT_EQ(kindOf(failureOf([] { checkedMultiply(kLargest, 10.0); })), FailureKind::Overflow);
    EXPECT_EQ(kindOf(failureOf([] { checkedAdd(kLargest, kLargest); })), FailureKind::Overflow);
    EXPECT_EQ(kindOf(failureOf([] { checkedSubtract(-kLargest, kLargest); })),
              FailureKind::Overflow);
    EXPECT_EQ(checkedDivide(1e-300, 1e300), 0.0);
    EXPECT_EQ(checkedAdd(kLargest, 1.0), kLargest);
}

TEST(FailureMessage, NamesTheFailureAndTheTextThatCausedIt) {
    EXPECT_EQ(failureMessage({FailureKind::TypeMismatch, "abc"}),
              "Type mismatch: \"abc\" is not a number.");
    EXPECT_EQ(failureMessage({FailureKind::DivisionByZero, std::nullopt}),
              "Division by zero: a number was divided by zero.");
    const std::string longText(100, 'x');
    const std::string message = failureMessage({FailureKind::Overflow, longText});
    EXPECT_LT(message.size(), 120u);
    EXPECT_NE(message.find("\u2026\""), std::string::npos);
    // A cut never splits a character.
    std::string accented;
    for (int i = 0; i < 40; ++i) {
        accented += "\u00E9";
    }
    const std::string cut = failureMessage({FailureKind::TypeMismatch, accented});
    EXPECT_NE(cut.find("\u00E9\u2026"), std::string::npos);
}

}  // namespace
}  // namespace quillon
