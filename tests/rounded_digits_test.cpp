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

constexpr auto kGeneral = std::chars_format::general;
constexpr auto kScientific = std::chars_format::scientific;
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::string rounded(double value, std::chars_format format, int precision) {
    std::array<char, 128> buffer{};
    const auto result =
        roundedToChars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    EXPECT_EQ(result.ec, std::errc());
    return std::string(buffer.data(), result.ptr);
}

#ifdef QUILLON_HAVE_FLOAT_TO_CHARS
// What the standard library itself writes.
std::string standard(double value, std::chars_format format, int precision) {
    std::array<char, 128> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    return std::string(buffer.data(), result.ptr);
}
#endif

// The texts std::to_chars writes (checked against it below wherever it exists): rounding
// halves to even, carries into a new digit, the switch between the general format's two forms
// after rounding, the ends of the range, and the precisions the program uses.
struct Row {
    double value;
    std::chars_format format;
    int precision;
    const char* text;
};
constexpr Row kRows[] = {
    {0.0, kGeneral, 15, "0"},
    {-0.0, kGeneral, 15, "-0"},
    {0.0, kScientific, 14, "0.00000000000000e+00"},
    {-0.0, kScientific, 3, "-0.000e+00"},
    {1.5, kGeneral, 15, "1.5"},
    {1.0 / 3.0, kGeneral, 15, "0.333333333333333"},
    {-2.0 / 3.0, kGeneral, 15, "-0.666666666666667"},
    {0.1, kScientific, 14, "1.00000000000000e-01"},
    {0.1, kGeneral, 17, "0.10000000000000001"},
    {0.1, kGeneral, 25, "0.1000000000000000055511151"},
    {1e15, kGeneral, 15, "1e+15"},
    {999999999999999.0, kGeneral, 15, "999999999999999"},
    {999999999999999.5, kGeneral, 15, "1e+15"},
    {0.0001, kGeneral, 15, "0.0001"},
    {0.00001, kGeneral, 15, "1e-05"},
    {0.000099999999999999995, kGeneral, 15, "0.0001"},
    {1.5e300, kGeneral, 15, "1.5e+300"},
    {kLargest, kGeneral, 15, "1.79769313486232e+308"},
    {kLargest, kScientific, 14, "1.79769313486232e+308"},
    {kTiniest, kGeneral, 15, "4.94065645841247e-324"},
    {kTiniest, kScientific, 14, "4.94065645841247e-324"},
    {0.5, kGeneral, 0, "0.5"},
    {2.5, kGeneral, 1, "2"},
    {3.5, kGeneral, 1, "4"},
    {2.5, kScientific, 0, "2e+00"},
    {0.125, kGeneral, 2, "0.12"},
    {0.375, kScientific, 1, "3.8e-01"},
    {9.5, kGeneral, 1, "1e+01"},
    {1e100, kScientific, 5, "1.00000e+100"},
    {123456.0, kGeneral, -1, "123456"},
    {1234567.0, kGeneral, -1, "1.23457e+06"},
    {kInfinity, kGeneral, 15, "inf"},
    {-kInfinity, kScientific, 14, "-inf"},
    {kNan, kGeneral, 15, "nan"},
    {-kNan, kGeneral, 15, "-nan"},
};

TEST(RoundedToChars, WritesTheTextsOfTheTable) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(rounded(row.value, row.format, row.precision), row.text);
#ifdef QUILLON_HAVE_FLOAT_TO_CHARS
        // A NaN's text differs between standard libraries (libc++ writes "-nan(ind)"); only the
        // texts of numbers must agree.
        if (!std::isnan(row.value)) {
            EXPECT_EQ(standard(row.value, row.format, row.precision), row.text)
                << "the table is wrong";
        }
#endif
    }
}

TEST(RoundedToChars, RefusesATextThatDoesNotFit) {
    std::array<char, 5> buffer{};
    char* const end = buffer.data() + buffer.size();
    auto result = roundedToChars(buffer.data(), end, -1.25, kGeneral, 15);
    EXPECT_EQ(result.ec, std::errc());
    EXPECT_EQ(std::string(buffer.data(), result.ptr), "-1.25");
    result = roundedToChars(buffer.data(), buffer.data() + 4, -1.25, kGeneral, 15);
    EXPECT_EQ(result.ec, std::errc::value_too_large);
    EXPECT_EQ(result.ptr, buffer.data() + 4);
    result = roundedToChars(buffer.data(), end, 1.0, std::chars_format::fixed, 2);
    EXPECT_EQ(result.ec, std::errc::invalid_argument);
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
    struct Form {
        std::chars_format format;
        int precision;
        std::size_t count;  // sampled values per kind
    };
    std::vector<Form> forms = {{kGeneral, 15, 100000}, {kScientific, 14, 100000}};
    for (int precision = 0; precision <= 17; ++precision) {
        forms.push_back({kGeneral, precision, 2000});
        forms.push_back({kScientific, precision, 2000});
    }
    int failures = 0;
    for (const Form& form : forms) {
        for (const double value : sampleDoubles(form.count)) {
            if (std::isnan(value)) {
                continue;  // spelled differently by each standard library
            }
            const std::string expected = standard(value, form.format, form.precision);
            const std::string actual = rounded(value, form.format, form.precision);
            if (actual != expected && ++failures <= 10) {
                ADD_FAILURE() << testing::bitsOf(value) << " with precision " << form.precision
                              << ": " << actual << " instead of " << expected;
            }
        }
    }
    EXPECT_EQ(failures, 0);
#endif
}

}  // namespace
}  // namespace quillon
