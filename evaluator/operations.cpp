#include "operations.h"

#include <array>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace quillon {

namespace {

using NameIndex = std::unordered_map<std::string_view, const CatalogueEntry*>;

// The entries of each mode's form of the list by name, gathered once.
const NameIndex& entriesOf(Mode mode) {
    static const std::array<NameIndex, 2> indices = [] {
        std::array<NameIndex, 2> built;
        for (const CatalogueEntry* entry : everyEntry()) {
            built[static_cast<std::size_t>(entry->mode)].emplace(entry->name, entry);
        }
        return built;
    }();
    return indices[static_cast<std::size_t>(mode)];
}

}  // namespace

std::span<const CatalogueEntry* const> everyEntry() {
    static const std::vector<const CatalogueEntry*> entries = [] {
        std::vector<const CatalogueEntry*> gathered;
        for (const CatalogueBlock& block : allBlocks()) {
            // A block's rows hold their form's mode (makeBlock), so each entry tells its form.
            for (const Mode form : {Mode::TwoNumbers, Mode::OneNumber}) {
                for (const CatalogueEntry& entry : block.entries(form)) {
                    gathered.push_back(&entry);
                }
            }
        }
        return gathered;
    }();
    return entries;
}

Mode modeOf(std::int16_t NumberMode) {
    return NumberMode == 2 ? Mode::TwoNumbers : Mode::OneNumber;
}

const CatalogueEntry* findOperation(std::string_view name, Mode mode) {
    const NameIndex& entries = entriesOf(mode);
    const auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
}

}  // namespace quillon
