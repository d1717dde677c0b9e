// The catalogue of operation names and the handlers that keep the list of Operation:
// Form_Load at start-up, mnuNum_Click ("Number of Figures") and mnuAdd_Click ("Add
// Operations"). They work through the control operations only and hold no toolkit code.
//
// The list of Operation always starts with the basic block of the current mode, followed by
// at most one category block: the one chosen last since the mode was last set.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "controls.h"

namespace quillon {

// One entry of the catalogue: the operation's exact name and a one-line description of what it
// computes, shown as the entry's tooltip.
struct CatalogueEntry {
    std::string_view name;
    std::string_view tip;
};

// A block of entries offered together, in its two-number and one-number form.
struct CatalogueBlock {
    std::string_view caption;  // the menu item that adds it; empty for the basic block
    std::span<const CatalogueEntry> twoNumbers;
    std::span<const CatalogueEntry> oneNumber;
};

// The basic block of both modes.
const CatalogueBlock& basicBlock();
// The seven categories of "Add Operations", index 1 to 7 as on the menu.
std::span<const CatalogueBlock> categories();
// The captions of the "Number of Figures" items, index 1 and 2.
std::span<const std::string_view> numberCaptions();
// The caption of each top-level menu.
inline constexpr std::string_view kAddMenuCaption = "Add Operations";
inline constexpr std::string_view kNumberMenuCaption = "Number of Figures";

// The tooltip of an operation name (or of the placeholder entry); empty for any other text.
std::string_view operationTip(std::string_view name);

// The entry of the one-number form of a category that has no one-number operators.
inline constexpr std::string_view kNoOperators = "NO OPERATORS";

// Sets two-number mode if no mode is set yet and appends the two-number basic block. The list
// is not cleared first and no entry is selected.
void Form_Load(Controls& controls, std::int16_t& NumberMode);

// "Number of Figures": Index 1 is one-number mode (First hidden), 2 two-number mode (First
// shown). Empties the list and appends the basic block of the new mode.
void mnuNum_Click(Controls& controls, std::int16_t& NumberMode, std::int16_t Index);

// "Add Operations": trims the list back to the basic block of the current mode and appends
// category Index (1 to 7) in that mode's form; any other Index appends nothing.
void mnuAdd_Click(Controls& controls, std::int16_t NumberMode, std::int16_t Index);

}  // namespace quillon
