// Twips to pixels, the one conversion of the window's lengths, and how much the twip layout
// grows so that the desktop's text fits it: a fraction, so that a factor of one gives the twips'
// pixels exactly (15 twips a pixel, rounded down, as at 96 dots per inch) and the smallest
// factor at which a length reaches a given number of pixels is exact, not a float that lands a
// hair below it.
#pragma once

#include <cstdint>

namespace quillon {

inline constexpr int kTwipsPerPixel = 15;

class LayoutScale {
public:
    constexpr LayoutScale() = default;

    // The smallest scale at which `twips` make `wanted` pixels; `twips` > 0.
    static constexpr LayoutScale toReach(int twips, int wanted) {
        return LayoutScale(std::int64_t{wanted} * kTwipsPerPixel, twips);
    }

    double factor() const {
        return static_cast<double>(numerator_) / static_cast<double>(denominator_);
    }

    friend constexpr bool operator<(const LayoutScale& a, const LayoutScale& b) {
        return a.numerator_ * b.denominator_ < b.numerator_ * a.denominator_;
    }

    friend constexpr int pixels(int twips, const LayoutScale& scale);

private:
    constexpr LayoutScale(std::int64_t numerator, std::int64_t denominator)
        : numerator_(numerator), denominator_(denominator) {}

    std::int64_t numerator_ = 1;
    std::int64_t denominator_ = 1;
};

// The twips as whole pixels at `scale` (by default none: 15 twips a pixel), rounded down;
// non-negative twips.
constexpr int pixels(int twips, const LayoutScale& scale = LayoutScale()) {
    return static_cast<int>(twips * scale.numerator_ / (kTwipsPerPixel * scale.denominator_));
}

}  // namespace quillon
