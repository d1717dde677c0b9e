// The driver: DoIt_Click, the handler behind "Do It!" (driver.cpp), and the texts it writes.
#pragma once

#include <cstdint>
#include <optional>

#include "controls.h"
#include "failure.h"

namespace quillon {

// The error texts: what the evaluator writes into Answer when it cannot produce a result.
// They are texts, not failures: the evaluation ends normally.
inline constexpr const char* kNoOperationChosenText = "ERROR 1: No operation chosen";
inline constexpr const char* kDivisionByZeroText = "ERROR 2: Division by 0";

// What an evaluation did besides its writes, for the fuzzer and the benchmarks.
struct EvaluationTrace {
    // Passes through the loops of the evaluation (the counting loops, the steps of MAGNIF()).
    std::uint64_t loopSteps = 0;
};

// Runs one evaluation: the prologue of the mode (NumberMode 2 is two-number mode, any other
// value one-number mode), then the operation whose name is the selected entry's text.
// Returns the failure that ended the evaluation early, if one did; whatever the boxes show
// then is what the steps before it wrote.
std::optional<Failure> DoIt_Click(Controls& controls, std::int16_t NumberMode,
                                  EvaluationTrace* trace = nullptr);

}  // namespace quillon
