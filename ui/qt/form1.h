// Form1: the main window. It holds the client area (ClientArea) and the menu bar (MenuBar),
// both built from the look, gives them what they do, and adapts its widgets to the control
// operations that the evaluator and the menu handlers use.
// It adds no rules of its own: every press of "Do It!" and every menu item runs a handler.
// How the window looks (each control's place in twips, colour, font and tab order, the menu
// tree) is the toolkit-free table of look.h.
#pragma once

#include <QMainWindow>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "controls.h"
#include "failure.h"

class QAction;
class QLineEdit;
class QPushButton;

namespace quillon {

class AnswerAnnouncer;
class BoxValidator;
class ClientArea;
class MenuBar;
class OperationBox;

class Form1 final : public QMainWindow, public Controls {
public:
    // Shows an evaluation failure to the user; the default opens a message box titled
    // "Quillon" with the failure's message.
    using FailureReporter = std::function<void(const Failure&)>;

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Replaces how failures are shown, e.g. by a recorder in tests.
    void setFailureReporter(FailureReporter reporter);

    std::int16_t numberMode() const { return numberMode_; }

    // Item `index` (from 1) of menu `menu` (from 0, left to right as in the look), or null.
    QAction* menuItem(std::size_t menu, int index) const;
    // The items of "Number of Figures" (1, 2) and "Add Operations" (1 to 7).
    QAction* numberMenuItem(int index) const { return menuItem(1, index); }
    QAction* addMenuItem(int index) const { return menuItem(0, index); }

    // The factor by which the window and all its controls have grown from their twips so that
    // the desktop's text shows whole in them: 1 where nothing needs more.
    double layoutScale() const;

    // The control operations, on the widgets.
    std::string text(Box box) const override;
    void setText(Box box, const std::string& text) override;
    bool firstVisible() const override;
    void setFirstVisible(bool visible) override;
    int listCount() const override;
    void addItem(const std::string& text) override;
    std::string editText() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::string entryText(int index) const override;
    void removeEntry(int index) override;

    // The widgets as the window's description shows them, then what they do.
    void buildControls();
    void connectControls();
    void connectKeys();
    // Fits the client area to the desktop's text and the menu bar's titles.
    void fitToText();
    QLineEdit* box(Box box) const;
    void showOperationTip();
    // Runs the evaluator for a press of "Do It!" and reports its failure, if any.
    void pressDoIt();

    ClientArea* client_ = nullptr;
    MenuBar* menus_ = nullptr;
    std::array<QLineEdit*, 3> boxes_{};  // First, Second and Answer, in the order of Box
    OperationBox* operation_ = nullptr;
    QPushButton* doIt_ = nullptr;
    AnswerAnnouncer* announcer_ = nullptr;  // tells screen readers each answer
    // The validators of First, Second and Answer, in the order of Box.
    std::array<BoxValidator*, 3> validators_{};

    bool fitPending_ = false;  // a fit after a change of style is on its way

    std::int16_t numberMode_ = 0;
    FailureReporter reporter_;
};

}  // namespace quillon
