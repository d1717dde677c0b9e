// "Unit Conversion": unit, time and angle conversions, each a fixed formula of one to four steps.
//
// The steps run strictly in the order written, each one checked Variant arithmetic, so
// (x × 22) / 15 is a product and then a quotient, never x times a precomputed ratio, and a
// step that leaves the range of Doubles fails even when a later step would bring it back.
// Constants keep their kinds: the small whole ones are 16-bit Integers, the others Doubles.
// Nothing here validates its input: negative and fractional values are converted as well.
#include <array>
#include <cstdint>

#include "evaluation.h"
#include "real_math.h"

namespace quillon {

namespace {

Variant integer(std::int16_t value) {
    return Variant::integer(value);
}
Variant number(double value) {
    return Variant::number(value);
}

// Two-number mode combines a larger and a smaller unit into the smaller one. The multipliers
// and the divisor applied to x are Integers; the divisors applied to y are Doubles.
constexpr std::array kRows = {
    CatalogueEntry{
        "Min/Sec -> Sec", kTwo, "Minutes in First plus seconds in Second, as seconds",
        [](Evaluation& e) { e.writeAnswer(integer(60) * e.textOperand + e.numberValue()); }},
    CatalogueEntry{
        "Day/Hr -> Hr", kTwo, "Days in First plus hours in Second, as hours",
        [](Evaluation& e) { e.writeAnswer(integer(24) * e.textOperand + e.numberValue()); }},
    CatalogueEntry{
        "Week/Day -> Day", kTwo, "Weeks in First plus days in Second, as days",
        [](Evaluation& e) { e.writeAnswer(integer(7) * e.textOperand + e.numberValue()); }},
    CatalogueEntry{
        "Year/Month -> Month", kTwo, "Years in First plus months in Second, as months",
        [](Evaluation& e) { e.writeAnswer(integer(12) * e.textOperand + e.numberValue()); }},
    // Degrees and minutes of arc.
    CatalogueEntry{"°/' -> °", kTwo, "Degrees in First plus minutes of arc in Second, as degrees",
                   [](Evaluation& e) {
                       const Variant minutes = e.numberValue() / number(60.0);
                       e.writeAnswer(e.textOperand + minutes);
                   }},
    // Minutes and seconds of arc: there is no degrees operand.
    CatalogueEntry{"'/'' -> °", kTwo,
                   "Minutes of arc in First plus seconds of arc in Second, as degrees",
                   [](Evaluation& e) {
                       const Variant degrees = e.textOperand / integer(60);
                       e.writeAnswer(degrees + e.numberValue() / number(3600.0));
                   }},

    // One-number mode converts the new operand alone; the held answer plays no part. Each
    // direction has its own formula rather than inverting its partner's.
    CatalogueEntry{"Miles -> Kilometers", kOne, "Miles in Second as kilometers",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * number(1.609344)); }},
    CatalogueEntry{"Kilometers -> Miles", kOne, "Kilometers in Second as miles",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand / number(1.609344)); }},
    CatalogueEntry{"Meters -> Feet", kOne, "Meters in Second as feet",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand / number(0.3048)); }},
    CatalogueEntry{"Feet -> Meters", kOne, "Feet in Second as meters",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * number(0.3048)); }},
    CatalogueEntry{"Inches -> Centimeters", kOne, "Inches in Second as centimeters",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * number(2.54)); }},
    CatalogueEntry{"Centimeters -> Inches", kOne, "Centimeters in Second as inches",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand / number(2.54)); }},
    CatalogueEntry{"MPH -> Feet/s", kOne, "Miles per hour in Second as feet per second",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * integer(22) / integer(15)); }},
    CatalogueEntry{"Feet/s -> MPH", kOne, "Feet per second in Second as miles per hour",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * integer(15) / integer(22)); }},
    CatalogueEntry{"MPH -> m/s", kOne, "Miles per hour in Second as meters per second",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * number(0.44704)); }},
    CatalogueEntry{"m/s -> MPH", kOne, "Meters per second in Second as miles per hour",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand / number(0.44704)); }},
    CatalogueEntry{"Gallons -> Liters", kOne, "US gallons in Second as liters",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand * number(3.785411784)); }},
    CatalogueEntry{"Liters -> Gallons", kOne, "Liters in Second as US gallons",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand / number(3.785411784)); }},
    // One standard atmosphere is 1013.25 millibars, 29.92 inHg and 760 mmHg (76 and 101.325
    // are both a tenth of it).
    CatalogueEntry{
        "inHg -> Millibars", kOne, "Inches of mercury in Second as millibars",
        [](Evaluation& e) { e.writeAnswer(e.textOperand * number(1013.25) / number(29.92)); }},
    CatalogueEntry{
        "Millibars -> inHg", kOne, "Millibars in Second as inches of mercury",
        [](Evaluation& e) { e.writeAnswer(e.textOperand * number(29.92) / number(1013.25)); }},
    CatalogueEntry{
        "mmHg -> Millibars", kOne, "Millimeters of mercury in Second as millibars",
        [](Evaluation& e) { e.writeAnswer(e.textOperand * number(101.325) / integer(76)); }},
    CatalogueEntry{
        "Millibars -> mmHg", kOne, "Millibars in Second as millimeters of mercury",
        [](Evaluation& e) { e.writeAnswer(e.textOperand * integer(76) / number(101.325)); }},
    // Temperatures; "°K" names the kelvin.
    CatalogueEntry{"°F -> °C", kOne, "Degrees Fahrenheit in Second as degrees Celsius",
                   [](Evaluation& e) {
                       e.writeAnswer((e.textOperand - integer(32)) * integer(5) / integer(9));
                   }},
    CatalogueEntry{"°C -> °F", kOne, "Degrees Celsius in Second as degrees Fahrenheit",
                   [](Evaluation& e) {
                       e.writeAnswer(e.textOperand * integer(9) / integer(5) + integer(32));
                   }},
    CatalogueEntry{"°C -> °K", kOne, "Degrees Celsius in Second as kelvins",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand + number(273.15)); }},
    CatalogueEntry{"°K -> °C", kOne, "Kelvins in Second as degrees Celsius",
                   [](Evaluation& e) { e.writeAnswer(e.textOperand - number(273.15)); }},
    CatalogueEntry{"°K -> °F", kOne, "Kelvins in Second as degrees Fahrenheit",
                   [](Evaluation& e) {
                       e.writeAnswer((e.textOperand - number(273.15)) * integer(9) / integer(5) +
                                     integer(32));
                   }},
    CatalogueEntry{"°F -> °K", kOne, "Degrees Fahrenheit in Second as kelvins",
                   [](Evaluation& e) {
                       e.writeAnswer((e.textOperand - integer(32)) * integer(5) / integer(9) +
                                     number(273.15));
                   }},
    // Angles, with the program's own value of pi.
    CatalogueEntry{
        "° -> Radians", kOne, "An angle in degrees in Second as radians",
        [](Evaluation& e) { e.writeAnswer(e.textOperand * number(kPiValue) / integer(180)); }},
    CatalogueEntry{
        "Radians -> °", kOne, "An angle in radians in Second as degrees",
        [](Evaluation& e) { e.writeAnswer(e.textOperand * integer(180) / number(kPiValue)); }},
};

constexpr CatalogueBlock kBlock = makeBlock("Unit Conversion", kRows);

}  // namespace

const CatalogueBlock& unitConversion() {
    return kBlock;
}

}  // namespace quillon
