// A freshly loaded window in memory, and table rows of evaluations to run on it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>

#include "handlers.h"
#include "driver.h"
#include "memory_controls.h"

namespace quillon {

inline void PrintTo(FailureKind kind, std::ostream* out) {
    *out << failureName(kind);
}

}  // namespace quillon

namespace quillon::testing {

// The bits of a double and the double of some bits, as std::bit_cast gives them (which the
// libc++ of emscripten 3.1.6 does not have).
inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
inline double doubleOf(std::uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// One evaluation: the boxes before the press, the operation, and what the boxes hold after.
struct EvalCase {
    Mode mode;
    std::string first;
    std::string second;
    std::string answer;  // the text of Answer before the press
    std::string operation;
    std::string expected;  // the text of Answer after the press
    std::optional<FailureKind> failure = std::nullopt;
};

inline std::ostream& operator<<(std::ostream& out, const EvalCase& c) {
    return out << (c.mode == kTwo ? "two numbers" : "one number") << ", First \"" << c.first
               << "\", Second \"" << c.second << "\", Answer \"" << c.answer << "\", \""
               << c.operation << "\"";
}

struct Harness {
    MemoryControls controls;
    std::int16_t NumberMode = 0;

    Harness() { Form_Load(controls, NumberMode); }

    // Fills the boxes, types the operation's name into the edit field and presses "Do It!".
    std::optional<Failure> press(const EvalCase& c, EvaluationTrace* trace = nullptr) {
        NumberMode = c.mode == kTwo ? 2 : 1;
        controls.setText(Box::First, c.first);
        controls.setText(Box::Second, c.second);
        controls.setText(Box::Answer, c.answer);
        controls.setEditText(c.operation);
        return DoIt_Click(controls, NumberMode, trace);
    }
};

// Where a table of rows stands in a test, taken at the call as a default argument. (The
// compilers' builtins serve where a standard library lacks <source_location>, as libc++ 14.)
struct CallSite {
    const char* file = __builtin_FILE();
    int line = __builtin_LINE();
};

inline std::optional<FailureKind> kindOf(const std::optional<Failure>& failure) {
    return failure ? std::optional(failure->kind) : std::nullopt;
}

// Runs a row on a fresh window and checks Answer and the failure kind. A failure names the row
// by its inputs and by the line of the test that holds it.
inline void expectEvaluation(const EvalCase& c, CallSite at = {}) {
    const ::testing::ScopedTrace row(at.file, at.line, ::testing::PrintToString(c));
    Harness window;
    const std::optional<Failure> failure = window.press(c);
    EXPECT_EQ(window.controls.text(Box::Answer), c.expected);
    EXPECT_EQ(kindOf(failure), c.failure);
}

// Runs every row of a table, each on a fresh window.
inline void expectEvaluations(std::initializer_list<EvalCase> cases, CallSite at = {}) {
    for (const EvalCase& c : cases) {
        expectEvaluation(c, at);
    }
}

inline constexpr auto kMismatch = FailureKind::TypeMismatch;
inline constexpr auto kOverflow = FailureKind::Overflow;
inline constexpr auto kByZero = FailureKind::DivisionByZero;
inline constexpr auto kInvalid = FailureKind::InvalidArgument;

}  // namespace quillon::testing
