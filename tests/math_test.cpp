// The transcendental functions against correctly rounded values, where a fast or naive
// mathematics library is known to go wrong: huge arguments, arguments next to multiples of
// pi/2, exponentials and powers next to overflow and in the subnormal range, and cases where
// this machine's own library is one unit off in the last place. The expected values were
// computed apart from the program, at 400 bits with an arbitrary-precision library, and
// rounded once to the nearest Double.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "harness.h"
#include "real_math.h"

namespace quillon::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
constexpr double kHalfPi = 0x1.921fb54442d18p+0;  // the Double nearest pi/2
constexpr double kPi = 0x1.921fb54442d18p+1;      // the Double nearest pi
// The Double closest to a multiple of pi/2 (its cosine is about 4.7E-19).
constexpr double kNearQuarterTurns = 0x1.6ac5b262ca1ffp+849;

struct Row {
    const char* name;
    double (*function)(double, double);
    double first;
    double second;  // pow's exponent; unused by the functions of one argument
    double expected;
};

template <double (*function)(double)>
double ofFirst(double first, double) {
    return function(first);
}
constexpr auto sin = ofFirst<math::sin>;
constexpr auto cos = ofFirst<math::cos>;
constexpr auto tan = ofFirst<math::tan>;
constexpr auto atan = ofFirst<math::atan>;
constexpr auto exp = ofFirst<math::exp>;
constexpr auto log = ofFirst<math::log>;
constexpr auto pow = math::pow;

// Equal to the last bit, the sign of a zero included; any not-a-number matches another.
void expectRows(const Row* begin, const Row* end) {
    for (const Row* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->name);
        const double result = row->function(row->first, row->second);
        if (std::isnan(row->expected)) {
            EXPECT_TRUE(std::isnan(result)) << result;
        } else {
            EXPECT_EQ(bitsOf(result), bitsOf(row->expected))
                << std::hexfloat << result << " instead of " << row->expected;
        }
    }
}

TEST(CorrectlyRoundedMath, HugeArguments) {
    const Row rows[] = {
        {"sin(1E22)", sin, 1e22, 0, -0x1.b453ab76bf397p-1},
        {"cos(1E22)", cos, 1e22, 0, 0x1.0be2cef01c8f4p-1},
        {"sin(1E300)", sin, 1e300, 0, -0x1.a2c16b010e385p-1},
        {"cos(1E300)", cos, 1e300, 0, -0x1.2699022adc4c1p-1},
        {"tan(1E300)", tan, 1e300, 0, 0x1.6be411f37ac77p+0},
        {"sin(largest)", sin, kLargest, 0, 0x1.452fc98b34e97p-8},
        {"cos(largest)", cos, kLargest, 0, -0x1.fffe62ecfab75p-1},
        {"tan(largest)", tan, kLargest, 0, -0x1.4530cfe729484p-8},
        {"cos of the closest to a multiple of pi/2", cos, kNearQuarterTurns, 0,
         -0x1.14ae72e6ba22fp-61},
        {"sin of the closest to a multiple of pi/2", sin, kNearQuarterTurns, 0, 1.0},
        {"atan(1E300)", atan, 1e300, 0, kHalfPi},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(CorrectlyRoundedMath, ArgumentsNextToMultiplesOfAQuarterTurn) {
    const Row rows[] = {
        {"cos(pi/2)", cos, kHalfPi, 0, 0x1.1a62633145c07p-54},
        {"tan(pi/2)", tan, kHalfPi, 0, 0x1.d02967c31cdb5p+53},
        {"sin(pi)", sin, kPi, 0, 0x1.1a62633145c07p-53},
        {"tan(pi)", tan, kPi, 0, -0x1.1a62633145c07p-53},
        {"sin(kPiValue)", sin, kPiValue, 0, 0x1.d1a62633145c0p-49},
        {"cos(3pi/2)", cos, 0x1.2d97c7f3321d2p+2, 0, -0x1.a79394c9e8a0ap-53},
        {"sin(2pi)", sin, 0x1.921fb54442d18p+2, 0, -0x1.1a62633145c07p-52},
    };
    expectRows(std::begin(rows), std::end(rows));
}

// Arguments on which this machine's C library was found one unit off in the last place.
TEST(CorrectlyRoundedMath, LastPlaceThatAFastLibraryMisses) {
    const Row rows[] = {
        {"sin", sin, -0x1.7e7c122d5c43dp+13, 0, 0x1.15e0f80081053p-3},
        {"cos", cos, -0x1.fdc2719a592a2p+7, 0, -0x1.d568b2b6e2d2dp-1},
        {"tan", tan, 0x1.ae22b2a3e19aep-2, 0, 0x1.c95b5e01daca3p-2},
        {"atan", atan, -0x1.6755f00605f04p-3, 0, -0x1.63b70692094cbp-3},
        {"exp", exp, -0x1.4258fce8e7a1ap+9, 0, 0x1.de2dba425e403p-931},
        {"log", log, 0x1.5651dc8dde806p+0, 0, 0x1.298a9f0906929p-2},
        {"pow", pow, 0x1.600e091daf9bap+4, 0x1.81cb87213dc52p+6, 0x1.17cfb720e172bp+430},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(CorrectlyRoundedMath, ExponentialsAndPowersAtTheEdgesOfTheRange) {
    const Row rows[] = {
        {"exp(709.782712893384), just below the largest", exp, 709.782712893384, 0,
         0x1.fffffffffff2ap+1023},
        {"exp(709.79) overflows", exp, 709.79, 0, kInf},
        {"exp(-740) is subnormal", exp, -740, 0, 0x1.54p-1068},
        {"exp(-745.1) is the smallest subnormal", exp, -745.1, 0, kTiniest},
        {"exp(-745.2) is below half of it", exp, -745.2, 0, 0.0},
        {"log of the smallest subnormal", log, kTiniest, 0, -0x1.74385446d71c3p+9},
        {"log of the largest", log, kLargest, 0, 0x1.62e42fefa39efp+9},
        {"2 ^ 1023.99999999999", pow, 2, 1023.99999999999, 0x1.fffffffff0c03p+1023},
        {"10 ^ 308.254715559916", pow, 10, 308.254715559916, 0x1.fffffffffc45ep+1023},
        {"largest ^ 0.999999999999999", pow, kLargest, 0.999999999999999, 0x1.fffffffffe70bp+1023},
        {"10 ^ 309 overflows", pow, 10, 309, kInf},
        {"-10 ^ 309 overflows negative", pow, -10, 309, -kInf},
        {"0.5 ^ 1075 is half the smallest subnormal: to even, zero", pow, 0.5, 1075, 0.0},
        {"0.5 ^ 1074.5 rounds up to the smallest subnormal", pow, 0.5, 1074.5, kTiniest},
        {"2 ^ -1074 is exact", pow, 2, -1074, kTiniest},
        {"10 ^ -320 is subnormal", pow, 10, -320, 0x1.fap-1064},
        {"-10 ^ -323 is a negative subnormal", pow, -10, -323, -0x1p-1073},
        {"-10 ^ -325 underflows to minus zero", pow, -10, -325, -0.0},
    };
    expectRows(std::begin(rows), std::end(rows));
}

// The callers' checks rely on these: an infinity on overflow, -inf for the logarithm of zero,
// not-a-number outside the domain, 1 for any number to the power 0, signed zeros kept.
TEST(CorrectlyRoundedMath, SpecialValuesAreThoseOfTheCLibrary) {
    const Row rows[] = {
        {"sin(-0)", sin, -0.0, 0, -0.0},
        {"cos(-0)", cos, -0.0, 0, 1.0},
        {"tan(-0)", tan, -0.0, 0, -0.0},
        {"atan(-0)", atan, -0.0, 0, -0.0},
        {"sin(inf)", sin, kInf, 0, kNaN},
        {"cos(-inf)", cos, -kInf, 0, kNaN},
        {"tan(nan)", tan, kNaN, 0, kNaN},
        {"atan(inf)", atan, kInf, 0, kHalfPi},
        {"atan(-inf)", atan, -kInf, 0, -kHalfPi},
        {"exp(-0)", exp, -0.0, 0, 1.0},
        {"exp(-inf)", exp, -kInf, 0, 0.0},
        {"exp(inf)", exp, kInf, 0, kInf},
        {"log(1)", log, 1, 0, 0.0},
        {"log(0)", log, 0.0, 0, -kInf},
        {"log(-0)", log, -0.0, 0, -kInf},
        {"log(-1)", log, -1, 0, kNaN},
        {"log(inf)", log, kInf, 0, kInf},
        {"nan ^ 0", pow, kNaN, 0, 1.0},
        {"-5 ^ -0", pow, -5, -0.0, 1.0},
        {"1 ^ nan", pow, 1, kNaN, 1.0},
        {"-1 ^ inf", pow, -1, kInf, 1.0},
        {"-8 ^ (1/3)", pow, -8, 1.0 / 3.0, kNaN},
        {"-2 ^ 3", pow, -2, 3, -8.0},
        {"0 ^ -1", pow, 0.0, -1, kInf},
        {"-0 ^ -1", pow, -0.0, -1, -kInf},
        {"-0 ^ -2", pow, -0.0, -2, kInf},
        {"-0 ^ 3", pow, -0.0, 3, -0.0},
        {"-0 ^ 0.5", pow, -0.0, 0.5, 0.0},
        {"0.5 ^ -1075", pow, 0.5, -1075, kInf},
    };
    expectRows(std::begin(rows), std::end(rows));
}

// The same through "Do It!": the texts that a platform with a naive library shows wrongly,
// from the 7th digit on or entirely. Expected texts are the reference values above, or
// computed the same way for the Double arguments that the operators form.
TEST(CorrectlyRoundedClicks, Trigonometry) {
    expectEvaluations({
        {kOne, "", "1E22", "0", "Sin()", "-0.852200849767189"},
        {kOne, "", "1E22", "0", "Cos()", "0.523214785395139"},
        {kOne, "", "1E300", "0", "Sin()", "-0.817881912115909"},
        {kOne, "", "1.79769313486232E+308", "0", "Tan()", "-0.0049620158744449"},
        {kOne, "", "1.5707963267949", "0", "Cos()", "-3.49148133884313E-15"},
        {kOne, "", "1.5707963267949", "0", "Tan()", "-286411383293069"},
        {kOne, "", "3.14159265358979", "0", "Sin()", "3.23108914886517E-15"},
        {kOne, "", "90", "0", "Sec°()", "618986325617924"},
        {kOne, "", "90", "0", "Tan°()", "618986325617924"},
        {kOne, "", "1E18", "0", "Sin°()", "-0.310714253381407"},
    });
}

// Ordinary arguments on which this machine's C library is one unit off in the last place, and
// the unit shows in the 15 digits: it gives -0.631745449116496, 0.383432076533522,
// 7.13912793184153, 1.22467285152704, 2.2643042127854E+263 and 3.2624708613082.
TEST(CorrectlyRoundedClicks, LastPlaceShowsInTheFifteenDigits) {
    expectEvaluations({
        {kOne, "", "72.9404338651553", "0", "Sin()", "-0.631745449116495"},
        {kOne, "", "93.0704928253331", "0", "Cos()", "0.383432076533521"},
        {kOne, "", "7.71481396830427", "0", "Tan()", "7.13912793184152"},
        {kOne, "", "2.77283577505428", "0", "Atan()", "1.22467285152705"},
        {kOne, "", "606.397146978353", "0", "e^", "2.26430421278539E+263"},
        {kOne, "", "26.1139815197126", "0", "Ln", "3.26247086130821"},
    });
}

TEST(CorrectlyRoundedClicks, ExponentialsPowersAndLogarithms) {
    expectEvaluations({
        {kOne, "", "-740", "0", "e^", "4.1995579896506E-322"},
        {kOne, "", "-745.1", "0", "e^", "4.94065645841247E-324"},
        {kOne, "", "-745.2", "0", "e^", "0"},
        {kOne, "", "709.782712893384", "0", "e^", "1.79769313486227E+308"},
        {kOne, "", "709.79", "0", "e^", "0", kOverflow},
        {kOne, "", "308.254715559916", "0", "10^", "1.79769313485927E+308"},
        {kOne, "", "308.25471555992", "0", "10^", "0", kOverflow},
        {kOne, "", "-320", "0", "10^", "9.99988867182683E-321"},
        {kOne, "", "4.94065645841247E-324", "0", "Ln", "-744.440071921381"},
        {kOne, "", "1E300", "0", "Cube Root (^1/3)", "9.99999999999987E+99"},
        {kTwo, "2", "1023.99999999999", "0", "^", "1.79769313484985E+308"},
        {kTwo, "1.79769313486232E+308", "0.999999999999999", "0", "^", "1.79769313486104E+308"},
        {kTwo, "0.5", "1075", "0", "^", "0"},
        {kTwo, "0.5", "1074.5", "0", "^", "4.94065645841247E-324"},
        {kTwo, "-10", "-323", "0", "^", "-9.88131291682493E-324"},
    });
}

}  // namespace
}  // namespace quillon::testing
