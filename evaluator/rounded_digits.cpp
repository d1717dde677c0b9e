#include "rounded_digits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <mpfr.h>

namespace quillon {

namespace {

// A magnitude rounded to some significant digits: digits[0].digits[1...] times 10^exponent.
struct Significand {
    std::string digits;
    long exponent = 0;
};

// MPFR holds a double exactly and rounds its decimal digits correctly, halves to even.
Significand roundedDigits(double magnitude, int count) {
    mpfr_t exact;
    mpfr_init2(exact, std::numeric_limits<double>::digits);
    mpfr_set_d(exact, magnitude, MPFR_RNDN);
    // Room for the digits, a sign and the terminating null, and at least 7 bytes.
    std::vector<char> buffer(std::max<std::size_t>(static_cast<std::size_t>(count) + 2, 7));
    mpfr_exp_t exponent = 0;
    mpfr_get_str(buffer.data(), &exponent, 10, static_cast<std::size_t>(count), exact, MPFR_RNDN);
    mpfr_clear(exact);
    return {std::string(buffer.data()), static_cast<long>(exponent) - 1};
}

// "e+05", "e-300": a sign and at least two digits.
std::string exponentText(long exponent) {
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (digits.size() < 2) {
        digits.insert(0, 1, '0');
    }
    return (exponent < 0 ? "e-" : "e+") + digits;
}

// The integer part, then the fraction without its trailing zeros, unless that is empty.
std::string joined(std::string integer, std::string fraction) {
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction.empty() ? integer : integer + '.' + fraction;
}

std::string scientific(const Significand& number) {
    return joined(number.digits.substr(0, 1), number.digits.substr(1)) +
           exponentText(number.exponent);
}

// The fixed form of a number whose digits reach past its units (exponent below their count).
std::string fixed(const Significand& number) {
    if (number.exponent < 0) {
        const std::string zeros(static_cast<std::size_t>(-number.exponent - 1), '0');
        return joined("0", zeros + number.digits);
    }
    const auto units = static_cast<std::size_t>(number.exponent) + 1;
    return joined(number.digits.substr(0, units), number.digits.substr(units));
}

// The text of a finite, non-negative magnitude.
std::string magnitudeText(double magnitude) {
    if (magnitude == 0.0) {
        return "0";
    }
    const Significand number = roundedDigits(magnitude, kWrittenDigits);
    if (number.exponent >= -4 && number.exponent < kWrittenDigits) {
        return fixed(number);
    }
    return scientific(number);
}

}  // namespace

std::to_chars_result roundedToChars(char* first, char* last, double value) {
    std::string text = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) {
        text += "nan";
    } else if (std::isinf(value)) {
        text += "inf";
    } else {
        text += magnitudeText(std::fabs(value));
    }
    if (text.size() > static_cast<std::size_t>(last - first)) {
        return {last, std::errc::value_too_large};
    }
    return {std::copy(text.begin(), text.end(), first), std::errc()};
}

}  // namespace quillon
