#include "catalogue.h"

#include <array>
#include <string>
#include <vector>

namespace quillon {

namespace {

using E = CatalogueEntry;

constexpr std::array kBasicTwo = {E{"+", "First plus Second"}, E{"-", "First minus Second"},
                                  E{"\u00D7", "First times Second"},
                                  E{"\u00F7", "First divided by Second"}};
constexpr std::array kBasicOne = {E{"+%", "The number in Second plus the held answer"},
                                  E{"-%", "The number in Second minus the held answer"},
                                  E{"%-", "The held answer minus the number in Second"},
                                  E{"\u00D7%", "The number in Second times the held answer"},
                                  E{"\u00F7%", "The number in Second divided by the held answer"},
                                  E{"%\u00F7", "The held answer divided by the number in Second"}};

constexpr std::array kRelationalTwo = {
    E{"=", "1 if the text of First is the same as the text of Second, else 0"},
    E{"<", "1 if the text of First sorts before the text of Second (as text: 10 before 9), else 0"},
    E{">", "1 if the text of First sorts after the text of Second (as text: 9 after 10), else 0"},
    E{"<=", "1 if the text of First sorts before or is the same as the text of Second, else 0"},
    E{">=", "1 if the text of First sorts after or is the same as the text of Second, else 0"},
    E{"<>", "1 if the texts of First and Second differ, else 0"},
    E{"!=", "1 if the texts of First and Second differ, else 0"}};
constexpr std::array kRelationalOne = {
    E{"=%", "1 if the held answer equals the number in Second, else 0"},
    E{"<%", "1 if the held answer is less than the number in Second, else 0"},
    E{">%", "1 if the held answer is greater than the number in Second, else 0"},
    E{"<=%", "1 if the held answer is less than or equal to the number in Second, else 0"},
    E{">=%", "1 if the held answer is greater than or equal to the number in Second, else 0"},
    E{"<>%", "1 if the held answer differs from the number in Second, else 0"},
    E{"!=%", "1 if the held answer differs from the number in Second, else 0"}};

constexpr std::array kBitwiseTwo = {
    E{"And (Bytewise)", "First AND Second, bit by bit, on whole numbers"},
    E{"Nand (Bytewise)", "NOT (First AND Second), bit by bit, on whole numbers"},
    E{"Or (Bytewise)", "First OR Second, bit by bit, on whole numbers"},
    E{"Nor (Bytewise)", "NOT (First OR Second), bit by bit, on whole numbers"},
    E{"Xor (Bytewise)", "First XOR Second (either but not both), bit by bit, on whole numbers"},
    E{"Not Xor (Bytewise)", "NOT (First XOR Second), bit by bit, on whole numbers"},
    E{"If-Then (Bytewise)", "(NOT First) OR Second, bit by bit, on whole numbers"},
    E{"Not If-Then (Bytewise)", "First AND (NOT Second), bit by bit, on whole numbers"},
    E{"And (Logical)", "1 if First and Second are both true (any text but \"0\"), else 0"},
    E{"Nand (Logical)", "1 unless First and Second are both true (any text but \"0\")"},
    E{"Or (Logical)", "1 if First or Second is true (any text but \"0\"), else 0"},
    E{"Nor (Logical)", "1 if First and Second are both exactly \"0\", else 0"},
    E{"Xor (Logical)", "1 if exactly one of First and Second is true (any text but \"0\"), else 0"},
    E{"Not Xor (Logical)", "1 if First and Second are both true or both \"0\", else 0"},
    E{"If-Then (Logical)", "1 unless First is true (any text but \"0\") and Second is \"0\""},
    E{"Not If-Then (Logical)",
      "1 if First is true (any text but \"0\") and Second is \"0\", else 0"}};
constexpr std::array kBitwiseOne = {
    E{kNoOperators,
      "No operation: this category works on two numbers only (Number of Figures > Two Numbers)"}};

constexpr std::array kStatisticalTwo = {
    E{"nPr", "Permutations: ordered ways to pick Second things out of First things"},
    E{"nCr", "Combinations of First things taken Second at a time"},
    E{"\u00D7!", "First times the factorial of Second"},
    E{"\u00F7!", "First divided by the factorial of Second"},
    E{"!!", "The factorial of First times the factorial of Second"},
    E{"!\u00F7!", "The factorial of First divided by the factorial of Second"}};
constexpr std::array kStatisticalOne = {E{"!", "The factorial of the number in Second"}};

constexpr std::array kConversionTwo = {
    E{"Min/Sec -> Sec", "Minutes in First plus seconds in Second, as seconds"},
    E{"Day/Hr -> Hr", "Days in First plus hours in Second, as hours"},
    E{"Week/Day -> Day", "Weeks in First plus days in Second, as days"},
    E{"Year/Month -> Month", "Years in First plus months in Second, as months"},
    E{"\u00B0/' -> \u00B0", "Degrees in First plus minutes of arc in Second, as degrees"},
    E{"'/'' -> \u00B0", "Minutes of arc in First plus seconds of arc in Second, as degrees"}};
constexpr std::array kConversionOne = {
    E{"Miles -> Kilometers", "Miles in Second as kilometers"},
    E{"Kilometers -> Miles", "Kilometers in Second as miles"},
    E{"Meters -> Feet", "Meters in Second as feet"},
    E{"Feet -> Meters", "Feet in Second as meters"},
    E{"Inches -> Centimeters", "Inches in Second as centimeters"},
    E{"Centimeters -> Inches", "Centimeters in Second as inches"},
    E{"MPH -> Feet/s", "Miles per hour in Second as feet per second"},
    E{"Feet/s -> MPH", "Feet per second in Second as miles per hour"},
    E{"MPH -> m/s", "Miles per hour in Second as meters per second"},
    E{"m/s -> MPH", "Meters per second in Second as miles per hour"},
    E{"Gallons -> Liters", "US gallons in Second as liters"},
    E{"Liters -> Gallons", "Liters in Second as US gallons"},
    E{"inHg -> Millibars", "Inches of mercury in Second as millibars"},
    E{"Millibars -> inHg", "Millibars in Second as inches of mercury"},
    E{"mmHg -> Millibars", "Millimeters of mercury in Second as millibars"},
    E{"Millibars -> mmHg", "Millibars in Second as millimeters of mercury"},
    E{"\u00B0F -> \u00B0C", "Degrees Fahrenheit in Second as degrees Celsius"},
    E{"\u00B0C -> \u00B0F", "Degrees Celsius in Second as degrees Fahrenheit"},
    E{"\u00B0C -> \u00B0K", "Degrees Celsius in Second as kelvins"},
    E{"\u00B0K -> \u00B0C", "Kelvins in Second as degrees Celsius"},
    E{"\u00B0K -> \u00B0F", "Kelvins in Second as degrees Fahrenheit"},
    E{"\u00B0F -> \u00B0K", "Degrees Fahrenheit in Second as kelvins"},
    E{"\u00B0 -> Radians", "An angle in degrees in Second as radians"},
    E{"Radians -> \u00B0", "An angle in radians in Second as degrees"},
};

constexpr std::array kExponentialTwo = {
    E{"^Ln", "First raised to the power of the natural logarithm of Second"},
    E{"^Log", "First raised to the power of the base-10 logarithm of Second"},
    E{"base Log", "The logarithm of Second to the base First"},
    E{"^", "First raised to the power Second"}};
constexpr std::array kExponentialOne = {
    E{"e^", "e raised to the power of the number in Second"},
    E{"10^", "10 raised to the power of the number in Second"},
    E{"Ln", "The natural logarithm of the number in Second (above 0)"},
    E{"Log", "The base-10 logarithm of the number in Second (above 0)"},
    E{"Square (^2)", "The number in Second squared"},
    E{"Cube (^3)", "The number in Second cubed"},
    E{"Reciprocal (^-1)", "1 divided by the number in Second"},
    E{"Square Root (^1/2)", "The square root of the number in Second (0 or more)"},
    E{"Cube Root (^1/3)",
      "The cube root of the number in Second (negative for a negative number)"}};

constexpr std::array kTrigonometryTwo = {
    E{"Sin(sum)", "The sine of First + Second, in radians"},
    E{"Sin(difference)", "The sine of First - Second, in radians"},
    E{"Cos(sum)", "The cosine of First + Second, in radians"},
    E{"Cos(difference)", "The cosine of First - Second, in radians"},
    E{"Sin\u00B0(sum)", "The sine of First + Second, in degrees"},
    E{"Sin\u00B0(difference)", "The sine of First - Second, in degrees"},
    E{"Cos\u00B0(sum)", "The cosine of First + Second, in degrees"},
    E{"Cos\u00B0(difference)", "The cosine of First - Second, in degrees"},
    E{"Sin>Sin", "1 if the sine of First is greater than the sine of Second (radians), else 0"},
    E{"Sin<Sin", "1 if the sine of First is less than the sine of Second (radians), else 0"},
    E{"Cos>Cos", "1 if the cosine of First is greater than the cosine of Second (radians), else 0"},
    E{"Cos<Cos", "1 if the cosine of First is less than the cosine of Second (radians), else 0"}};
constexpr std::array kTrigonometryOne = {
    E{"Sin()", "The sine of the number in Second, in radians"},
    E{"Cos()", "The cosine of the number in Second, in radians"},
    E{"Tan()", "The tangent of the number in Second, in radians"},
    E{"Sec()", "The secant (1 / cosine) of the number in Second, in radians"},
    E{"Csc()", "The cosecant (1 / sine) of the number in Second, in radians"},
    E{"Cot()", "The cotangent (1 / tangent) of the number in Second, in radians"},
    E{"Sin\u00B0()", "The sine of the number in Second, in degrees"},
    E{"Cos\u00B0()", "The cosine of the number in Second, in degrees"},
    E{"Tan\u00B0()", "The tangent of the number in Second, in degrees"},
    E{"Sec\u00B0()", "The secant (1 / cosine) of the number in Second, in degrees"},
    E{"Csc\u00B0()", "The cosecant (1 / sine) of the number in Second, in degrees"},
    E{"Cot\u00B0()", "The cotangent (1 / tangent) of the number in Second, in degrees"},
    E{"Asin()", "The angle in radians whose sine is the number in Second (-1 to 1)"},
    E{"Acos()", "The angle in radians whose cosine is the number in Second (-1 to 1)"},
    E{"Atan()", "The angle in radians whose tangent is the number in Second"}};

constexpr std::array kMiscellaneousTwo = {
    E{"\\", "First divided by Second as whole numbers, the fraction dropped (7 \\ 2 = 3)"},
    E{"Mod", "The remainder of First divided by Second as whole numbers (7 Mod 2 = 1)"},
    E{"& (Concatenate)", "The text of First followed by the text of Second"}};
constexpr std::array kMiscellaneousOne = {
    E{"MAGNIF()", "Steps of the 3n + 1 iteration from the number in Second down to 1"}};

const CatalogueBlock kBasic{"", kBasicTwo, kBasicOne};

const std::array kCategories = {
    CatalogueBlock{"Relational Operators", kRelationalTwo, kRelationalOne},
    CatalogueBlock{"Bitwise and Logical Operators", kBitwiseTwo, kBitwiseOne},
    CatalogueBlock{"Statistical Operators", kStatisticalTwo, kStatisticalOne},
    CatalogueBlock{"Unit Conversion", kConversionTwo, kConversionOne},
    CatalogueBlock{"Exponential Operators", kExponentialTwo, kExponentialOne},
    CatalogueBlock{"Trigonometry", kTrigonometryTwo, kTrigonometryOne},
    CatalogueBlock{"Miscellaneous", kMiscellaneousTwo, kMiscellaneousOne},
};

constexpr std::array<std::string_view, 2> kNumberCaptions = {"One Number", "Two Numbers"};

void append(Controls& controls, std::span<const CatalogueEntry> entries) {
    for (const CatalogueEntry& entry : entries) {
        controls.addItem(std::string(entry.name));
    }
}

}  // namespace

const CatalogueBlock& basicBlock() {
    return kBasic;
}

std::span<const CatalogueBlock> categories() {
    return kCategories;
}

std::string_view operationTip(std::string_view name) {
    std::vector<const CatalogueBlock*> blocks = {&kBasic};
    for (const CatalogueBlock& category : kCategories) {
        blocks.push_back(&category);
    }
    for (const CatalogueBlock* block : blocks) {
        for (const auto entries : {block->twoNumbers, block->oneNumber}) {
            for (const CatalogueEntry& entry : entries) {
                if (entry.name == name) {
                    return entry.tip;
                }
            }
        }
    }
    return {};
}

std::span<const std::string_view> numberCaptions() {
    return kNumberCaptions;
}

void Form_Load(Controls& controls, std::int16_t& NumberMode) {
    if (NumberMode == 0) {
        NumberMode = 2;
    }
    append(controls, kBasic.twoNumbers);
}

void mnuNum_Click(Controls& controls, std::int16_t& NumberMode, std::int16_t Index) {
    NumberMode = Index;
    if (Index == 2) {
        controls.setFirstVisible(true);
    } else if (Index == 1) {
        controls.setFirstVisible(false);
    }
    // The count is read once; each pass removes the first entry.
    const auto count = static_cast<std::int16_t>(controls.listCount());
    for (std::int16_t pass = 0; pass <= count - 1; ++pass) {
        controls.removeItem(0);
    }
    append(controls, Index == 1 ? kBasic.oneNumber : kBasic.twoNumbers);
}

void mnuAdd_Click(Controls& controls, std::int16_t NumberMode, std::int16_t Index) {
    const bool twoNumbers = NumberMode == 2;
    // Keeps the basic block by position: the first 4 (or 6) entries stay, the rest go. The
    // bound is read once, before the first pass.
    const auto count = static_cast<std::int16_t>(controls.listCount());
    const std::int16_t kept = twoNumbers ? 4 : 6;
    for (std::int16_t pass = kept - 1; pass <= count - 2; ++pass) {
        controls.removeItem(kept);
    }
    if (Index < 1 || Index > static_cast<std::int16_t>(kCategories.size())) {
        return;
    }
    const CatalogueBlock& category = kCategories[static_cast<std::size_t>(Index - 1)];
    append(controls, twoNumbers ? category.twoNumbers : category.oneNumber);
}

}  // namespace quillon
