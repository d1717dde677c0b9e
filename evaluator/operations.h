// The operations of the list of Operation: one table per "Add Operations" category and one for
// the basic block, each in its own file under operations/, named after the menu item.
//
// A row holds everything about one operation: its exact name, its mode, the tooltip and the
// steps. The catalogue's handlers build the list from these tables, and DoIt_Click looks the
// selected entry's text up in the same tables, so every name is written once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillon {

struct Evaluation;

enum class Mode { OneNumber, TwoNumbers };

// One entry of the list: the operation's exact name, the mode it belongs to, a one-line
// description of what it computes (the entry's tooltip), and its steps.
struct CatalogueEntry {
    std::string_view name;
    Mode mode;
    std::string_view tip;
    // Null only for the placeholder kNoOperators, which names no operation.
    void (*steps)(Evaluation&);
};

// The entry of the one-number form of a category that has no one-number operators.
inline constexpr std::string_view kNoOperators = "NO OPERATORS";

// A block of entries offered together, in its two-number and one-number form.
struct CatalogueBlock {
    std::string_view caption;  // the menu item that adds it; empty for the basic block
    std::span<const CatalogueEntry> twoNumbers;
    std::span<const CatalogueEntry> oneNumber;

    // The block's form for a mode.
    constexpr std::span<const CatalogueEntry> entries(Mode mode) const {
        return mode == Mode::TwoNumbers ? twoNumbers : oneNumber;
    }
};

// The block of a table written two-number rows first, each form in list order. A table in any
// other order does not compile.
consteval CatalogueBlock makeBlock(std::string_view caption, std::span<const CatalogueEntry> rows) {
    std::size_t twoNumbers = 0;
    while (twoNumbers < rows.size() && rows[twoNumbers].mode == Mode::TwoNumbers) {
        ++twoNumbers;
    }
    for (const CatalogueEntry& row : rows.subspan(twoNumbers)) {
        if (row.mode != Mode::OneNumber) {
            throw "a table lists its two-number rows first";
        }
    }
    return {caption, rows.first(twoNumbers), rows.subspan(twoNumbers)};
}

// The basic block of both modes: what Form_Load and "Number of Figures" put in the list.
const CatalogueBlock& basicBlock();

// The categories, one file each under operations/.
const CatalogueBlock& relationalOperators();
const CatalogueBlock& bitwiseAndLogicalOperators();
const CatalogueBlock& statisticalOperators();
const CatalogueBlock& unitConversion();
const CatalogueBlock& exponentialOperators();
const CatalogueBlock& trigonometry();
const CatalogueBlock& miscellaneous();

// Every block: the basic block first, then the categories in menu order.
inline std::span<const CatalogueBlock> allBlocks() {
    static const std::array list = {
        basicBlock(),           relationalOperators(), bitwiseAndLogicalOperators(),
        statisticalOperators(), unitConversion(),      exponentialOperators(),
        trigonometry(),         miscellaneous(),
    };
    return list;
}

// The categories of "Add Operations" in menu order: index 1 to 7 as on the menu.
inline std::span<const CatalogueBlock> categories() {
    return allBlocks().subspan(1);
}

// Every entry of every block, block by block, each block's two-number form before its
// one-number form: the one walk over the tables, for whatever needs every name.
std::span<const CatalogueEntry* const> everyEntry();

// The mode that NumberMode stands for: 2 is two-number mode, every other value one-number mode.
Mode modeOf(std::int16_t NumberMode);

// The one lookup over the tables: the entry of that exact name in a mode's form of the list
// (the placeholder kNoOperators included), or null. "Do It!" runs its steps; the window shows
// its tip.
const CatalogueEntry* findOperation(std::string_view name, Mode mode);

}  // namespace quillon
