// The list of Operation and the handlers that keep it: Form_Load at start-up, mnuNum_Click
// ("Number of Figures") and mnuAdd_Click ("Add Operations"). They work through the control
// operations only, on the tables of operations.h, so any front-end runs the same handlers.
//
// The list of Operation always starts with the basic block of the current mode, followed by
// at most one category block: the one chosen last since the mode was last set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "controls.h"
#include "operations.h"

namespace quillon {

// The tooltip of an entry of the list in that mode; empty for any other text.
std::string_view operationTip(std::string_view name, Mode mode);

// What a screen reader says of Operation beside its name when it gets the focus: the tooltip
// of the chosen entry, if any, then how many entries the list holds ("First divided by
// Second, 4 operations"). Both front-ends say it in these words.
std::string operationDescription(std::string_view tip, std::size_t count);

// Sets two-number mode if no mode is set yet and appends the two-number basic block. The list
// is not cleared first and no entry is selected.
void Form_Load(Controls& controls, std::int16_t& NumberMode);

// "Number of Figures": Index 1 is one-number mode (First hidden), 2 two-number mode (First
// shown). Empties the list and appends the basic block of the new mode.
void mnuNum_Click(Controls& controls, std::int16_t& NumberMode, std::int16_t Index);

// The item of "Number of Figures" shown checked under NumberMode: 2 ("Two Numbers") in
// two-number mode, 1 ("One Number") under every other value.
std::int16_t checkedNumberItem(std::int16_t NumberMode);

// "Add Operations": trims the list back to the basic block of the current mode and appends
// category Index (1 to 7) in that mode's form; any other Index appends nothing.
void mnuAdd_Click(Controls& controls, std::int16_t NumberMode, std::int16_t Index);

}  // namespace quillon
