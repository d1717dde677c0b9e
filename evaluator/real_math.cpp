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
    return checkedResult(std::pow(base, exponent));
}

}  // namespace quillon
