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

MemoryControls::MemoryControls()
    : first_(startText(boxName(Box::First))),
      second_(startText(boxName(Box::Second))),
      answer_(startText(boxName(Box::Answer))),
      editText_(startText("Operation")) {}

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
