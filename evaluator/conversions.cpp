// Unit, time and angle conversions: each a fixed formula of one to four steps.
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

// The operand to convert: the text of First in two-number mode, of Second in one-number mode.
const Variant& x(const Evaluation& e) {
    return e.TextOperand;
}
// Two-number mode: the value of Second.
Variant y(const Evaluation& e) {
    return number(e.NumberOperand);
}

constexpr auto kTwo = Mode::TwoNumbers;
constexpr auto kOne = Mode::OneNumber;

// Two-number mode combines a larger and a smaller unit into the smaller one. The multipliers
// and the divisor applied to x are Integers; the divisors applied to y are Doubles.
constexpr std::array kOperators = {
    Operator{"Min/Sec -> Sec", kTwo,
             [](Evaluation& e) { e.writeAnswer(integer(60) * x(e) + y(e)); }},
    Operator{"Day/Hr -> Hr", kTwo, [](Evaluation& e) { e.writeAnswer(integer(24) * x(e) + y(e)); }},
    Operator{"Week/Day -> Day", kTwo,
             [](Evaluation& e) { e.writeAnswer(integer(7) * x(e) + y(e)); }},
    Operator{"Year/Month -> Month", kTwo,
             [](Evaluation& e) { e.writeAnswer(integer(12) * x(e) + y(e)); }},
    // Degrees and minutes of arc.
    Operator{"\u00B0/' -> \u00B0", kTwo,
             [](Evaluation& e) {
                 const Variant minutes = y(e) / number(60.0);
                 e.writeAnswer(x(e) + minutes);
             }},
    // Minutes and seconds of arc: there is no degrees operand.
    Operator{"'/'' -> \u00B0", kTwo,
             [](Evaluation& e) {
                 const Variant degrees = x(e) / integer(60);
                 e.writeAnswer(degrees + y(e) / number(3600.0));
             }},

    // One-number mode converts the new operand alone; the held answer plays no part. Each
    // direction has its own formula rather than inverting its partner's.
    Operator{"Miles -> Kilometers", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(1.609344)); }},
    Operator{"Kilometers -> Miles", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) / number(1.609344)); }},
    Operator{"Meters -> Feet", kOne, [](Evaluation& e) { e.writeAnswer(x(e) / number(0.3048)); }},
    Operator{"Feet -> Meters", kOne, [](Evaluation& e) { e.writeAnswer(x(e) * number(0.3048)); }},
    Operator{"Inches -> Centimeters", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(2.54)); }},
    Operator{"Centimeters -> Inches", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) / number(2.54)); }},
    Operator{"MPH -> Feet/s", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * integer(22) / integer(15)); }},
    Operator{"Feet/s -> MPH", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * integer(15) / integer(22)); }},
    Operator{"MPH -> m/s", kOne, [](Evaluation& e) { e.writeAnswer(x(e) * number(0.44704)); }},
    Operator{"m/s -> MPH", kOne, [](Evaluation& e) { e.writeAnswer(x(e) / number(0.44704)); }},
    Operator{"Gallons -> Liters", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(3.785411784)); }},
    Operator{"Liters -> Gallons", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) / number(3.785411784)); }},
    // One standard atmosphere is 1013.25 millibars, 29.92 inHg and 760 mmHg (76 and 101.325
    // are both a tenth of it).
    Operator{"inHg -> Millibars", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(1013.25) / number(29.92)); }},
    Operator{"Millibars -> inHg", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(29.92) / number(1013.25)); }},
    Operator{"mmHg -> Millibars", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(101.325) / integer(76)); }},
    Operator{"Millibars -> mmHg", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * integer(76) / number(101.325)); }},
    // Temperatures; "°K" names the kelvin.
    Operator{"\u00B0F -> \u00B0C", kOne,
             [](Evaluation& e) { e.writeAnswer((x(e) - integer(32)) * integer(5) / integer(9)); }},
    Operator{"\u00B0C -> \u00B0F", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * integer(9) / integer(5) + integer(32)); }},
    Operator{"\u00B0C -> \u00B0K", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) + number(273.15)); }},
    Operator{"\u00B0K -> \u00B0C", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) - number(273.15)); }},
    Operator{"\u00B0K -> \u00B0F", kOne,
             [](Evaluation& e) {
                 e.writeAnswer((x(e) - number(273.15)) * integer(9) / integer(5) + integer(32));
             }},
    Operator{"\u00B0F -> \u00B0K", kOne,
             [](Evaluation& e) {
                 e.writeAnswer((x(e) - integer(32)) * integer(5) / integer(9) + number(273.15));
             }},
    // Angles, with the program's own value of pi.
    Operator{"\u00B0 -> Radians", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * number(PiValue) / integer(180)); }},
    Operator{"Radians -> \u00B0", kOne,
             [](Evaluation& e) { e.writeAnswer(x(e) * integer(180) / number(PiValue)); }},
};

}  // namespace

std::span<const Operator> conversionOperators() {
    return kOperators;
}

}  // namespace quillon
