// "Unit Conversion": unit, time and angle conversions.
#include <gtest/gtest.h>

#include "harness.h"

namespace quillon::testing {
namespace {

TEST(TwoNumberConversions, CombineALargerAndASmallerUnitIntoTheSmaller) {
    expectEvaluations({
        {kTwo, "2", "30", "0", "Min/Sec -> Sec", "150"},
        {kTwo, "1.5", "-10", "0", "Min/Sec -> Sec", "80"},
        {kTwo, "1", "1", "0", "Day/Hr -> Hr", "25"},
        {kTwo, "2", "3", "0", "Week/Day -> Day", "17"},
        {kTwo, "1", "6", "0", "Year/Month -> Month", "18"},
        {kTwo, "10", "30", "0", "°/' -> °", "10.5"},
        {kTwo, "0", "1", "0", "°/' -> °", "0.0166666666666667"},
        // Minutes and seconds of arc, no degrees.
        {kTwo, "30", "36", "0", "'/'' -> °", "0.51"},
        {kTwo, "abc", "5", "0", "Min/Sec -> Sec", "0", kMismatch},
        {kTwo, "abc", "5", "0", "°/' -> °", "0", kMismatch},
        {kTwo, "", "5", "0", "'/'' -> °", "0", kMismatch},
        {kTwo, "1E308", "0", "0", "Year/Month -> Month", "0", kOverflow},
    });
}

TEST(OneNumberConversions, RunTheirStepsInOrderAndIgnoreTheHeldAnswer) {
    expectEvaluations({
        {kOne, "", "60", "0", "MPH -> Feet/s", "88"},
        {kOne, "", "22", "0", "Feet/s -> MPH", "15"},
        {kOne, "", "29.92", "0", "inHg -> Millibars", "1013.25"},
        {kOne, "", "1013.25", "0", "Millibars -> mmHg", "760"},
        {kOne, "", "1", "5", "Miles -> Kilometers", "1.609344"},
        {kOne, "", "-2.5", "0", "Feet -> Meters", "-0.762"},
        // The product overflows although the quotient would be in range.
        {kOne, "", "1E306", "0", "inHg -> Millibars", "0", kOverflow},
        {kOne, "", "", "0", "Meters -> Feet", "0", kMismatch},
        {kOne, "", "one", "7", "°C -> °K", "0", kMismatch},
    });
}

TEST(OneNumberConversions, Temperatures) {
    expectEvaluations({
        {kOne, "", "212", "0", "°F -> °C", "100"},
        {kOne, "", "98.6", "0", "°F -> °C", "37"},
        {kOne, "", "-40", "0", "°F -> °C", "-40"},
        {kOne, "", "37", "0", "°C -> °F", "98.6"},
        {kOne, "", "0", "0", "°K -> °F", "-459.67"},
        {kOne, "", "212", "0", "°F -> °K", "373.15"},
        {kOne, "", "0", "0", "°K -> °C", "-273.15"},
        {kOne, "", "-273.15", "0", "°C -> °K", "0"},
        // The operand recalled from Answer.
        {kOne, "", "%", "100", "°C -> °F", "212"},
    });
}

TEST(OneNumberConversions, AnglesUseTheProgramsOwnPi) {
    expectEvaluations({
        {kOne, "", "180", "0", "° -> Radians", "3.14159265358979"},
        {kOne, "", "3.14159265358979", "0", "Radians -> °", "180"},
        {kOne, "", "1", "0", "Radians -> °", "57.2957795130824"},
    });
}

}  // namespace
}  // namespace quillon::testing
