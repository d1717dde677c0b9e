#include "memory_controls.h"

#include <cstddef>
#include <string_view>

#include "look.h"

namespace quillon {

namespace {

std::string startText(std::string_view name) {
    return std::string(controlLook(name)->text);
}

}  // namespace

MemoryControls::MemoryControls() : editText_(startText("Operation")) {
    for (const Box box : {Box::First, Box::Second, Box::Answer}) {
        texts_[static_cast<std::size_t>(box)] = startText(boxName(box));
    }
}

std::string MemoryControls::entryText(int index) const {
    return entries_[static_cast<std::size_t>(index)];
}

void MemoryControls::addItem(const std::string& text) {
    entries_.push_back(text);
}

void MemoryControls::removeEntry(int index) {
    entries_.erase(entries_.begin() + index);
}

}  // namespace quillon
