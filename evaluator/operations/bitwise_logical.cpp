// "Bitwise and Logical Operators": the (Bytewise) operators on 32-bit integers and their
// (Logical) twins on the zero flags. Two-number mode only.
#include <array>
#include <cstdint>

#include "evaluation.h"

namespace quillon {

namespace {

// The tables name each row's mode.
using enum Mode;

// Bytewise operators read First and Second afresh and convert both to 32-bit integers. The
// order of the conversions decides which failure is reported when both texts are bad.
enum class Order { SecondFirst, FirstFirst };

template <std::int32_t (*combine)(std::int32_t, std::int32_t), Order order = Order::SecondFirst>
void bytewise(Evaluation& e) {
    const std::string first = e.read(Box::First);
    const std::string second = e.read(Box::Second);
    std::int32_t a = 0;
    std::int32_t b = 0;
    if constexpr (order == Order::FirstFirst) {
        a = textToLong(first);
        b = textToLong(second);
    } else {
        b = textToLong(second);
        a = textToLong(first);
    }
    e.writeAnswer(Variant::longInteger(combine(a, b)));
}

std::int32_t andBits(std::int32_t a, std::int32_t b) {
    return a & b;
}
std::int32_t nandBits(std::int32_t a, std::int32_t b) {
    return ~(a & b);
}
std::int32_t orBits(std::int32_t a, std::int32_t b) {
    return a | b;
}
std::int32_t norBits(std::int32_t a, std::int32_t b) {
    return ~(a | b);
}
std::int32_t xorBits(std::int32_t a, std::int32_t b) {
    return a ^ b;
}
std::int32_t notXorBits(std::int32_t a, std::int32_t b) {
    return ~(a ^ b);
}
std::int32_t ifThenBits(std::int32_t a, std::int32_t b) {
    return ~a | b;
}
std::int32_t notIfThenBits(std::int32_t a, std::int32_t b) {
    return a & ~b;
}

// Logical operators combine only the two flags the prologue set: whether the text of First,
// and of Second, is anything but exactly "0". A true result writes "1"; a false one leaves the
// prologue's "0". Nothing is converted, so they cannot fail.
template <bool (*holds)(bool first, bool second)>
void logical(Evaluation& e) {
    e.writeTruth(holds(e.firstNonZero, e.secondNonZero));
}

bool andFlags(bool f, bool s) {
    return f && s;
}
bool nandFlags(bool f, bool s) {
    return !(f && s);
}
bool orFlags(bool f, bool s) {
    return f || s;
}
bool norFlags(bool f, bool s) {
    return !(f || s);
}
bool xorFlags(bool f, bool s) {
    return f != s;
}
bool notXorFlags(bool f, bool s) {
    return f == s;
}
bool ifThenFlags(bool f, bool s) {
    return !f || s;
}
bool notIfThenFlags(bool f, bool s) {
    return f && !s;
}

constexpr std::array kRows = {
    CatalogueEntry{"And (Bytewise)", TwoNumbers, "First AND Second, bit by bit, on whole numbers",
                   bytewise<andBits>},
    CatalogueEntry{"Nand (Bytewise)", TwoNumbers,
                   "NOT (First AND Second), bit by bit, on whole numbers", bytewise<nandBits>},
    CatalogueEntry{"Or (Bytewise)", TwoNumbers, "First OR Second, bit by bit, on whole numbers",
                   bytewise<orBits>},
    CatalogueEntry{"Nor (Bytewise)", TwoNumbers,
                   "NOT (First OR Second), bit by bit, on whole numbers", bytewise<norBits>},
    CatalogueEntry{"Xor (Bytewise)", TwoNumbers,
                   "First XOR Second (either but not both), bit by bit, on whole numbers",
                   bytewise<xorBits>},
    CatalogueEntry{"Not Xor (Bytewise)", TwoNumbers,
                   "NOT (First XOR Second), bit by bit, on whole numbers", bytewise<notXorBits>},
    CatalogueEntry{"If-Then (Bytewise)", TwoNumbers,
                   "(NOT First) OR Second, bit by bit, on whole numbers",
                   bytewise<ifThenBits, Order::FirstFirst>},
    CatalogueEntry{"Not If-Then (Bytewise)", TwoNumbers,
                   "First AND (NOT Second), bit by bit, on whole numbers", bytewise<notIfThenBits>},
    CatalogueEntry{"And (Logical)", TwoNumbers,
                   "1 if First and Second are both true (any text but \"0\"), else 0",
                   logical<andFlags>},
    CatalogueEntry{"Nand (Logical)", TwoNumbers,
                   "1 unless First and Second are both true (any text but \"0\")",
                   logical<nandFlags>},
    CatalogueEntry{"Or (Logical)", TwoNumbers,
                   "1 if First or Second is true (any text but \"0\"), else 0", logical<orFlags>},
    CatalogueEntry{"Nor (Logical)", TwoNumbers,
                   "1 if First and Second are both exactly \"0\", else 0", logical<norFlags>},
    CatalogueEntry{"Xor (Logical)", TwoNumbers,
                   "1 if exactly one of First and Second is true (any text but \"0\"), else 0",
                   logical<xorFlags>},
    CatalogueEntry{"Not Xor (Logical)", TwoNumbers,
                   "1 if First and Second are both true or both \"0\", else 0",
                   logical<notXorFlags>},
    CatalogueEntry{"If-Then (Logical)", TwoNumbers,
                   "1 unless First is true (any text but \"0\") and Second is \"0\"",
                   logical<ifThenFlags>},
    CatalogueEntry{"Not If-Then (Logical)", TwoNumbers,
                   "1 if First is true (any text but \"0\") and Second is \"0\", else 0",
                   logical<notIfThenFlags>},
    // The one-number form holds only the placeholder, which names no operation.
    CatalogueEntry{kNoOperators, OneNumber,
                   "No operation: this category works on two numbers only (Number of Figures > "
                   "Two Numbers)",
                   nullptr},
};

constexpr CatalogueBlock kBlock = makeBlock("Bitwise and Logical Operators", kRows);

}  // namespace

const CatalogueBlock& bitwiseAndLogicalOperators() {
    return kBlock;
}

}  // namespace quillon
