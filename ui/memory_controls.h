// Controls held in memory: the window without a window, for the tests and the scripted driver.
// It starts with the texts of the look table, as the window does.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "controls.h"

namespace quillon {

class MemoryControls : public Controls {
public:
    MemoryControls();

    std::string text(Box box) const override { return texts_[static_cast<std::size_t>(box)]; }
    void setText(Box box, const std::string& text) override {
        texts_[static_cast<std::size_t>(box)] = text;
    }
    bool firstVisible() const override { return firstVisible_; }
    void setFirstVisible(bool visible) override { firstVisible_ = visible; }
    int listCount() const override { return static_cast<int>(entries_.size()); }
    void addItem(const std::string& text) override;
    std::string editText() const override { return editText_; }

    // What the user can do besides the handlers' operations.
    const std::vector<std::string>& entries() const { return entries_; }
    // Replaces the edit field's text; an equal entry becomes the selected one.
    void setEditText(const std::string& text) { editText_ = text; }

private:
    std::string entryText(int index) const override;
    void removeEntry(int index) override;

    std::array<std::string, 3> texts_;  // the boxes' texts, in the order of Box
    bool firstVisible_ = true;
    std::vector<std::string> entries_;
    std::string editText_;
};

}  // namespace quillon
