// The basic operators of both modes and the relational operators.
#include <array>

#include "evaluation.h"
#include "evaluator.h"

namespace quillon {

namespace {

// The text operand (First, or Second in one-number mode) with the number operand (the value of
// Second, or the held answer): the same steps serve "+" and "+%", "-" and "-%", and so on.
void add(Evaluation& e) {
    e.writeAnswer(e.TextOperand + e.numberOperand());
}
void subtract(Evaluation& e) {
    e.writeAnswer(e.TextOperand - e.numberOperand());
}
void multiply(Evaluation& e) {
    e.writeAnswer(e.TextOperand * e.numberOperand());
}

// Guarded: a zero divisor (-0 included) gives the error text before the dividend is read.
void divide(Evaluation& e) {
    if (e.NumberOperand == 0.0) {
        e.writeAnswer(kDivisionByZero);
        return;
    }
    e.writeAnswer(e.TextOperand / e.numberOperand());
}

// Two-number relational operators compare the texts of First and Second, read afresh, in
// code-unit order; a true test writes "1", a false one leaves the "0" of the prologue.
template <bool (*holds)(int)>
void compareBoxes(Evaluation& e) {
    const Variant first = Variant::text(e.read(Box::First));
    const Variant second = Variant::text(e.read(Box::Second));
    if (holds(compare(first, second))) {
        e.writeAnswer("1");
    }
}

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

// One-number operators with the held answer on the left.
void subtractFromHeld(Evaluation& e) {
    e.writeAnswer(e.numberOperand() - e.TextOperand);
}

// The guard compares the new operand's value with the integer 0, so every text worth zero
// triggers it and a text that is not a number fails here.
void divideHeld(Evaluation& e) {
    if (compare(e.TextOperand, Variant::integer(0)) == 0) {
        e.writeAnswer(kDivisionByZero);
        return;
    }
    e.writeAnswer(e.numberOperand() / e.TextOperand);
}

// One-number relational operators: the held answer on the left, the new operand's value on
// the right.
template <bool (*holds)(int)>
void compareHeld(Evaluation& e) {
    if (holds(compare(e.numberOperand(), e.TextOperand))) {
        e.writeAnswer("1");
    }
}

constexpr auto kTwo = Mode::TwoNumbers;
constexpr auto kOne = Mode::OneNumber;

constexpr std::array kOperators = {
    Operator{"+", kTwo, add},
    Operator{"-", kTwo, subtract},
    Operator{"\u00D7", kTwo, multiply},
    Operator{"\u00F7", kTwo, divide},
    Operator{"=", kTwo, compareBoxes<equal>},
    Operator{"<", kTwo, compareBoxes<less>},
    Operator{">", kTwo, compareBoxes<greater>},
    Operator{"<=", kTwo, compareBoxes<lessOrEqual>},
    Operator{">=", kTwo, compareBoxes<greaterOrEqual>},
    Operator{"<>", kTwo, compareBoxes<different>},
    Operator{"!=", kTwo, compareBoxes<different>},
    Operator{"+%", kOne, add},
    Operator{"-%", kOne, subtract},
    Operator{"%-", kOne, subtractFromHeld},
    Operator{"\u00D7%", kOne, multiply},
    Operator{"\u00F7%", kOne, divide},
    Operator{"%\u00F7", kOne, divideHeld},
    Operator{"=%", kOne, compareHeld<equal>},
    Operator{"<%", kOne, compareHeld<less>},
    Operator{">%", kOne, compareHeld<greater>},
    Operator{"<=%", kOne, compareHeld<lessOrEqual>},
    Operator{">=%", kOne, compareHeld<greaterOrEqual>},
    Operator{"<>%", kOne, compareHeld<different>},
    Operator{"!=%", kOne, compareHeld<different>},
};

}  // namespace

std::span<const Operator> arithmeticOperators() {
    return kOperators;
}

}  // namespace quillon
