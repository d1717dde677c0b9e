#include "controls.h"

#include <stdexcept>

namespace quillon {

namespace {

void checkEntry(const Controls& controls, int index) {
    if (index < 0 || index >= controls.listCount()) {
        throw std::out_of_range("no entry at that index of Operation");
    }
}

}  // namespace

int Controls::listIndex() const {
    const std::string shown = editText();
    for (int index = 0; index < listCount(); ++index) {
        if (entryText(index) == shown) {
            return index;
        }
    }
    return -1;
}

std::string Controls::listText(int index) const {
    if (index == -1) {
        return editText();
    }
    checkEntry(*this, index);
    return entryText(index);
}

void Controls::removeItem(int index) {
    checkEntry(*this, index);
    removeEntry(index);
}

}  // namespace quillon
