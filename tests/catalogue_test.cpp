// The list of Operation under the two menus, and its names against the evaluator's.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue.h"
#include "evaluator.h"
#include "memory_controls.h"

namespace quillon {
namespace {

using Names = std::vector<std::string>;

Names namesOf(std::span<const CatalogueEntry> entries) {
    Names names;
    for (const CatalogueEntry& entry : entries) {
        names.emplace_back(entry.name);
    }
    return names;
}

Names operator+(Names left, const Names& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

const Names kBasicTwo = {"+", "-", "\u00D7", "\u00F7"};
const Names kBasicOne = {"+%", "-%", "%-", "\u00D7%", "\u00F7%", "%\u00F7"};

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
    const std::size_t twoCounts[] = {7, 16, 6, 6, 4, 12, 3};
    const std::size_t oneCounts[] = {7, 1, 1, 24, 9, 15, 1};
    for (std::int16_t index = 1; index <= 7; ++index) {
        SCOPED_TRACE(index);
        const CatalogueBlock& category = categories()[index - 1];
        Window window;
        window.add(index);
        EXPECT_EQ(window.controls.entries(), kBasicTwo + namesOf(category.twoNumbers));
        EXPECT_EQ(category.twoNumbers.size(), twoCounts[index - 1]);
        window.number(1);
        window.add(index);
        EXPECT_EQ(window.controls.entries(), kBasicOne + namesOf(category.oneNumber));
        EXPECT_EQ(category.oneNumber.size(), oneCounts[index - 1]);
    }
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
    EXPECT_EQ(window.controls.listText(6), "Miles -> Kilometers");
    EXPECT_EQ(window.controls.listText(29), "Radians -> \u00B0");
    window.add(2);
    EXPECT_EQ(window.controls.entries(), (kBasicOne + Names{"NO OPERATORS"}));
    window.add(3);
    EXPECT_EQ(window.controls.entries(), kBasicOne + Names{"!"});
    window.add(7);
    EXPECT_EQ(window.controls.entries(), kBasicOne + Names{"MAGNIF()"});
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
    window.controls.setEditText("\u00D7");
    window.add(1);
    EXPECT_EQ(window.controls.listIndex(), 2);  // trimming keeps the basic block in place
    window.number(1);
    EXPECT_EQ(window.controls.listIndex(), -1);  // "×" is no one-number entry
    EXPECT_EQ(window.controls.listText(-1), "\u00D7");
}

TEST(Catalogue, HasFiftyEightTwoNumberAndSixtyThreeOneNumberNames) {
    Names two = namesOf(basicBlock().twoNumbers);
    Names one = namesOf(basicBlock().oneNumber);
    for (const CatalogueBlock& category : categories()) {
        two = two + namesOf(category.twoNumbers);
        for (const CatalogueEntry& entry : category.oneNumber) {
            if (entry.name != kNoOperators) {
                one.emplace_back(entry.name);
            }
        }
    }
    EXPECT_EQ(two.size(), 58u);
    EXPECT_EQ(one.size(), 63u);
    std::vector<std::string> all = two + one;
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "a name occurs twice";
}

// Every name the catalogue offers (but the placeholder) is one the evaluator knows in that mode
// and in no other, and the evaluator knows no name the catalogue does not offer.
TEST(Catalogue, OffersExactlyTheNamesTheEvaluatorKnows) {
    for (std::int16_t mode : {1, 2}) {
        Names offered;
        const CatalogueBlock& basic = basicBlock();
        offered = namesOf(mode == 2 ? basic.twoNumbers : basic.oneNumber);
        for (const CatalogueBlock& block : categories()) {
            offered = offered + namesOf(mode == 2 ? block.twoNumbers : block.oneNumber);
        }
        std::erase(offered, std::string(kNoOperators));
        for (const std::string& name : offered) {
            EXPECT_TRUE(isOperationName(mode, name)) << name << " in mode " << mode;
            EXPECT_FALSE(isOperationName(mode == 2 ? 1 : 2, name)) << name << " in both modes";
        }
        Names evaluated = operationNames(mode);
        std::sort(offered.begin(), offered.end());
        std::sort(evaluated.begin(), evaluated.end());
        EXPECT_EQ(evaluated, offered) << "mode " << mode;
    }
}

}  // namespace
}  // namespace quillon
