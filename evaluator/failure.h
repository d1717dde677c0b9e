// Evaluation failures: the closed set of ways an evaluation can stop before it is done.
//
// A failure ends the evaluation at the step where it happens. Nothing is rolled back: every
// text already written into a box stays. DoIt_Click tells its caller which failure happened and,
// where known, the text that caused it; the window turns that into a message for the user.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quillon {

enum class FailureKind { TypeMismatch, Overflow, DivisionByZero, InvalidArgument };

struct Failure {
    FailureKind kind;
    // The text that caused the failure, where one did (a text that is not a number, or one
    // beyond the range of numbers).
    std::optional<std::string> culprit;

    friend bool operator==(const Failure&, const Failure&) = default;
};

// The failure's short name as the scripted driver prints it: "type mismatch", "overflow",
// "division by zero", "invalid argument".
std::string_view failureName(FailureKind kind);

// The failure's title for the user: "Type mismatch", "Overflow", ...
std::string_view failureTitle(FailureKind kind);

// The whole message for the user, e.g. `Type mismatch: "abc" is not a number.`
// A very long culprit is shortened with an ellipsis so that the message stays readable.
std::string failureMessage(const Failure& failure);

// Thrown by an operator step to end the evaluation; caught only by DoIt_Click.
class EvaluationFailure : public std::exception {
public:
    explicit EvaluationFailure(FailureKind kind, std::optional<std::string> culprit = {})
        : failure_{kind, std::move(culprit)} {}
    const Failure& failure() const { return failure_; }
    const char* what() const noexcept override;

private:
    Failure failure_;
};

}  // namespace quillon
