// Controls held in memory: the window without a window, for tests and the scripted driver.
#pragma once

#include <string>
#include <vector>

#include "controls.h"

namespace quillon {

class MemoryControls : public Controls {
public:
    MemoryControls();

    std::string text(Box box) const override;
    void setText(Box box, const std::string& text) override;
    bool firstVisible() const override { return firstVisible_; }
    void setFirstVisible(bool visible) override { firstVisible_ = visible; }
    int listCount() const override { return static_cast<int>(entries_.size()); }
    int listIndex() const override;
    std::string listText(int index) const override;
    void addItem(const std::string& text) override;
    void removeItem(int index) override;

    // What the user can do besides the handlers' operations.
    const std::vector<std::string>& entries() const { return entries_; }
    const std::string& editText() const { return editText_; }
    // Replaces the edit field's text; an equal entry becomes the selected one.
    void setEditText(const std::string& text) { editText_ = text; }

private:
    std::string first_ = "0";
    std::string second_ = "0";
    std::string answer_ = "0";
    bool firstVisible_ = true;
    std::vector<std::string> entries_;
    std::string editText_ = std::string(kChooseOperation);
};

}  // namespace quillon
