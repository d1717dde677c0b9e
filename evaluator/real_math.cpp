#include "real_math.h"

#include <mpfr.h>

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

namespace {

// The precision of a Double's significand, and its exponent range in MPFR's terms (significand
// in [1/2, 1)): the smallest subnormal is 2^-1074 = 1/2 x 2^-1073, the largest finite value
// lies just below 2^1024.
constexpr mpfr_prec_t kDoublePrecision = 53;
constexpr mpfr_exp_t kDoubleMinExponent = -1073;
constexpr mpfr_exp_t kDoubleMaxExponent = 1024;

// For its lifetime, MPFR's exponent range (per thread) is that of Doubles; the range found
// before is restored afterwards, so other users of MPFR in the process are unaffected.
class DoubleExponentRange {
public:
    DoubleExponentRange() : savedMin_(mpfr_get_emin()), savedMax_(mpfr_get_emax()) {
        mpfr_set_emin(kDoubleMinExponent);
        mpfr_set_emax(kDoubleMaxExponent);
    }
    ~DoubleExponentRange() {
        mpfr_set_emin(savedMin_);
        mpfr_set_emax(savedMax_);
    }
    DoubleExponentRange(const DoubleExponentRange&) = delete;
    DoubleExponentRange& operator=(const DoubleExponentRange&) = delete;

private:
    mpfr_exp_t savedMin_;
    mpfr_exp_t savedMax_;
};

// An MPFR number with the precision of a Double.
class Number {
public:
    Number() { mpfr_init2(value_, kDoublePrecision); }
    explicit Number(double value) : Number() {
        mpfr_set_d(value_, value, MPFR_RNDN);  // exact: the precisions are equal
    }
    ~Number() { mpfr_clear(value_); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;

    mpfr_ptr get() { return value_; }

    // The result of the operation that returned the ternary value: rounded once more as a
    // Double would be if it lies in the subnormal range, then converted exactly.
    double toDouble(int ternary) {
        ternary = mpfr_check_range(value_, ternary, MPFR_RNDN);
        mpfr_subnormalize(value_, ternary, MPFR_RNDN);
        return mpfr_get_d(value_, MPFR_RNDN);
    }

private:
    mpfr_t value_;
};

// The Double nearest the exact value of the function at the argument. Infinities, not-a-number
// and signed zeros come out as C's mathematics library gives them.
double correctlyRounded(int (*function)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double argument) {
    const DoubleExponentRange range;
    Number x(argument);
    Number result;
    const int ternary = function(result.get(), x.get(), MPFR_RNDN);
    return result.toDouble(ternary);
}

}  // namespace

double sin(double angle) {
    return correctlyRounded(mpfr_sin, angle);
}
double cos(double angle) {
    return correctlyRounded(mpfr_cos, angle);
}
double tan(double angle) {
    return correctlyRounded(mpfr_tan, angle);
}
double atan(double value) {
    return correctlyRounded(mpfr_atan, value);
}
double exp(double value) {
    return correctlyRounded(mpfr_exp, value);
}
double log(double value) {
    return correctlyRounded(mpfr_log, value);
}
double pow(double base, double exponent) {
    const DoubleExponentRange range;
    Number x(base);
    Number y(exponent);
    Number result;
    const int ternary = mpfr_pow(result.get(), x.get(), y.get(), MPFR_RNDN);
    return result.toDouble(ternary);
}

}  // namespace math

}  // namespace quillon
