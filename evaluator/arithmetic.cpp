// The basic operators of both modes and the relational operators.
#include <array>

#include "evaluation.h"
#include "evaluator.h"

namespace quillon {

namespace {

// Two-number arithmetic: the text of First with the value of Second.
Variant right(const Evaluation& e) {
    return Variant::number(e.NumberOperand);
}

void add(Evaluation& e) {
    e.writeAnswer(e.TextOperand + right(e));
}
void subtract(Evaluation& e) {
    e.writeAnswer(e.TextOperand - right(e));
}
void multiply(Evaluation& e) {
    e.writeAnswer(e.TextOperand * right(e));
}

// Guarded: a zero divisor (-0 included) gives the error text before the dividend is read.
void divide(Evaluation& e) {
    if (e.NumberOperand == 0.0) {
        e.writeAnswer(kDivisionByZero);
        return;
    }
    e.writeAnswer(e.TextOperand / right(e));
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

// One-number arithmetic: "%" in a name stands for the held answer, the new operand is the text
// of Second.
Variant held(const Evaluation& e) {
    return Variant::number(e.NumberOperand);
}

void addHeld(Evaluation& e) {
    e.writeAnswer(e.TextOperand + held(e));
}
void subtractHeld(Evaluation& e) {
    e.writeAnswer(e.TextOperand - held(e));
}
void subtractFromHeld(Evaluation& e) {
    e.writeAnswer(held(e) - e.TextOperand);
}
void multiplyHeld(Evaluation& e) {
    e.writeAnswer(e.TextOperand * held(e));
}

void divideByHeld(Evaluation& e) {
    if (e.NumberOperand == 0.0) {
        e.writeAnswer(kDivisionByZero);
        return;
    }
    e.writeAnswer(e.TextOperand / held(e));
}

// The guard compares the new operand's value with the integer 0, so every text worth zero
// triggers it and a text that is not a number fails here.
void divideHeld(Evaluation& e) {
    if (compare(e.TextOperand, Variant::integer(0)) == 0) {
        e.writeAnswer(kDivisionByZero);
        return;
    }
    e.writeAnswer(held(e) / e.TextOperand);
}

// One-number relational operators: the held answer on the left, the new operand's value on
// the right.
template <bool (*holds)(int)>
void compareHeld(Evaluation& e) {
    if (holds(compare(held(e), e.TextOperand))) {
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
    Operator{"+%", kOne, addHeld},
    Operator{"-%", kOne, subtractHeld},
    Operator{"%-", kOne, subtractFromHeld},
    Operator{"\u00D7%", kOne, multiplyHeld},
    Operator{"\u00F7%", kOne, divideByHeld},
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
