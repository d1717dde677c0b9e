// DoIt_Click: the prologue of each mode, then dispatch by the exact operation name.
#include <string>

#include "driver.h"
#include "evaluation.h"
#include "operations.h"

namespace quillon {

namespace {

// Replaces the text of a box by the text of Answer when it holds a "%" anywhere.
void recallAnswer(Evaluation& e, Box box) {
    if (e.read(box).find('%') != std::string::npos) {
        e.controls.setText(box, e.read(Box::Answer));
    }
}

void twoNumberPrologue(Evaluation& e) {
    recallAnswer(e, Box::First);
    recallAnswer(e, Box::Second);
    e.writeAnswer("0");
    e.firstNonZero = e.read(Box::First) != "0";
    e.secondNonZero = e.read(Box::Second) != "0";
    e.textOperand = Variant::text(e.read(Box::First));
    e.numberOperand = readNumber(e.read(Box::Second));
}

void oneNumberPrologue(Evaluation& e) {
    recallAnswer(e, Box::Second);
    e.textOperand = Variant::text(e.read(Box::Second));
    // An error text in Answer holds 0; "ER" is tested with case, and a shorter text never
    // matches.
    const std::string held = e.read(Box::Answer);
    e.numberOperand = held.starts_with("ER") ? 0.0 : readNumber(held);
    e.writeAnswer("0");
}

}  // namespace

std::optional<Failure> DoIt_Click(Controls& controls, std::int16_t NumberMode,
                                  EvaluationTrace* trace) {
    const Mode mode = modeOf(NumberMode);
    Evaluation e{controls};
    // Reports the loop passes however the evaluation ends.
    struct Report {
        const Evaluation& e;
        EvaluationTrace* trace;
        ~Report() {
            if (trace != nullptr) {
                trace->loopSteps = e.loopSteps;
            }
        }
    } report{e, trace};
    try {
        if (mode == Mode::TwoNumbers) {
            twoNumberPrologue(e);
        } else {
            oneNumberPrologue(e);
        }
        const std::string name = controls.listText(controls.listIndex());
        // The placeholder entry is in the list but names no operation.
        const CatalogueEntry* entry = findOperation(name, mode);
        if (entry != nullptr && entry->steps != nullptr) {
            entry->steps(e);
        } else {
            e.writeAnswer(kNoOperationChosenText);
        }
    } catch (const EvaluationFailure& failure) {
        return failure.failure();
    }
    return std::nullopt;
}

}  // namespace quillon
