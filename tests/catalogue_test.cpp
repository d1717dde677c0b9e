// The list of Operation under the two menus, against the catalogue's exact texts; every name
// evaluated in its mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handlers.h"
#include "harness.h"

namespace quillon::testing {
namespace {

using Names = std::vector<std::string>;

Names operator+(Names left, const Names& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

const Names kBasicTwo = {"+", "-", "×", "÷"};
const Names kBasicOne = {"+%", "-%", "%-", "×%", "÷%", "%÷"};

// The "Add Operations" items in menu order, each with its entries in both forms, as the user
// reads them.
struct Category {
    std::string caption;
    Names twoNumbers;
    Names oneNumber;
};

const Category kCategories[] = {
    {"Relational Operators",
     {"=", "<", ">", "<=", ">=", "<>", "!="},
     {"=%", "<%", ">%", "<=%", ">=%", "<>%", "!=%"}},
    {"Bitwise and Logical Operators",
     {"And (Bytewise)", "Nand (Bytewise)", "Or (Bytewise)", "Nor (Bytewise)", "Xor (Bytewise)",
      "Not Xor (Bytewise)", "If-Then (Bytewise)", "Not If-Then (Bytewise)", "And (Logical)",
      "Nand (Logical)", "Or (Logical)", "Nor (Logical)", "Xor (Logical)", "Not Xor (Logical)",
      "If-Then (Logical)", "Not If-Then (Logical)"},
     {"NO OPERATORS"}},
    {"Statistical Operators", {"nPr", "nCr", "×!", "÷!", "!!", "!÷!"}, {"!"}},
    {"Unit Conversion",
     {"Min/Sec -> Sec", "Day/Hr -> Hr", "Week/Day -> Day", "Year/Month -> Month", "°/' -> °",
      "'/'' -> °"},
     {"Miles -> Kilometers",
      "Kilometers -> Miles",
      "Meters -> Feet",
      "Feet -> Meters",
      "Inches -> Centimeters",
      "Centimeters -> Inches",
      "MPH -> Feet/s",
      "Feet/s -> MPH",
      "MPH -> m/s",
      "m/s -> MPH",
      "Gallons -> Liters",
      "Liters -> Gallons",
      "inHg -> Millibars",
      "Millibars -> inHg",
      "mmHg -> Millibars",
      "Millibars -> mmHg",
      "°F -> °C",
      "°C -> °F",
      "°C -> °K",
      "°K -> °C",
      "°K -> °F",
      "°F -> °K",
      "° -> Radians",
      "Radians -> °"}},
    {"Exponential Operators",
     {"^Ln", "^Log", "base Log", "^"},
     {"e^", "10^", "Ln", "Log", "Square (^2)", "Cube (^3)", "Reciprocal (^-1)",
      "Square Root (^1/2)", "Cube Root (^1/3)"}},
    {"Trigonometry",
     {"Sin(sum)", "Sin(difference)", "Cos(sum)", "Cos(difference)", "Sin°(sum)", "Sin°(difference)",
      "Cos°(sum)", "Cos°(difference)", "Sin>Sin", "Sin<Sin", "Cos>Cos", "Cos<Cos"},
     {"Sin()", "Cos()", "Tan()", "Sec()", "Csc()", "Cot()", "Sin°()", "Cos°()", "Tan°()", "Sec°()",
      "Csc°()", "Cot°()", "Asin()", "Acos()", "Atan()"}},
    {"Miscellaneous", {"\\", "Mod", "& (Concatenate)"}, {"MAGNIF()"}},
};

// Every operation name of a mode: the basic block and each category, the placeholder left out.
Names operationNames(bool twoNumbers) {
    Names names = twoNumbers ? kBasicTwo : kBasicOne;
    for (const Category& category : kCategories) {
        names = names + (twoNumbers ? category.twoNumbers : category.oneNumber);
    }
    std::erase(names, "NO OPERATORS");
    return names;
}

struct Window {
    MemoryControls controls;
    std::int16_t NumberMode = 0;
    Window() { Form_Load(controls, NumberMode); }
    void number(std::int16_t index) { mnuNum_Click(controls, NumberMode, index); }
    void add(std::int16_t index) { mnuAdd_Click(controls, NumberMode, index); }
};

TEST(Catalogue, StartsInTwoNumberModeWithTheBasicBlockAndNothingSelected) {
    Window window;
    EXPECT_EQ(window.NumberMode, 2);
    EXPECT_EQ(window.controls.entries(), kBasicTwo);
    EXPECT_EQ(window.controls.listIndex(), -1);
    EXPECT_EQ(window.controls.editText(), "Choose Operation");
    EXPECT_TRUE(window.controls.firstVisible());
    for (Box box : {Box::First, Box::Second, Box::Answer}) {
        EXPECT_EQ(window.controls.text(box), "0");
    }
}

TEST(Catalogue, FormLoadKeepsASetModeAndAppendsWithoutClearing) {
    MemoryControls controls;
    controls.addItem("x");
    std::int16_t mode = 1;
    Form_Load(controls, mode);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(controls.entries(), Names{"x"} + kBasicTwo);
}

TEST(Catalogue, EachCategoryFollowsTheBasicBlockInTheFormOfTheMode) {
    ASSERT_EQ(categories().size(), std::size(kCategories));
    for (std::int16_t index = 1; index <= 7; ++index) {
        const Category& category = kCategories[index - 1];
        SCOPED_TRACE(category.caption);
        EXPECT_EQ(categories()[index - 1].caption, category.caption);
        Window window;
        window.add(index);
        EXPECT_EQ(window.controls.entries(), kBasicTwo + category.twoNumbers);
        window.number(1);
        window.add(index);
        EXPECT_EQ(window.controls.entries(), kBasicOne + category.oneNumber);
    }
    EXPECT_EQ(operationNames(true).size(), 58u);
    EXPECT_EQ(operationNames(false).size(), 63u);
}

TEST(Catalogue, ChoosingACategoryReplacesTheLastOneWithoutDuplicates) {
    Window window;
    window.add(6);
    window.add(6);
    EXPECT_EQ(window.controls.listCount(), 16);
    window.add(7);
    EXPECT_EQ(window.controls.entries(), (kBasicTwo + Names{"\\", "Mod", "& (Concatenate)"}));
    window.add(8);  // no such category: only the basic block stays
    EXPECT_EQ(window.controls.entries(), kBasicTwo);
    window.number(1);
    window.add(4);
    EXPECT_EQ(window.controls.listCount(), 30);
    window.add(0);
    EXPECT_EQ(window.controls.entries(), kBasicOne);
}

TEST(Catalogue, ChangingTheModeDropsTheCategoryAndKeepsTheTextOfFirst) {
    Window window;
    window.controls.setText(Box::First, "42");
    window.add(5);
    window.number(2);
    EXPECT_EQ(window.controls.entries(), kBasicTwo);
    window.number(1);
    EXPECT_EQ(window.NumberMode, 1);
    EXPECT_FALSE(window.controls.firstVisible());
    EXPECT_EQ(window.controls.entries(), kBasicOne);
    window.number(2);
    EXPECT_TRUE(window.controls.firstVisible());
    EXPECT_EQ(window.controls.text(Box::First), "42");
}

TEST(Catalogue, TheSelectedEntryIsTheOneTheEditFieldShows) {
    Window window;
    window.controls.setEditText("×");
    window.add(1);
    EXPECT_EQ(window.controls.listIndex(), 2);  // trimming keeps the basic block in place
    window.number(1);
    EXPECT_EQ(window.controls.listIndex(), -1);  // "×" is no one-number entry
    EXPECT_EQ(window.controls.listText(-1), "×");
}

TEST(Catalogue, EveryEntryHasATipInItsOwnModeOnly) {
    for (const bool twoNumbers : {true, false}) {
        const Mode own = twoNumbers ? kTwo : kOne;
        const Mode other = twoNumbers ? kOne : kTwo;
        for (const std::string& name : operationNames(twoNumbers)) {
            EXPECT_FALSE(operationTip(name, own).empty()) << name;
            EXPECT_EQ(operationTip(name, other), "") << name;
        }
    }
    EXPECT_FALSE(operationTip("NO OPERATORS", kOne).empty());
    EXPECT_EQ(operationTip("Choose Operation", kTwo), "");
    EXPECT_EQ(operationTip("+ ", kTwo), "");
}

// "Do It!" knows each name in its own mode only; the placeholder names no operation.
TEST(Catalogue, EveryNameIsEvaluatedInItsModeAndInNoOther) {
    for (const bool twoNumbers : {true, false}) {
        for (const std::string& name : operationNames(twoNumbers)) {
            for (const Mode mode : {kOne, kTwo}) {
                Harness window;
                window.press({mode, "1", "1", "1", name, ""});
                const bool known = window.controls.text(Box::Answer) != kNoOperationChosenText;
                EXPECT_EQ(known, (mode == kTwo) == twoNumbers)
                    << name << (mode == kTwo ? " in two" : " in one");
            }
        }
    }
    expectEvaluation({kOne, "1", "1", "1", "NO OPERATORS", kNoOperationChosenText});
}

}  // namespace
}  // namespace quillon::testing
