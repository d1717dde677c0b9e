// DoIt_Click: the prologue of each mode, then dispatch by the exact operation name.
#include <array>
#include <string_view>
#include <unordered_map>

#include "evaluation.h"
#include "evaluator.h"

namespace quillon {

namespace {

Mode modeOf(std::int16_t NumberMode) {
    return NumberMode == 2 ? Mode::TwoNumbers : Mode::OneNumber;
}

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
    e.firstNonZero = Variant::boolean(e.read(Box::First) != "0");
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

using NameTable = std::unordered_map<std::string_view, void (*)(Evaluation&)>;

// The operation names of each mode with their steps, gathered once from the tables of the
// basic block and of every category. The placeholder entry names no operation.
const NameTable& namesOf(Mode mode) {
    static const std::array<NameTable, 2> tables = [] {
        std::array<NameTable, 2> built;
        const auto add = [&built](std::span<const CatalogueEntry> entries) {
            for (const CatalogueEntry& entry : entries) {
                if (entry.steps != nullptr) {
                    built[static_cast<int>(entry.mode)].emplace(entry.name, entry.steps);
                }
            }
        };
        add(basicBlock().twoNumbers);
        add(basicBlock().oneNumber);
        for (const CatalogueBlock& category : categories()) {
            add(category.twoNumbers);
            add(category.oneNumber);
        }
        return built;
    }();
    return tables[static_cast<int>(mode)];
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
        const NameTable& names = namesOf(mode);
        if (const auto found = names.find(name); found != names.end()) {
            found->second(e);
        } else {
            e.writeAnswer(kNoOperationChosen);
        }
    } catch (const EvaluationFailure& failure) {
        return failure.failure();
    }
    return std::nullopt;
}

}  // namespace quillon
