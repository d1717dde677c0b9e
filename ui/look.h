// What the window looks like, as data that any front-end reads: the client area, each
// control's kind, name, initial text, place and size in twips, background colour, font, tab
// index and typing limit, the colours of text on the fixed backgrounds, and the menu tree with
// the handler each menu's items run. A front-end builds its widgets from this table and asks
// the functions below, never deciding these things itself.
//
// Geometry is in twips (1/1440 inch): at 96 dots per inch, 15 twips make one pixel
// (layout_scale.h converts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "controls.h"
#include "layout_scale.h"
#include "typing.h"

namespace quillon {

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

// The colours of text on a control's fixed background, whatever the desktop's theme: the text
// itself, and selected text on its selection.
struct TextColours {
    Rgb text;
    Rgb selection;
    Rgb selectedText;
};

struct FontLook {
    std::string_view family;
    int points;
    int weight;  // 400 regular, 700 bold
};

// What choosing item `Index` (from 1) of a menu does to the controls and the mode.
using MenuHandler = void (*)(Controls& controls, std::int16_t& NumberMode, std::int16_t Index);
// The item (from 1) of an exclusive menu shown checked under NumberMode.
using CheckedItem = std::int16_t (*)(std::int16_t NumberMode);

// A top-level menu and its items, whose index counts from 1.
struct MenuLook {
    std::string_view name;      // the top-level menu's name
    std::string_view caption;   // its caption on the menu bar
    std::string_view itemName;  // the items' name, followed by the index in each item's name
    std::span<const std::string_view> items;
    MenuHandler click;  // what every item runs, given its index
    // The items are an exclusive choice, and the one in force is shown checked: the one that
    // checkedItem names, after Form_Load and after every click of any menu.
    bool exclusive = false;
    CheckedItem checkedItem = nullptr;
};

struct WindowLook {
    std::string_view caption;
    int clientWidth;  // twips
    int clientHeight;
    Rgb background;
    TextColours fixedText;  // on every control with a fixed background
    FontLook boxFont;
    std::span<const ControlLook> controls;  // in the order they are built, the lowest first
    std::span<const MenuLook> menus;        // from left to right
};

const WindowLook& windowLook();

// The look of the control named `name`, or null when the window has none of that name.
const ControlLook* controlLook(std::string_view name);

// The name a screen reader announces for a control: the button's caption, else its name.
std::string_view accessibleName(const ControlLook& control);

// Every control in the order the focus visits them (by tab index), followed by those that
// take no focus, in the table's order.
std::vector<const ControlLook*> tabOrder();

}  // namespace quillon
