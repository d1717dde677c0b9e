#include "memory_controls.h"

#include <algorithm>
#include <stdexcept>

namespace quillon {

MemoryControls::MemoryControls() = default;

std::string MemoryControls::text(Box box) const {
    switch (box) {
        case Box::First:
            return first_;
        case Box::Second:
            return second_;
        case Box::Answer:
            return answer_;
    }
    return {};
}

void MemoryControls::setText(Box box, const std::string& text) {
    switch (box) {
        case Box::First:
            first_ = text;
            break;
        case Box::Second:
            second_ = text;
            break;
        case Box::Answer:
            answer_ = text;
            break;
    }
}

int MemoryControls::listIndex() const {
    const auto found = std::find(entries_.begin(), entries_.end(), editText_);
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

std::string MemoryControls::listText(int index) const {
    if (index == -1) {
        return editText_;
    }
    return entries_.at(static_cast<std::size_t>(index));
}

void MemoryControls::addItem(const std::string& text) {
    entries_.push_back(text);
}

void MemoryControls::removeItem(int index) {
    if (index < 0 || index >= listCount()) {
        throw std::out_of_range("no entry at that index of Operation");
    }
    entries_.erase(entries_.begin() + index);
}

}  // namespace quillon
