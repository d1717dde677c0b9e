// What an operation's steps work with: the working values of one evaluation, and the operand
// helpers shared by every table under operations/.
#pragma once

#include <cstdint>
#include <string>

#include "controls.h"
#include "numbers.h"
#include "operations.h"
#include "variant.h"

namespace quillon {

// The working values of one evaluation, prepared by the prologue of the mode.
struct Evaluation {
    explicit Evaluation(Controls& boxes) : controls(boxes) {}

    Controls& controls;
    // The text of First (two-number mode) or of Second (one-number mode), as a text: converted
    // only where a step needs a number.
    Variant textOperand;
    // The value of Second (two-number mode) or the held answer (one-number mode).
    double numberOperand = 0.0;
    // Two-number mode only: the text of First, or of Second, is anything but exactly "0".
    bool firstNonZero = false;
    bool secondNonZero = false;
    // Passes through loops so far; every loop of an operation counts each pass with countStep.
    std::uint64_t loopSteps = 0;

    void countStep() { ++loopSteps; }

    // The other operand as a Double value.
    Variant numberValue() const { return Variant::number(numberOperand); }

    std::string read(Box box) const { return controls.text(box); }
    void writeAnswer(const std::string& text) { controls.setText(Box::Answer, text); }
    void writeAnswer(double value) { controls.setText(Box::Answer, writeNumber(value)); }
    void writeAnswer(const Variant& value) { controls.setText(Box::Answer, value.toText()); }
    // A true test writes "1"; a false one leaves the "0" that the prologue wrote.
    void writeTruth(bool holds) {
        if (holds) {
            writeAnswer("1");
        }
    }
};

}  // namespace quillon
