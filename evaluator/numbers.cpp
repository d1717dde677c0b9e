#include "numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include <fast_float/fast_float.h>

#include "failure.h"
#include "rounded_digits.h"

namespace quillon {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a text that has the form of a number.
struct NumberForm {
    bool negative = false;
    std::string_view integerDigits;   // before the "."
    std::string_view fractionDigits;  // after the "."
    std::string_view exponentDigits;  // after "E" and its sign
    bool exponentNegative = false;
    std::string_view core;  // the number without blanks and without a leading "+"
};

// The run of digits that starts at i, which is moved past it.
std::string_view digitsFrom(std::string_view text, std::size_t& i, std::size_t end) {
    const std::size_t first = i;
    while (i < end && isDigit(text[i])) {
        ++i;
    }
    return text.substr(first, i - first);
}

// Moves i past a sign, if there is one; true when the sign is "-".
bool signAt(std::string_view text, std::size_t& i, std::size_t end) {
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

// Splits a text of the accepted form into its parts; false for any other text.
bool splitNumber(std::string_view text, NumberForm& form) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    std::size_t i = begin;
    form.negative = signAt(text, i, end);
    // fast_float takes a "-" but no "+".
    const std::size_t coreBegin = (i > begin && text[begin] == '+') ? i : begin;
    form.integerDigits = digitsFrom(text, i, end);
    if (i < end && text[i] == '.') {
        ++i;
        form.fractionDigits = digitsFrom(text, i, end);
    }
    if (form.integerDigits.empty() && form.fractionDigits.empty()) {
        return false;
    }
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        form.exponentNegative = signAt(text, i, end);
        form.exponentDigits = digitsFrom(text, i, end);
        if (form.exponentDigits.empty()) {
            return false;
        }
    }
    if (i != end) {
        return false;
    }
    form.core = text.substr(coreBegin, end - coreBegin);
    return true;
}

// Where the decimal point of a number lies and its significant digits: the value is
// 0.<significant> x 10^pointExponent. Exponents are saturated far beyond the range of Doubles.
struct Magnitude {
    std::string significant;  // no leading or trailing zeros; empty for zero
    std::int64_t pointExponent = 0;
};

Magnitude magnitudeOf(const NumberForm& form) {
    constexpr std::int64_t kSaturated = std::int64_t{1} << 50;
    std::int64_t exponent = 0;
    for (char c : form.exponentDigits) {
        exponent = std::min(exponent * 10 + (c - '0'), kSaturated);
    }
    if (form.exponentNegative) {
        exponent = -exponent;
    }
    std::string digits;
    digits.reserve(form.integerDigits.size() + form.fractionDigits.size());
    digits.append(form.integerDigits).append(form.fractionDigits);
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    Magnitude magnitude;
    if (firstNonZero == std::string::npos) {
        return magnitude;
    }
    const std::size_t lastNonZero = digits.find_last_not_of('0');
    magnitude.significant = digits.substr(firstNonZero, lastNonZero - firstNonZero + 1);
    magnitude.pointExponent = static_cast<std::int64_t>(form.integerDigits.size()) -
                              static_cast<std::int64_t>(firstNonZero) + exponent;
    return magnitude;
}

// True when a magnitude beyond the largest Double is still not above 1.79769313486232E+308,
// the text that writeNumber shows for the largest Double.
bool withinWrittenMaximum(const Magnitude& magnitude) {
    constexpr std::string_view kMaximumDigits = "179769313486232";
    constexpr std::int64_t kMaximumPointExponent = 309;
    if (magnitude.pointExponent != kMaximumPointExponent) {
        return magnitude.pointExponent < kMaximumPointExponent;
    }
    return std::string_view(magnitude.significant) <= kMaximumDigits;
}

}  // namespace

double readNumber(std::string_view text) {
    NumberForm form;
    if (!splitNumber(text, form)) {
        throw EvaluationFailure(FailureKind::TypeMismatch, std::string(text));
    }
    // The nearest Double, correctly rounded on every platform. A magnitude too small to
    // represent comes back as a zero of the right sign, one too large as an infinity.
    double value = 0.0;
    const char* const end = form.core.data() + form.core.size();
    const auto result = fast_float::from_chars(form.core.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) {
        throw EvaluationFailure(FailureKind::TypeMismatch, std::string(text));
    }
    if (!std::isinf(value)) {
        return value;
    }
    if (withinWrittenMaximum(magnitudeOf(form))) {
        const double largest = std::numeric_limits<double>::max();
        return form.negative ? -largest : largest;
    }
    throw EvaluationFailure(FailureKind::Overflow, std::string(text));
}

std::string writeNumber(double value) {
    if (value == 0.0) {
        return "0";  // either zero, without a sign
    }
    std::array<char, 64> buffer{};
    const auto result = toChars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

std::int32_t roundToLong(double value) {
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw EvaluationFailure(FailureKind::Overflow);
    }
    return static_cast<std::int32_t>(rounded);
}

std::int32_t textToLong(std::string_view text) {
    const double value = readNumber(text);
    try {
        return roundToLong(value);
    } catch (const EvaluationFailure&) {
        throw EvaluationFailure(FailureKind::Overflow, std::string(text));
    }
}

double checkedResult(double value) {
    if (!std::isfinite(value)) {
        throw EvaluationFailure(FailureKind::Overflow);
    }
    return value;
}

double checkedAdd(double left, double right) {
    return checkedResult(left + right);
}

double checkedSubtract(double left, double right) {
    return checkedResult(left - right);
}

double checkedMultiply(double left, double right) {
    return checkedResult(left * right);
}

double checkedDivide(double dividend, double divisor) {
    if (divisor == 0.0) {
        throw EvaluationFailure(dividend == 0.0 ? FailureKind::Overflow
                                                : FailureKind::DivisionByZero);
    }
    return checkedResult(dividend / divisor);
}

}  // namespace quillon
