// The menus' texts and the handlers that keep the list of Operation: Form_Load at start-up,
// mnuNum_Click ("Number of Figures") and mnuAdd_Click ("Add Operations"). They work through the
// control operations only and hold no toolkit code.
//
// The list of Operation always starts with the basic block of the current mode, followed by
// at most one category block: the one chosen last since the mode was last set. The blocks, with
// their entries, are the evaluator's tables (operations.h: basicBlock(), categories()).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "controls.h"
#include "operations.h"

namespace quillon {

// The captions of the "Number of Figures" items, index 1 and 2.
std::span<const std::string_view> numberCaptions();
// The caption of each top-level menu.
inline constexpr std::string_view kAddMenuCaption = "Add Operations";
inline constexpr std::string_view kNumberMenuCaption = "Number of Figures";

// The tooltip of an operation name (or of the placeholder entry); empty for any other text.
std::string_view operationTip(std::string_view name);

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
