#include "operations.h"

#include <array>
#include <cstddef>
#include <unordered_map>

namespace quillon {

namespace {

using NameIndex = std::unordered_map<std::string_view, const CatalogueEntry*>;

// The entries of each mode's form of the list by name, gathered once from every block.
const NameIndex& entriesOf(Mode mode) {
    static const std::array<NameIndex, 2> indices = [] {
        std::array<NameIndex, 2> built;
        for (const CatalogueBlock& block : allBlocks()) {
            for (const Mode form : {Mode::TwoNumbers, Mode::OneNumber}) {
                for (const CatalogueEntry& entry : block.entries(form)) {
                    built[static_cast<std::size_t>(form)].emplace(entry.name, &entry);
                }
            }
        }
        return built;
    }();
    return indices[static_cast<std::size_t>(mode)];
}

}  // namespace

Mode modeOf(std::int16_t NumberMode) {
    return NumberMode == 2 ? Mode::TwoNumbers : Mode::OneNumber;
}

const CatalogueEntry* findOperation(std::string_view name, Mode mode) {
    const NameIndex& entries = entriesOf(mode);
    const auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
}

}  // namespace quillon
