#include "catalogue.h"

#include <array>
#include <string>
#include <vector>

namespace quillon {

namespace {

using E = CatalogueEntry;

constexpr std::array kBasicTwo = {E{"+", ""}, E{"-", ""}, E{"\u00D7", ""}, E{"\u00F7", ""}};
constexpr std::array kBasicOne = {E{"+%", ""},      E{"-%", ""},      E{"%-", ""},
                                  E{"\u00D7%", ""}, E{"\u00F7%", ""}, E{"%\u00F7", ""}};

constexpr std::array kRelationalTwo = {E{"=", ""},  E{"<", ""},  E{">", ""}, E{"<=", ""},
                                       E{">=", ""}, E{"<>", ""}, E{"!=", ""}};
constexpr std::array kRelationalOne = {E{"=%", ""},  E{"<%", ""},  E{">%", ""}, E{"<=%", ""},
                                       E{">=%", ""}, E{"<>%", ""}, E{"!=%", ""}};

constexpr std::array kBitwiseTwo = {
    E{"And (Bytewise)", ""},       E{"Nand (Bytewise)", ""},        E{"Or (Bytewise)", ""},
    E{"Nor (Bytewise)", ""},       E{"Xor (Bytewise)", ""},         E{"Not Xor (Bytewise)", ""},
    E{"If-Then (Bytewise)", ""},   E{"Not If-Then (Bytewise)", ""}, E{"And (Logical)", ""},
    E{"Nand (Logical)", ""},       E{"Or (Logical)", ""},           E{"Nor (Logical)", ""},
    E{"Xor (Logical)", ""},        E{"Not Xor (Logical)", ""},      E{"If-Then (Logical)", ""},
    E{"Not If-Then (Logical)", ""}};
constexpr std::array kBitwiseOne = {E{kNoOperators, ""}};

constexpr std::array kStatisticalTwo = {E{"nPr", ""},     E{"nCr", ""}, E{"\u00D7!", ""},
                                        E{"\u00F7!", ""}, E{"!!", ""},  E{"!\u00F7!", ""}};
constexpr std::array kStatisticalOne = {E{"!", ""}};

constexpr std::array kConversionTwo = {E{"Min/Sec -> Sec", ""},     E{"Day/Hr -> Hr", ""},
                                       E{"Week/Day -> Day", ""},    E{"Year/Month -> Month", ""},
                                       E{"\u00B0/' -> \u00B0", ""}, E{"'/'' -> \u00B0", ""}};
constexpr std::array kConversionOne = {
    E{"Miles -> Kilometers", ""}, E{"Kilometers -> Miles", ""},   E{"Meters -> Feet", ""},
    E{"Feet -> Meters", ""},      E{"Inches -> Centimeters", ""}, E{"Centimeters -> Inches", ""},
    E{"MPH -> Feet/s", ""},       E{"Feet/s -> MPH", ""},         E{"MPH -> m/s", ""},
    E{"m/s -> MPH", ""},          E{"Gallons -> Liters", ""},     E{"Liters -> Gallons", ""},
    E{"inHg -> Millibars", ""},   E{"Millibars -> inHg", ""},     E{"mmHg -> Millibars", ""},
    E{"Millibars -> mmHg", ""},   E{"\u00B0F -> \u00B0C", ""},    E{"\u00B0C -> \u00B0F", ""},
    E{"\u00B0C -> \u00B0K", ""},  E{"\u00B0K -> \u00B0C", ""},    E{"\u00B0K -> \u00B0F", ""},
    E{"\u00B0F -> \u00B0K", ""},  E{"\u00B0 -> Radians", ""},     E{"Radians -> \u00B0", ""},
};

constexpr std::array kExponentialTwo = {E{"^Ln", ""}, E{"^Log", ""}, E{"base Log", ""}, E{"^", ""}};
constexpr std::array kExponentialOne = {E{"e^", ""},
                                        E{"10^", ""},
                                        E{"Ln", ""},
                                        E{"Log", ""},
                                        E{"Square (^2)", ""},
                                        E{"Cube (^3)", ""},
                                        E{"Reciprocal (^-1)", ""},
                                        E{"Square Root (^1/2)", ""},
                                        E{"Cube Root (^1/3)", ""}};

constexpr std::array kTrigonometryTwo = {E{"Sin(sum)", ""},       E{"Sin(difference)", ""},
                                         E{"Cos(sum)", ""},       E{"Cos(difference)", ""},
                                         E{"Sin\u00B0(sum)", ""}, E{"Sin\u00B0(difference)", ""},
                                         E{"Cos\u00B0(sum)", ""}, E{"Cos\u00B0(difference)", ""},
                                         E{"Sin>Sin", ""},        E{"Sin<Sin", ""},
                                         E{"Cos>Cos", ""},        E{"Cos<Cos", ""}};
constexpr std::array kTrigonometryOne = {
    E{"Sin()", ""},       E{"Cos()", ""},       E{"Tan()", ""},       E{"Sec()", ""},
    E{"Csc()", ""},       E{"Cot()", ""},       E{"Sin\u00B0()", ""}, E{"Cos\u00B0()", ""},
    E{"Tan\u00B0()", ""}, E{"Sec\u00B0()", ""}, E{"Csc\u00B0()", ""}, E{"Cot\u00B0()", ""},
    E{"Asin()", ""},      E{"Acos()", ""},      E{"Atan()", ""}};

constexpr std::array kMiscellaneousTwo = {E{"\\", ""}, E{"Mod", ""}, E{"& (Concatenate)", ""}};
constexpr std::array kMiscellaneousOne = {E{"MAGNIF()", ""}};

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
