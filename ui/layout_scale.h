// How much the window's twip layout grows so that the desktop's text fits it: a fraction, so
// that a factor of one gives the twips' pixels exactly (15 twips a pixel, rounded down) and the
// smallest factor at which a length reaches a given number of pixels is exact, not a float that
// lands a hair below it.
#pragma once

#include <cstdint>

#include "look.h"

namespace quillon {

class LayoutScale {
public:
    LayoutScale() = default;

    // The smallest scale at which `twips` make `wanted` pixels; `twips` > 0.
    static LayoutScale toReach(int twips, int wanted) {
        return LayoutScale(std::int64_t{wanted} * kTwipsPerPixel, twips);
    }

    // The twips as whole pixels at this scale, rounded down; non-negative twips.
    int pixels(int twips) const {
        return static_cast<int>(twips * numerator_ / (kTwipsPerPixel * denominator_));
    }

    double factor() const {
        return static_cast<double>(numerator_) / static_cast<double>(denominator_);
    }

    friend bool operator<(const LayoutScale& a, const LayoutScale& b) {
        return a.numerator_ * b.denominator_ < b.numerator_ * a.denominator_;
    }

private:
    LayoutScale(std::int64_t numerator, std::int64_t denominator)
        : numerator_(numerator), denominator_(denominator) {}

    std::int64_t numerator_ = 1;
    std::int64_t denominator_ = 1;
};

}  // namespace quillon
