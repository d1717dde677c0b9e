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
    e.FirstNonZero = Variant::boolean(e.read(Box::First) != "0");
    e.SecondNonZero = e.read(Box::Second) != "0";
    e.TextOperand = Variant::text(e.read(Box::First));
    e.NumberOperand = readNumber(e.read(Box::Second));
}

void oneNumberPrologue(Evaluation& e) {
    recallAnswer(e, Box::Second);
    e.TextOperand = Variant::text(e.read(Box::Second));
    // An error text in Answer holds 0; "ER" is tested with case, and a shorter text never
    // matches.
    const std::string held = e.read(Box::Answer);
    e.NumberOperand = held.starts_with("ER") ? 0.0 : readNumber(held);
    e.writeAnswer("0");
}

using NameTable = std::unordered_map<std::string_view, void (*)(Evaluation&)>;

// The operation names of each mode with their steps, gathered once from every family.
const NameTable& namesOf(Mode mode) {
    static const std::array<NameTable, 2> tables = [] {
        std::array<NameTable, 2> built;
        for (const auto family :
             {arithmeticOperators(), bitwiseOperators(), countingOperators(), conversionOperators(),
              powerOperators(), trigonometryOperators(), miscellaneousOperators()}) {
            for (const Operator& op : family) {
                built[static_cast<int>(op.mode)].emplace(op.name, op.steps);
            }
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

bool isOperationName(std::int16_t NumberMode, const std::string& name) {
    return namesOf(modeOf(NumberMode)).contains(name);
}

std::vector<std::string> operationNames(std::int16_t NumberMode) {
    std::vector<std::string> names;
    for (const auto& [name, steps] : namesOf(modeOf(NumberMode))) {
        names.emplace_back(name);
    }
    return names;
}

}  // namespace quillon
