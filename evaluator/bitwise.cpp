// The (Bytewise) operators on 32-bit integers and their (Logical) twins on the zero flags.
#include <array>
#include <cstdint>

#include "evaluation.h"

namespace quillon {

namespace {

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
    if (holds(e.FirstNonZero.isTrue(), e.SecondNonZero)) {
        e.writeAnswer("1");
    }
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

constexpr auto kTwo = Mode::TwoNumbers;

constexpr std::array kOperators = {
    Operator{"And (Bytewise)", kTwo, bytewise<andBits>},
    Operator{"Nand (Bytewise)", kTwo, bytewise<nandBits>},
    Operator{"Or (Bytewise)", kTwo, bytewise<orBits>},
    Operator{"Nor (Bytewise)", kTwo, bytewise<norBits>},
    Operator{"Xor (Bytewise)", kTwo, bytewise<xorBits>},
    Operator{"Not Xor (Bytewise)", kTwo, bytewise<notXorBits>},
    Operator{"If-Then (Bytewise)", kTwo, bytewise<ifThenBits, Order::FirstFirst>},
    Operator{"Not If-Then (Bytewise)", kTwo, bytewise<notIfThenBits>},
    Operator{"And (Logical)", kTwo, logical<andFlags>},
    Operator{"Nand (Logical)", kTwo, logical<nandFlags>},
    Operator{"Or (Logical)", kTwo, logical<orFlags>},
    Operator{"Nor (Logical)", kTwo, logical<norFlags>},
    Operator{"Xor (Logical)", kTwo, logical<xorFlags>},
    Operator{"Not Xor (Logical)", kTwo, logical<notXorFlags>},
    Operator{"If-Then (Logical)", kTwo, logical<ifThenFlags>},
    Operator{"Not If-Then (Logical)", kTwo, logical<notIfThenFlags>},
};

}  // namespace

std::span<const Operator> bitwiseOperators() {
    return kOperators;
}

}  // namespace quillon
