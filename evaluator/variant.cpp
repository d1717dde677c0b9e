#include "variant.h"

#include "numbers.h"
#include "utf8.h"

namespace quillon {

namespace {

template <typename T>
int threeWay(T left, T right) {
    return left < right ? -1 : (right < left ? 1 : 0);
}

}  // namespace

double Variant::toDouble() const {
    switch (kind()) {
        case Kind::Empty:
            return 0.0;
        case Kind::Integer:
            return std::get<std::int16_t>(value_);
        case Kind::Long:
            return std::get<std::int32_t>(value_);
        case Kind::Double:
            return std::get<double>(value_);
        case Kind::String:
            return readNumber(std::get<std::string>(value_));
    }
    return 0.0;
}

std::int32_t Variant::toLong() const {
    if (isText()) {
        return textToLong(std::get<std::string>(value_));
    }
    return roundToLong(toDouble());
}

std::string Variant::toText() const {
    switch (kind()) {
        case Kind::Empty:
            return {};
        case Kind::Integer:
            return std::to_string(std::get<std::int16_t>(value_));
        case Kind::Long:
            return std::to_string(std::get<std::int32_t>(value_));
        case Kind::Double:
            return writeNumber(std::get<double>(value_));
        case Kind::String:
            return std::get<std::string>(value_);
    }
    return {};
}

Variant operator+(const Variant& left, const Variant& right) {
    return Variant::number(checkedAdd(left.toDouble(), right.toDouble()));
}

Variant operator-(const Variant& left, const Variant& right) {
    return Variant::number(checkedSubtract(left.toDouble(), right.toDouble()));
}

Variant operator*(const Variant& left, const Variant& right) {
    return Variant::number(checkedMultiply(left.toDouble(), right.toDouble()));
}

Variant operator/(const Variant& left, const Variant& right) {
    return Variant::number(checkedDivide(left.toDouble(), right.toDouble()));
}

int compare(const Variant& left, const Variant& right) {
    if (left.isText() && right.isText()) {
        return compareTexts(left.toText(), right.toText());
    }
    return threeWay(left.toDouble(), right.toDouble());
}

}  // namespace quillon
