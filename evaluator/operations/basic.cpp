// The basic block: the four operators of two-number mode and the six of one-number mode.
#include <array>

#include "evaluation.h"
#include "driver.h"

namespace quillon {

namespace {

// The text operand with the number operand (the value of Second, or the held answer): the same
// steps serve "+" and "+%", "-" and "-%", and so on.
void add(Evaluation& e) {
    e.writeAnswer(e.textOperand + e.numberValue());
}
void subtract(Evaluation& e) {
    e.writeAnswer(e.textOperand - e.numberValue());
}
void multiply(Evaluation& e) {
    e.writeAnswer(e.textOperand * e.numberValue());
}

// Guarded: a zero divisor (-0 included) gives the error text before the dividend is read.
void divide(Evaluation& e) {
    if (e.numberOperand == 0.0) {
        e.writeAnswer(kDivisionByZeroText);
        return;
    }
    e.writeAnswer(e.textOperand / e.numberValue());
}

// One-number operators with the held answer on the left.
void subtractFromHeld(Evaluation& e) {
    e.writeAnswer(e.numberValue() - e.textOperand);
}

// The guard compares the new operand's value with the integer 0, so every text worth zero
// triggers it and a text that is not a number fails here.
void divideHeld(Evaluation& e) {
    if (compare(e.textOperand, Variant::integer(0)) == 0) {
        e.writeAnswer(kDivisionByZeroText);
        return;
    }
    e.writeAnswer(e.numberValue() / e.textOperand);
}

constexpr std::array kRows = {
    CatalogueEntry{"+", kTwo, "First plus Second", add},
    CatalogueEntry{"-", kTwo, "First minus Second", subtract},
    CatalogueEntry{"×", kTwo, "First times Second", multiply},
    CatalogueEntry{"÷", kTwo, "First divided by Second", divide},
    CatalogueEntry{"+%", kOne, "The number in Second plus the held answer", add},
    CatalogueEntry{"-%", kOne, "The number in Second minus the held answer", subtract},
    CatalogueEntry{"%-", kOne, "The held answer minus the number in Second", subtractFromHeld},
    CatalogueEntry{"×%", kOne, "The number in Second times the held answer", multiply},
    CatalogueEntry{"÷%", kOne, "The number in Second divided by the held answer", divide},
    CatalogueEntry{"%÷", kOne, "The held answer divided by the number in Second", divideHeld},
};

constexpr CatalogueBlock kBlock = makeBlock("", kRows);

}  // namespace

const CatalogueBlock& basicBlock() {
    return kBlock;
}

}  // namespace quillon
