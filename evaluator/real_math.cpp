#include "real_math.h"

#include <cmath>

#include "failure.h"

namespace quillon {

double power(const Variant& left, const Variant& right) {
    const double base = left.toDouble();
    const double exponent = right.toDouble();
    if (base < 0.0 && std::trunc(exponent) != exponent) {
        throw EvaluationFailure(FailureKind::InvalidArgument);
    }
    if (base == 0.0 && exponent < 0.0) {
        throw EvaluationFailure(FailureKind::DivisionByZero);
    }
    return checkedResult(math::pow(base, exponent));
}

namespace math {

double sin(double angle) {
    return std::sin(angle);
}
double cos(double angle) {
    return std::cos(angle);
}
double tan(double angle) {
    return std::tan(angle);
}
double atan(double value) {
    return std::atan(value);
}
double exp(double value) {
    return std::exp(value);
}
double log(double value) {
    return std::log(value);
}
double pow(double base, double exponent) {
    return std::pow(base, exponent);
}

}  // namespace math

}  // namespace quillon
