#include "failure.h"

#include <cstdlib>

namespace quillon {

namespace {

struct FailureTexts {
    std::string_view name;
    std::string_view title;
    // What the culprit text is, completing `"<culprit>" ...`.
    std::string_view culpritIs;
    // The sentence used when no culprit is known.
    std::string_view plain;
};

// The one place from failure kind to the texts that tell it. Every kind is a case (the
// compiler warns of a missing one); a value that is no kind at all is a fault of the caller.
const FailureTexts& textsOf(FailureKind kind) {
    static constexpr FailureTexts kTypeMismatch{"type mismatch", "Type mismatch",
                                                "is not a number.", "a text is not a number."};
    static constexpr FailureTexts kOverflow{"overflow", "Overflow",
                                            "is beyond the range of numbers.",
                                            "the result is beyond the range of numbers."};
    static constexpr FailureTexts kDivisionByZero{"division by zero", "Division by zero",
                                                  "cannot be used as a divisor.",
                                                  "a number was divided by zero."};
    static constexpr FailureTexts kInvalidArgument{"invalid argument", "Invalid argument",
                                                   "is outside the operation's domain.",
                                                   "the operation is not defined for this number."};
    switch (kind) {
        case FailureKind::TypeMismatch:
            return kTypeMismatch;
        case FailureKind::Overflow:
            return kOverflow;
        case FailureKind::DivisionByZero:
            return kDivisionByZero;
        case FailureKind::InvalidArgument:
            return kInvalidArgument;
    }
    std::abort();
}

// Longest culprit shown in a message, in bytes; longer ones are cut at a character boundary.
constexpr std::size_t kCulpritShown = 60;

std::string shortened(const std::string& text) {
    if (text.size() <= kCulpritShown) {
        return text;
    }
    std::size_t cut = kCulpritShown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;  // never split a UTF-8 sequence
    }
    return text.substr(0, cut) + "\u2026";
}

}  // namespace

std::string_view failureName(FailureKind kind) {
    return textsOf(kind).name;
}

std::string_view failureTitle(FailureKind kind) {
    return textsOf(kind).title;
}

std::string failureMessage(const Failure& failure) {
    const FailureTexts& texts = textsOf(failure.kind);
    std::string message(texts.title);
    message += ": ";
    if (failure.culprit) {
        message += '"' + shortened(*failure.culprit) + "\" ";
        message += texts.culpritIs;
    } else {
        message += texts.plain;
    }
    return message;
}

const char* EvaluationFailure::what() const noexcept {
    return textsOf(failure_.kind).name.data();
}

}  // namespace quillon
