#include "handlers.h"

#include <span>
#include <string>

namespace quillon {

namespace {

void append(Controls& controls, std::span<const CatalogueEntry> entries) {
    for (const CatalogueEntry& entry : entries) {
        controls.addItem(std::string(entry.name));
    }
}

}  // namespace

std::string_view operationTip(std::string_view name, Mode mode) {
    const CatalogueEntry* entry = findOperation(name, mode);
    return entry == nullptr ? std::string_view() : entry->tip;
}

std::string operationDescription(std::string_view tip, std::size_t count) {
    std::string said(tip);
    if (!said.empty()) {
        said += ", ";
    }
    said += std::to_string(count);
    said += count == 1 ? " operation" : " operations";
    return said;
}

void Form_Load(Controls& controls, std::int16_t& NumberMode) {
    if (NumberMode == 0) {
        NumberMode = 2;
    }
    append(controls, basicBlock().entries(Mode::TwoNumbers));
}

void mnuNum_Click(Controls& controls, std::int16_t& NumberMode, std::int16_t Index) {
    NumberMode = Index;
    if (Index == 2) {
        controls.setFirstVisible(true);
    } else if (Index == 1) {
        controls.setFirstVisible(false);
    }
    // The count is read once; each pass removes the first entry.
    const auto count = static_cast<std::int16_t>(controls.listCount());
    for (std::int16_t pass = 0; pass <= count - 1; ++pass) {
        controls.removeItem(0);
    }
    // Index 1 gives the one-number block; any other the two-number block.
    append(controls, basicBlock().entries(Index == 1 ? Mode::OneNumber : Mode::TwoNumbers));
}

std::int16_t checkedNumberItem(std::int16_t NumberMode) {
    return modeOf(NumberMode) == Mode::TwoNumbers ? 2 : 1;
}

void mnuAdd_Click(Controls& controls, std::int16_t NumberMode, std::int16_t Index) {
    const Mode mode = modeOf(NumberMode);
    const CatalogueBlock& basic = basicBlock();
    // Keeps the basic block by position: its entries stay, the rest go. The bound is read once,
    // before the first pass.
    const auto count = static_cast<std::int16_t>(controls.listCount());
    const auto kept = static_cast<std::int16_t>(basic.entries(mode).size());
    for (std::int16_t pass = kept - 1; pass <= count - 2; ++pass) {
        controls.removeItem(kept);
    }
    const std::span<const CatalogueBlock> all = categories();
    if (Index < 1 || Index > static_cast<std::int16_t>(all.size())) {
        return;
    }
    const CatalogueBlock& category = all[static_cast<std::size_t>(Index - 1)];
    append(controls, category.entries(mode));
}

}  // namespace quillon
