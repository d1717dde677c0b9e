// The window's menus and keys: the menu bar's items and the checked mode, F10, Escape, Ctrl+Q,
// Tab's order, Return and Enter, and First hidden and shown by "Number of Figures".
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <utility>
#include <vector>

#include "window_fixture.h"

namespace quillon {
namespace {

TEST_F(WindowTest, TabVisitsFirstOperationSecondAnswerDoItAndNeverBar) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box("First")->setFocus();
    std::vector<QString> visited;
    for (int i = 0; i < 6; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (focus == operation()->lineEdit()) {
            focus = operation();
        }
        visited.push_back(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    const std::vector<QString> expected = {"First",  "Operation", "Second",
                                           "Answer", "DoIt",      "First"};
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(widget("Bar")->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, MenusHoldTheirItemsInOrderWithoutShortcutKeys) {
    const QList<QAction*> menus = form.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Add Operations"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Number of Figures"));
    const QStringList addItems = {"Relational Operators",  "Bitwise and Logical Operators",
                                  "Statistical Operators", "Unit Conversion",
                                  "Exponential Operators", "Trigonometry",
                                  "Miscellaneous"};
    const QStringList numberItems = {"One Number", "Two Numbers"};
    for (const auto& [menu, texts] :
         {std::pair{menus[0]->menu(), addItems}, std::pair{menus[1]->menu(), numberItems}}) {
        ASSERT_NE(menu, nullptr);
        QStringList seen;
        for (const QAction* item : menu->actions()) {
            seen.push_back(item->text());
            EXPECT_TRUE(item->shortcut().isEmpty());
            // Only the mode is a choice, shown checked.
            EXPECT_EQ(item->isCheckable(), texts == numberItems);
            EXPECT_TRUE(item->isEnabled());
        }
        EXPECT_EQ(seen, texts);
    }
}

TEST_F(WindowTest, TheNumberOfFiguresItemOfTheCurrentModeIsChecked) {
    const auto checked = [this] {
        return std::pair{form.numberMenuItem(1)->isChecked(), form.numberMenuItem(2)->isChecked()};
    };
    EXPECT_EQ(checked(), std::pair(false, true));
    for (const int item : {1, 1, 2, 1}) {
        form.numberMenuItem(item)->trigger();
        EXPECT_EQ(checked(), std::pair(item == 1, item == 2)) << item;
    }
}

TEST_F(WindowTest, F10OpensTheMenusArrowsMoveReturnChoosesAndEscapeGivesTheFocusBack) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box("Second")->setFocus();
    QTest::keyClick(box("Second"), Qt::Key_F10);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->title(), QStringLiteral("Add Operations"));
    QTest::keyClick(popup, Qt::Key_Right);
    popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->title(), QStringLiteral("Number of Figures"));
    // Return chooses the highlighted item: the first, "One Number".
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(form.numberMode(), 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(box("Second"), Qt::Key_F10);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), box("Second"));
    EXPECT_FALSE(form.menuBar()->hasFocus());
}

// From the keyboard, each menu opens with its first item highlighted (where a screen reader
// listens, a moment after its title, which the screen-reader scenario checks). Left and Right
// go round the ends. However the menus were moved in, Escape gives the focus back.
TEST_F(WindowTest, KeysOpenEachMenuWithItsFirstItemAndEscapeGivesTheFocusBack) {
    struct Case {
        std::vector<Qt::Key> keys;  // after F10
        const char* menu;
        const char* item;  // highlighted in the end
    };
    const std::vector<Case> cases = {
        {{}, "Add Operations", "Relational Operators"},
        {{Qt::Key_Right}, "Number of Figures", "One Number"},
        {{Qt::Key_Right, Qt::Key_Right}, "Add Operations", "Relational Operators"},
        {{Qt::Key_Left}, "Number of Figures", "One Number"},
        {{Qt::Key_Down}, "Add Operations", "Bitwise and Logical Operators"},
        {{Qt::Key_Right, Qt::Key_Down}, "Number of Figures", "Two Numbers"},
        {{Qt::Key_Down, Qt::Key_Right}, "Number of Figures", "One Number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        // As the display gives the window back the keyboard when a menu that had it closes;
        // synthetic keys leave that closed menu the active window, where F10 is not taken.
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        box("Second")->setFocus();
        QTest::keyClick(box("Second"), Qt::Key_F10);
        for (const Qt::Key key : c.keys) {
            ASSERT_NE(QApplication::activePopupWidget(), nullptr) << key;
            QTest::keyClick(QApplication::activePopupWidget(), key);
        }
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->title(), QString::fromUtf8(c.menu));
        ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->activeAction() != nullptr; }));
        EXPECT_EQ(popup->activeAction()->text(), QString::fromUtf8(c.item));
        EXPECT_FALSE(box("Second")->hasFocus());
        QTest::keyClick(popup, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        ASSERT_EQ(form.focusWidget(), box("Second"));
    }
}

// A menu opened by a click holds the focus while menus are open, as one opened by F10, and
// gives it back when they close: no box is reported focused as Right moves to the next menu.
TEST_F(WindowTest, AMenuOpenedByTheMouseHoldsTheFocusUntilTheMenusClose) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box("First")->setFocus();
    QMenuBar* bar = form.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->title(), QStringLiteral("Add Operations"));
    EXPECT_TRUE(bar->hasFocus());
    QTest::keyClick(popup, Qt::Key_Right);
    popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->title(), QStringLiteral("Number of Figures"));
    EXPECT_TRUE(bar->hasFocus());
    QTest::keyClick(popup, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form.focusWidget(), box("First"));
    EXPECT_FALSE(bar->hasFocus());
}

TEST_F(WindowTest, CtrlQClosesTheWindow) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(box("Second"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowTest, HidingFirstKeepsItsText) {
    form.setText(Box::First, "12.5");
    form.numberMenuItem(1)->trigger();
    EXPECT_FALSE(box("First")->isVisible());
    form.numberMenuItem(2)->trigger();
    EXPECT_TRUE(box("First")->isVisible());
    EXPECT_EQ(form.text(Box::First), "12.5");
}

TEST_F(WindowTest, ReturnAndKeypadEnterPressDoIt) {
    form.setText(Box::First, "7");
    form.setText(Box::Second, "2");
    select("\u00F7");
    const std::vector<QWidget*> fields = {box("First"), box("Second"),           box("Answer"),
                                          operation(),  operation()->lineEdit(), widget("DoIt")};
    for (QWidget* field : fields) {
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Return, Qt::KeyboardModifiers(Qt::NoModifier)},
              std::pair{Qt::Key_Enter, Qt::KeyboardModifiers(Qt::KeypadModifier)}}) {
            form.setText(Box::Answer, "x");
            QTest::keyClick(field, key, modifiers);
            EXPECT_EQ(answer(), "3.5") << field->objectName().toStdString() << " " << key;
        }
    }
    EXPECT_EQ(operation()->count(), 4);
}

}  // namespace
}  // namespace quillon
