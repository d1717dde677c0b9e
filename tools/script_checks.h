// What must hold after every command of a script, however hostile its input: the checks the
// fuzzer makes after each command, usable by the tests on any script as well.
//
// - No press of "Do It!" runs its loops more than kLoopPassBound passes.
// - A press changes First and Second only by the "%" recall.
// - The list of Operation starts with the basic block of the current mode.
// - The menus leave the texts of the boxes alone.
// - Every printed line is JSON; a click's line shows the boxes exactly, in valid UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls.h"

namespace quillon {

// The most loop passes one press may run. Legitimate loops stop far below it: the 16-bit step
// counter of the 3n + 1 counter overflows past 32767, and the counting loops stop within a few
// hundred passes.
inline constexpr std::uint64_t kLoopPassBound = 40000;

// The texts of the three boxes at one moment.
struct BoxTexts {
    std::string first;
    std::string second;
    std::string answer;

    static BoxTexts of(const Controls& controls);
    friend bool operator==(const BoxTexts&, const BoxTexts&) = default;
};

// Each check returns what is wrong, or nothing when all is well.

std::optional<std::string> checkLoopPasses(std::uint64_t passes);

// A box that a press changed held a "%" before it and now holds the Answer of before; in
// one-number mode (any NumberMode but 2) First never changes.
std::optional<std::string> checkRecall(const BoxTexts& before, const BoxTexts& after,
                                       std::int16_t NumberMode);

// The list starts with the basic block of the mode, entry for entry.
std::optional<std::string> checkBasicBlock(const Controls& controls, std::int16_t NumberMode);

// Whether a printed line is one JSON value in valid UTF-8, as read by a JSON library: a text
// written into it must not break a literal, nor leave a control character or malformed UTF-8.
bool isJsonLine(std::string_view line);

// A click's line is a JSON object whose members "first", "second" and "answer" are each
// exactly the text of its box, and every box holds valid UTF-8.
std::optional<std::string> checkClickLine(std::string_view line, const BoxTexts& boxes);

// Runs a script on a freshly loaded headless window, line by line as the scripted driver does,
// and checks everything above after each command. Returns the first violation, with its line
// number, or nothing.
std::optional<std::string> findViolation(std::string_view script);

}  // namespace quillon
