// "Relational Operators": two-number comparisons of the texts of First and Second, and
// one-number comparisons of the held answer with the new operand's value.
#include <array>

#include "evaluation.h"

namespace quillon {

namespace {

bool equal(int order) {
    return order == 0;
}
bool less(int order) {
    return order < 0;
}
bool greater(int order) {
    return order > 0;
}
bool lessOrEqual(int order) {
    return order <= 0;
}
bool greaterOrEqual(int order) {
    return order >= 0;
}
bool different(int order) {
    return order != 0;
}

// Two-number mode compares the texts of First and Second, read afresh, in code-unit order.
template <bool (*holds)(int)>
void compareBoxes(Evaluation& e) {
    const Variant first = Variant::text(e.read(Box::First));
    const Variant second = Variant::text(e.read(Box::Second));
    e.writeTruth(holds(compare(first, second)));
}

// One-number mode: the held answer on the left, the new operand's value on the right.
template <bool (*holds)(int)>
void compareHeld(Evaluation& e) {
    e.writeTruth(holds(compare(e.numberValue(), e.textOperand)));
}

constexpr std::string_view kDiffer = "1 if the texts of First and Second differ, else 0";
constexpr std::string_view kDiffers =
    "1 if the held answer differs from the number in Second, else 0";

constexpr std::array kRows = {
    CatalogueEntry{"=", kTwo, "1 if the text of First is the same as the text of Second, else 0",
                   compareBoxes<equal>},
    CatalogueEntry{"<", kTwo,
                   "1 if the text of First sorts before the text of Second (as text: 10 before "
                   "9), else 0",
                   compareBoxes<less>},
    CatalogueEntry{">", kTwo,
                   "1 if the text of First sorts after the text of Second (as text: 9 after 10), "
                   "else 0",
                   compareBoxes<greater>},
    CatalogueEntry{"<=", kTwo,
                   "1 if the text of First sorts before or is the same as the text of Second, "
                   "else 0",
                   compareBoxes<lessOrEqual>},
    CatalogueEntry{">=", kTwo,
                   "1 if the text of First sorts after or is the same as the text of Second, "
                   "else 0",
                   compareBoxes<greaterOrEqual>},
    CatalogueEntry{"<>", kTwo, kDiffer, compareBoxes<different>},
    CatalogueEntry{"!=", kTwo, kDiffer, compareBoxes<different>},
    CatalogueEntry{"=%", kOne, "1 if the held answer equals the number in Second, else 0",
                   compareHeld<equal>},
    CatalogueEntry{"<%", kOne, "1 if the held answer is less than the number in Second, else 0",
                   compareHeld<less>},
    CatalogueEntry{">%", kOne, "1 if the held answer is greater than the number in Second, else 0",
                   compareHeld<greater>},
    CatalogueEntry{"<=%", kOne,
                   "1 if the held answer is less than or equal to the number in Second, else 0",
                   compareHeld<lessOrEqual>},
    CatalogueEntry{">=%", kOne,
                   "1 if the held answer is greater than or equal to the number in Second, else 0",
                   compareHeld<greaterOrEqual>},
    CatalogueEntry{"<>%", kOne, kDiffers, compareHeld<different>},
    CatalogueEntry{"!=%", kOne, kDiffers, compareHeld<different>},
};

constexpr CatalogueBlock kBlock = makeBlock("Relational Operators", kRows);

}  // namespace

const CatalogueBlock& relationalOperators() {
    return kBlock;
}

}  // namespace quillon
