// What an operator's steps work with, and how each operator family registers its names.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "controls.h"
#include "numbers.h"
#include "variant.h"

namespace quillon {

// The working values of one evaluation, prepared by the prologue of the mode.
struct Evaluation {
    explicit Evaluation(Controls& boxes) : controls(boxes) {}

    Controls& controls;
    // The text of First (two-number mode) or of Second (one-number mode), as a text.
    Variant TextOperand;
    // The value of Second (two-number mode) or the held answer (one-number mode).
    double NumberOperand = 0.0;
    // Two-number mode only: the text of First, or of Second, is anything but exactly "0".
    Variant FirstNonZero;
    bool SecondNonZero = false;
    // Passes through loops so far; every loop of an operator counts each pass with countStep.
    std::uint64_t loopSteps = 0;

    void countStep() { ++loopSteps; }

    // NumberOperand as a Double value for Variant arithmetic.
    Variant numberOperand() const { return Variant::number(NumberOperand); }

    std::string read(Box box) const { return controls.text(box); }
    void writeAnswer(const std::string& text) { controls.setText(Box::Answer, text); }
    void writeAnswer(double value) { controls.setText(Box::Answer, writeNumber(value)); }
    void writeAnswer(const Variant& value) { controls.setText(Box::Answer, value.toText()); }
};

enum class Mode { OneNumber, TwoNumbers };

// One operation: its exact name, the mode it belongs to and its steps.
struct Operator {
    std::string_view name;
    Mode mode;
    void (*steps)(Evaluation&);
};

// The operator families, one unit each.
std::span<const Operator> arithmeticOperators();     // + - x / and the relational operators
std::span<const Operator> bitwiseOperators();        // (Bytewise) and (Logical)
std::span<const Operator> countingOperators();       // permutations, combinations, factorials
std::span<const Operator> conversionOperators();     // unit, time and angle conversions
std::span<const Operator> powerOperators();          // powers, roots, exponentials, logarithms
std::span<const Operator> trigonometryOperators();   // circular functions and their inverses
std::span<const Operator> miscellaneousOperators();  // \ Mod & MAGNIF()

}  // namespace quillon
