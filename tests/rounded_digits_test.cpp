// roundedToChars, the writer of doubles for standard libraries without a floating-point
// std::to_chars: the same characters as std::to_chars, checked against a table everywhere and
// against std::to_chars itself over many random values where the standard library has it.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "harness.h"
#include "rounded_digits.h"

namespace quillon {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::string rounded(double value) {
    std::array<char, 128> buffer{};
    const auto result = roundedToChars(buffer.data(), buffer.data() + buffer.size(), value);
    EXPECT_EQ(result.ec, std::errc());
    return std::string(buffer.data(), result.ptr);
}

#ifdef QUILLON_HAVE_FLOAT_TO_CHARS
// What the standard library itself writes.
std::string standard(double value) {
    std::array<char, 128> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}
#endif

// The texts std::to_chars writes (checked against it below wherever it exists): rounding
// halves to even, carries into a new digit, the switch between the general format's two forms
// after rounding, and the ends of the range.
struct Row {
    double value;
    const char* text;
};
constexpr Row kRows[] = {
    {0.0, "0"},
    {-0.0, "-0"},
    {1.5, "1.5"},
    {1.0 / 3.0, "0.333333333333333"},
    {-2.0 / 3.0, "-0.666666666666667"},
    {1e15, "1e+15"},
    {999999999999999.0, "999999999999999"},
    {999999999999999.5, "1e+15"},
    {0.0001, "0.0001"},
    {0.00001, "1e-05"},
    {0.000099999999999999995, "0.0001"},
    {1.5e300, "1.5e+300"},
    {kLargest, "1.79769313486232e+308"},
    {kTiniest, "4.94065645841247e-324"},
    {kInfinity, "inf"},
    {kNan, "nan"},
    {-kNan, "-nan"},
};

TEST(RoundedToChars, WritesTheTextsOfTheTable) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(rounded(row.value), row.text);
#ifdef QUILLON_HAVE_FLOAT_TO_CHARS
        // A NaN's text differs between standard libraries (libc++ writes "-nan(ind)"); only the
        // texts of numbers must agree.
        if (!std::isnan(row.value)) {
            EXPECT_EQ(standard(row.value), row.text) << "the table is wrong";
        }
#endif
    }
}

TEST(RoundedToChars, RefusesATextThatDoesNotFit) {
    std::array<char, 5> buffer{};
    auto result = roundedToChars(buffer.data(), buffer.data() + buffer.size(), -1.25);
    EXPECT_EQ(result.ec, std::errc());
    EXPECT_EQ(std::string(buffer.data(), result.ptr), "-1.25");
    result = roundedToChars(buffer.data(), buffer.data() + 4, -1.25);
    EXPECT_EQ(result.ec, std::errc::value_too_large);
    EXPECT_EQ(result.ptr, buffer.data() + 4);
}

// Doubles of every kind: random bit patterns (NaNs and infinities among them), short decimal
// fractions, and exact halves between two candidate texts at several scales.
[[maybe_unused]] std::vector<double> sampleDoubles(std::size_t count) {
    std::mt19937_64 random(20261208);
    std::vector<double> values;
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(testing::doubleOf(random()));
        values.push_back(static_cast<double>(random() % 2000001) /
                         std::pow(10.0, static_cast<double>(random() % 12)));
        values.push_back(std::ldexp(static_cast<double>(random() % 4000) + 0.5,
                                    static_cast<int>(random() % 40) - 20));
    }
    return values;
}

TEST(RoundedToChars, WritesWhatStdToCharsWrites) {
#ifndef QUILLON_HAVE_FLOAT_TO_CHARS
    GTEST_SKIP() << "this standard library has no std::to_chars for doubles to compare with; "
                    "the table above holds its texts";
#else
    int failures = 0;
    for (const double value : sampleDoubles(100000)) {
        if (std::isnan(value)) {
            continue;  // spelled differently by each standard library
        }
        const std::string expected = standard(value);
        const std::string actual = rounded(value);
        if (actual != expected && ++failures <= 10) {
            ADD_FAILURE() << testing::bitsOf(value) << ": " << actual << " instead of " << expected;
        }
    }
    EXPECT_EQ(failures, 0);
#endif
}

}  // namespace
}  // namespace quillon
