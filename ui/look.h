// What the window looks like, as data that any front-end reads: the client area, each
// control's kind, name, initial text, place and size in twips, background colour, font, tab
// index and typing limit, and the menu tree's captions. Nothing here says what a control does.
//
// Geometry is in twips (1/1440 inch): at 96 dots per inch, 15 twips make one pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "typing.h"

namespace quillon {

inline constexpr int kTwipsPerPixel = 15;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Left and top edges measured from the client area's top left corner, then width and height.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

enum class ControlKind { Box, List, Button, Line };

struct ControlLook {
    ControlKind kind;
    // The control's name, by which the handlers' front-end finds it; for every control but
    // the button (whose caption names it) also the name a screen reader announces.
    std::string_view name;
    std::string_view text;  // the initial text, or the button's caption
    TwipRect twips;
    // The background, where the control has a fixed one; for the line, its colour. None: the
    // desktop theme's.
    std::optional<Rgb> background;
    bool boxFont;  // the boxes' font, or the toolkit's default
    int tabIndex;  // the place in the focus order; -1: takes no focus
    // What the control holds, for its tooltip and for screen readers; empty for none.
    std::string_view description = {};
    // The most UTF-16 code units the user may type or paste into a box; the program's own
    // writes are never limited.
    std::size_t typingLimit = kNoTypingLimit;
};

struct FontLook {
    std::string_view family;
    int points;
    int weight;  // 400 regular, 700 bold
};

// A top-level menu and its items, whose index counts from 1.
struct MenuLook {
    std::string_view name;      // the top-level menu's name
    std::string_view caption;   // its caption on the menu bar
    std::string_view itemName;  // the items' name, followed by the index in each item's name
    std::span<const std::string_view> items;
    // The items are an exclusive choice, and the one in force is shown checked.
    bool exclusive = false;
};

struct WindowLook {
    std::string_view caption;
    int clientWidth;  // twips
    int clientHeight;
    Rgb background;
    FontLook boxFont;
    std::span<const ControlLook> controls;  // in the order they are built, the lowest first
    std::span<const MenuLook> menus;        // from left to right
};

const WindowLook& windowLook();

// The look of the control named `name`, or null when the window has none of that name.
const ControlLook* controlLook(std::string_view name);

// The twips as whole pixels, rounded down, at 15 twips a pixel.
constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

}  // namespace quillon
