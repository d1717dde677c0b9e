// Variant: the tagged value in which the evaluator holds operands and intermediate results.
//
// Kinds: Empty, Integer (16-bit), Long (32-bit), Double and String (a text). The rules:
// - A text meeting a number in +, -, x, / is read as a number first (readNumber; a text that is
//   not a number is a type mismatch), the operation is done in Double and the result is a
//   Double. Addition never joins texts. Every result is checked (checkedAdd and friends).
// - Two texts compare by UTF-16 code units, a proper prefix first ("10" < "9"); in every other
//   pairing both sides are taken as numbers, a text by readNumber.
// - toText: a Double by writeNumber, an integer as decimal digits, a text unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace quillon {

class Variant {
public:
    enum class Kind { Empty, Integer, Long, Double, String };

    Variant() = default;
    static Variant integer(std::int16_t value) { return Variant(value); }
    static Variant longInteger(std::int32_t value) { return Variant(value); }
    static Variant number(double value) { return Variant(value); }
    static Variant text(std::string value) { return Variant(std::move(value)); }

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isText() const { return kind() == Kind::String; }

    // The value as a Double: a text by readNumber, Empty as 0.
    double toDouble() const;
    // The value as a 32-bit integer, rounded halves-to-even with the range checked after.
    std::int32_t toLong() const;
    // The value as the text the program writes.
    std::string toText() const;

    friend Variant operator+(const Variant& left, const Variant& right);
    friend Variant operator-(const Variant& left, const Variant& right);
    friend Variant operator*(const Variant& left, const Variant& right);
    friend Variant operator/(const Variant& left, const Variant& right);

private:
    explicit Variant(std::int16_t value) : value_(value) {}
    explicit Variant(std::int32_t value) : value_(value) {}
    explicit Variant(double value) : value_(value) {}
    explicit Variant(std::string value) : value_(std::move(value)) {}

    // Alternatives in the order of Kind.
    std::variant<std::monostate, std::int16_t, std::int32_t, double, std::string> value_;
};

// Three-way comparison: negative, zero or positive as left sorts before, equal to or after
// right.
int compare(const Variant& left, const Variant& right);

}  // namespace quillon
