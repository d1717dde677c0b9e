// Properties of the value rules over many random values (fixed seed, so a failure repeats):
// every written number reads back to the Double its 15 digits denote, and integer rounding is
// exact at every half.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <fast_float/fast_float.h>

#include "failure.h"
#include "numbers.h"
#include "rounded_digits.h"

namespace quillon {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr int kMaxReported = 10;  // failures reported per property before it stops

// The Double that C's "%.15G" denotes for a value, computed apart from writeNumber: the value
// rounded to 15 significant digits, read back as the nearest Double. Rounding can only carry a
// value past the largest Double by less than half a unit in its last place, so a text out of
// range still denotes the largest Double.
double fifteenDigitDouble(double value) {
    std::array<char, 64> buffer{};
    const auto written = toChars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::scientific, 14);
    double denoted = 0.0;
    const auto [end, error] = fast_float::from_chars(buffer.data(), written.ptr, denoted);
    EXPECT_EQ(error, std::errc()) << std::string(buffer.data(), written.ptr);
    if (std::isinf(denoted) && std::fabs(value) > 1.797693134862315e308) {
        return std::copysign(kLargest, value);
    }
    EXPECT_FALSE(std::isinf(denoted)) << std::string(buffer.data(), written.ptr);
    return denoted;
}

// Doubles of every kind: random bit patterns, subnormals, huge and tiny magnitudes, decimal
// fractions, the edges of the exponent form, and the special values.
std::vector<double> sampleDoubles() {
    std::mt19937_64 random(20261208);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  kLargest,
                                  -kLargest,
                                  std::nextafter(kLargest, 0.0),
                                  std::numeric_limits<double>::min(),
                                  -std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::denorm_min(),
                                  1e15,
                                  std::nextafter(1e15, 0.0),
                                  999999999999999.5,
                                  99999999999999.95,
                                  1e-4,
                                  std::nextafter(1e-4, 0.0),
                                  9.999999999999995e-5,
                                  0.1,
                                  1.0 / 3.0,
                                  2.0 / 3.0};
    const auto withBits = [](std::uint64_t bits) { return std::bit_cast<double>(bits); };
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
    for (int i = 0; i < 100000; ++i) {
        const double any = withBits(random());
        if (std::isfinite(any)) {
            values.push_back(any);
        }
    }
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t sign = random() & kSign;
        values.push_back(withBits(sign | (random() & kMantissa)));  // subnormal
        const std::uint64_t hugeExponent = 0x7F0 + random() % 15;   // up to 0x7FE
        values.push_back(withBits(sign | (hugeExponent << 52) | (random() & kMantissa)));
        const std::uint64_t tinyExponent = 1 + random() % 15;
        values.push_back(withBits(sign | (tinyExponent << 52) | (random() & kMantissa)));
        // Short decimals, as users type them, scaled across the exponent form's edges.
        const double digits = static_cast<double>(random() % 1000000000) - 500000000.0;
        values.push_back(digits / std::pow(10.0, static_cast<double>(random() % 30)));
        values.push_back(digits * std::pow(10.0, static_cast<double>(random() % 300)));
    }
    return values;
}

TEST(RoundTrip, EveryWrittenNumberReadsBackToTheDoubleItsFifteenDigitsDenote) {
    int failures = 0;
    for (const double value : sampleDoubles()) {
        const std::string text = writeNumber(value);
        double read = 0.0;
        try {
            read = readNumber(text);
        } catch (const EvaluationFailure& failure) {
            ADD_FAILURE() << text << " (from " << std::bit_cast<std::uint64_t>(value)
                          << ") failed: " << failure.what();
            if (++failures == kMaxReported) {
                break;
            }
            continue;
        }
        // Zeros compare equal whatever their sign; every other Double only to itself.
        if (read != fifteenDigitDouble(value) || writeNumber(read) != text) {
            ADD_FAILURE() << text << " (from bits " << std::bit_cast<std::uint64_t>(value)
                          << ") reads back as bits " << std::bit_cast<std::uint64_t>(read)
                          << ", written " << writeNumber(read);
            if (++failures == kMaxReported) {
                break;
            }
        }
    }
}

TEST(RoundTrip, NegativeZeroIsWrittenAsZero) {
    EXPECT_EQ(writeNumber(-0.0), "0");
    EXPECT_EQ(readNumber(writeNumber(-0.0)), 0.0);
}

// The even one of two neighbouring integers.
std::int64_t evenOf(std::int64_t lower) {
    return lower % 2 == 0 ? lower : lower + 1;
}

// Expects roundToLong(value), and textToLong of its written text, to give `expected`, or an
// overflow failure when `expected` is outside the 32-bit range.
void expectRounding(double value, std::int64_t expected, int& failures) {
    const bool inRange = expected >= std::numeric_limits<std::int32_t>::min() &&
                         expected <= std::numeric_limits<std::int32_t>::max();
    for (const bool fromText : {false, true}) {
        std::optional<std::int32_t> rounded;
        try {
            rounded = fromText ? textToLong(writeNumber(value)) : roundToLong(value);
        } catch (const EvaluationFailure& failure) {
            if (inRange || failure.failure().kind != FailureKind::Overflow) {
                ADD_FAILURE() << writeNumber(value) << " failed: " << failure.what();
                ++failures;
            }
            continue;
        }
        if (!inRange || *rounded != expected) {
            ADD_FAILURE() << writeNumber(value) << (fromText ? " as a text" : "") << " rounds to "
                          << *rounded << ", expected "
                          << (inRange ? std::to_string(expected) : "an overflow");
            ++failures;
        }
    }
}

TEST(Rounding, EveryHalfGoesToTheEvenNeighbourAndTheRangeIsCheckedAfterwards) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::int64_t> anyLong(std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max());
    std::vector<std::int64_t> integers = {std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::min() + 1,
                                          std::numeric_limits<std::int32_t>::max(),
                                          std::numeric_limits<std::int32_t>::max() - 1,
                                          -2,
                                          -1,
                                          0,
                                          1,
                                          2};
    for (int i = 0; i < 100000; ++i) {
        integers.push_back(anyLong(random));
    }
    int failures = 0;
    for (const std::int64_t k : integers) {
        const double whole = static_cast<double>(k);
        expectRounding(whole, k, failures);
        expectRounding(whole + 0.5, evenOf(k), failures);
        expectRounding(whole - 0.5, evenOf(k - 1), failures);
        expectRounding(whole + 0.25, k, failures);
        expectRounding(whole + 0.75, k + 1, failures);
        if (failures >= kMaxReported) {
            break;
        }
    }
}

TEST(Rounding, MagnitudesBeyondTheRangeOverflow) {
    int failures = 0;
    for (const double value : {2147483648.0, -2147483649.0, 1e10, -1e300, kLargest, -kLargest}) {
        expectRounding(value, std::int64_t{1} << 40, failures);
    }
    for (const double tiny : {-0.0, std::numeric_limits<double>::denorm_min(), -0.5, 0.5}) {
        expectRounding(tiny, 0, failures);
    }
}

}  // namespace
}  // namespace quillon
