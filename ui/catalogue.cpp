#include "catalogue.h"

#include <array>
#include <string>

namespace quillon {

namespace {

constexpr std::array<std::string_view, 2> kNumberCaptions = {"One Number", "Two Numbers"};

void append(Controls& controls, std::span<const CatalogueEntry> entries) {
    for (const CatalogueEntry& entry : entries) {
        controls.addItem(std::string(entry.name));
    }
}

// The entry of that name in a form of a block, if it has one.
const CatalogueEntry* find(std::span<const CatalogueEntry> entries, std::string_view name) {
    for (const CatalogueEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

const CatalogueEntry* find(const CatalogueBlock& block, std::string_view name) {
    const CatalogueEntry* entry = find(block.twoNumbers, name);
    return entry != nullptr ? entry : find(block.oneNumber, name);
}

}  // namespace

std::string_view operationTip(std::string_view name) {
    if (const CatalogueEntry* entry = find(basicBlock(), name)) {
        return entry->tip;
    }
    for (const CatalogueBlock& category : categories()) {
        if (const CatalogueEntry* entry = find(category, name)) {
            return entry->tip;
        }
    }
    return {};
}

std::span<const std::string_view> numberCaptions() {
    return kNumberCaptions;
}

void Form_Load(Controls& controls, std::int16_t& NumberMode) {
    if (NumberMode == 0) {
        NumberMode = 2;
    }
    append(controls, basicBlock().twoNumbers);
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
    append(controls, Index == 1 ? basicBlock().oneNumber : basicBlock().twoNumbers);
}

void mnuAdd_Click(Controls& controls, std::int16_t NumberMode, std::int16_t Index) {
    const bool twoNumbers = NumberMode == 2;
    const CatalogueBlock& basic = basicBlock();
    // Keeps the basic block by position: its entries stay, the rest go. The bound is read once,
    // before the first pass.
    const auto count = static_cast<std::int16_t>(controls.listCount());
    const auto kept =
        static_cast<std::int16_t>(twoNumbers ? basic.twoNumbers.size() : basic.oneNumber.size());
    for (std::int16_t pass = kept - 1; pass <= count - 2; ++pass) {
        controls.removeItem(kept);
    }
    const std::span<const CatalogueBlock> all = categories();
    if (Index < 1 || Index > static_cast<std::int16_t>(all.size())) {
        return;
    }
    const CatalogueBlock& category = all[static_cast<std::size_t>(Index - 1)];
    append(controls, twoNumbers ? category.twoNumbers : category.oneNumber);
}

}  // namespace quillon
