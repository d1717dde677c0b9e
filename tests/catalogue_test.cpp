// The menus beyond what the golden script tests/scripts/catalogue.txt pins (the list of
// Operation under every category in both modes): the captions, the edit field at start-up, menu
// items out of range, and every listed name evaluated in its mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "golden_catalogue.h"
#include "handlers.h"
#include "harness.h"

namespace quillon::testing {
namespace {

using Names = std::vector<std::string>;

struct Window {
    MemoryControls controls;
    std::int16_t NumberMode = 0;
    Window() { Form_Load(controls, NumberMode); }
    void number(std::int16_t index) { mnuNum_Click(controls, NumberMode, index); }
    void add(std::int16_t index) { mnuAdd_Click(controls, NumberMode, index); }
};

// Every name the list offers in a mode, over all categories, the placeholder left out.
Names operationNames(bool twoNumbers) {
    Window window;
    if (!twoNumbers) {
        window.number(1);
    }
    Names names = window.controls.entries();
    const std::size_t basic = names.size();
    for (std::int16_t index = 1; index <= static_cast<std::int16_t>(categories().size()); ++index) {
        window.add(index);
        const Names entries = window.controls.entries();
        names.insert(names.end(), entries.begin() + static_cast<std::ptrdiff_t>(basic),
                     entries.end());
    }
    std::erase(names, "NO OPERATORS");
    return names;
}

TEST(Catalogue, TheMenuOffersTheCategoriesInOrderAndTheEditFieldInvitesAChoice) {
    Names captions;
    for (const auto& category : categories()) {
        captions.emplace_back(category.caption);
    }
    EXPECT_EQ(captions, (Names{"Relational Operators", "Bitwise and Logical Operators",
                               "Statistical Operators", "Unit Conversion", "Exponential Operators",
                               "Trigonometry", "Miscellaneous"}));
    EXPECT_EQ(Window().controls.editText(), "Choose Operation");
}

// The names the tests below walk are all that the golden script lists, in its order.
TEST(Catalogue, TheMenusOfferTheNamesOfTheGoldenScript) {
    EXPECT_EQ(operationNames(true), goldenNames(2));
    EXPECT_EQ(operationNames(false), goldenNames(1));
}

TEST(Catalogue, FormLoadKeepsASetModeAndAppendsWithoutClearing) {
    MemoryControls controls;
    controls.addItem("x");
    std::int16_t mode = 1;
    Form_Load(controls, mode);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(controls.entries(), (Names{"x", "+", "-", "×", "÷"}));
}

// Items the menus do not have (the scripted driver refuses them) leave only the basic block.
TEST(Catalogue, AnItemOutOfRangeLeavesTheBasicBlock) {
    Window window;
    const Names basicTwo = window.controls.entries();
    window.add(7);
    window.add(8);
    EXPECT_EQ(window.controls.entries(), basicTwo);
    window.number(1);
    const Names basicOne = window.controls.entries();
    window.add(4);
    window.add(0);
    EXPECT_EQ(window.controls.entries(), basicOne);
}

TEST(Catalogue, TheEditFieldKeepsATextTheListLacks) {
    Window window;
    window.controls.setEditText("×");
    window.number(1);
    EXPECT_EQ(window.controls.listIndex(), -1);
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

// What a screen reader says of the list on the focus: the tip, if any, then the count, one
// entry in the singular.
TEST(Catalogue, OperationDescriptionIsTheTipThenTheCount) {
    const struct {
        std::string_view tip;
        std::size_t count;
        std::string_view said;
    } rows[] = {
        {"First divided by Second", 4, "First divided by Second, 4 operations"},
        {"", 10, "10 operations"},
        {"", 1, "1 operation"},
        {"", 0, "0 operations"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(operationDescription(row.tip, row.count), row.said) << row.tip << row.count;
    }
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
