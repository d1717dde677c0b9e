// The scripted driver's target that acts on the real window, as a user would: menu items
// through their actions, typing as key presses, the list through the combo box and "Do It!"
// as a mouse click. Failures are taken from the window's reporter instead of a message box.
#pragma once

#include <memory>
#include <optional>

#include "replay.h"

class QLineEdit;

namespace quillon {

class Form1;

class WindowTarget : public ReplayTarget {
public:
    // Needs a running QApplication.
    WindowTarget();
    ~WindowTarget() override;

    void chooseNumberItem(std::int16_t index) override;
    void chooseAddItem(std::int16_t index) override;
    void setText(Box box, const std::string& text) override;
    void typeText(Box box, const std::string& text) override;
    void typeOverText(Box box, const std::string& text) override;
    void selectIndex(int index) override;
    void editOperation(const std::string& text) override;
    std::optional<Failure> pressDoIt() override;

    const Controls& controls() const override;
    std::int16_t numberMode() const override;

private:
    QLineEdit* boxEdit(Box box) const;

    std::unique_ptr<Form1> form_;
    std::optional<Failure> reported_;
};

}  // namespace quillon
