// The window on Qt's offscreen platform (and on a real X server): its layout, colours, fonts
// and focus order, its look under other styles and palettes, the menus, typing and pasting,
// the keyboard, failure reports and tooltips. Widgets are found by their object names, as a
// screen reader or a test tool would find them.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>
#include <QtMath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

#include "form1.h"
#include "handlers.h"
#include "look.h"
#include "memory_controls.h"
#include "replay.h"
#include "window_target.h"

namespace quillon {
namespace {

std::vector<std::string> entriesOf(const Controls& controls) {
    std::vector<std::string> entries;
    for (int i = 0; i < controls.listCount(); ++i) {
        entries.push_back(controls.listText(i));
    }
    return entries;
}

// Every list a user can make: each mode's basic block alone (item 0), then with each category
// of "Add Operations" (items 1 to 7).
void forEveryList(Form1& form, const std::function<void(int mode, int item)>& check) {
    for (const int mode : {2, 1}) {
        form.numberMenuItem(mode)->trigger();
        for (int item = 0; item <= 7; ++item) {
            if (item > 0) {
                form.addMenuItem(item)->trigger();
            }
            check(mode, item);
        }
    }
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        form.setFailureReporter([this](const Failure& failure) { reported.push_back(failure); });
        form.show();
    }

    template <typename T = QWidget>
    T* widget(const char* name) {
        T* found = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* box(const char* name) { return widget<QLineEdit>(name); }
    QComboBox* operation() { return widget<QComboBox>("Operation"); }
    void select(const char* name) {
        const int index = operation()->findText(QString::fromUtf8(name), Qt::MatchExactly);
        ASSERT_NE(index, -1) << name;
        operation()->setCurrentIndex(index);
    }
    void click() { QTest::mouseClick(widget<QPushButton>("DoIt"), Qt::LeftButton); }
    std::string answer() { return form.text(Box::Answer); }

    Form1 form;
    std::vector<Failure> reported;
};

// The layout's fixed figures at 96 dpi, which the page's test reads too.
QJsonObject layoutPixels() {
    QFile file(QStringLiteral(QUILLON_SOURCE_DIR "/tests/layout_pixels.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

TEST_F(WindowTest, ControlsSitAtTheLayoutsFixedPixels) {
    const QJsonObject pixels = layoutPixels();
    const QJsonObject controls = pixels[QStringLiteral("controls")].toObject();
    EXPECT_EQ(controls.size(), std::ssize(windowLook().controls));
    for (auto at = controls.begin(); at != controls.end(); ++at) {
        const QJsonArray rect = at.value().toArray();
        QWidget* control = widget(at.key().toLatin1().constData());
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(),
                  QRect(rect[0].toInt(), rect[1].toInt(), rect[2].toInt(), rect[3].toInt()))
            << at.key().toStdString();
        // The button is announced by its caption, every other control by its name.
        EXPECT_EQ(control->accessibleName(),
                  at.key() == QStringLiteral("DoIt") ? QStringLiteral("Do It!") : at.key());
    }
    const QJsonArray client = pixels[QStringLiteral("client")].toArray();
    EXPECT_EQ(form.centralWidget()->size(), QSize(client[0].toInt(), client[1].toInt()));
    EXPECT_EQ(form.centralWidget()->y(), form.menuBar()->height());
    // The native window holds the menu bar and the client area, nothing more.
    ASSERT_NE(form.windowHandle(), nullptr);
    EXPECT_EQ(form.windowHandle()->size(),
              QSize(client[0].toInt(), form.menuBar()->height() + client[1].toInt()));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quillon"));
    EXPECT_FALSE(form.windowIcon().isNull());
}

// As for the toolkit's own combo box: the popup list, one item per entry in order, readable
// without opening it, then the edit field; the box keeps its name and shows its text as value.
TEST_F(WindowTest, TheListHandsOutItsEntriesAndItsFieldToScreenReaders) {
    form.numberMenuItem(1)->trigger();
    form.addMenuItem(4)->trigger();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(operation());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Operation"));
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("Choose Operation"));
    ASSERT_EQ(list->childCount(), 2);
    QAccessibleInterface* entries = list->child(0);
    ASSERT_NE(entries, nullptr);
    EXPECT_EQ(entries->role(), QAccessible::List);
    EXPECT_EQ(list->indexOfChild(entries), 0);
    std::vector<std::string> read;
    for (int i = 0; i < entries->childCount(); ++i) {
        read.push_back(entries->child(i)->text(QAccessible::Name).toStdString());
    }
    EXPECT_EQ(read, entriesOf(form));
    EXPECT_EQ(list->child(1)->role(), QAccessible::EditableText);
    EXPECT_EQ(list->indexOfChild(list->child(1)), 1);
}

TEST_F(WindowTest, TheWindowKeepsItsSizeWhenAskedToResize) {
    const QSize size = form.size();
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    form.resize(size.width() + 200, size.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), size);
    EXPECT_EQ(box("Answer")->geometry(), QRect(0, 48, 321, 19));
}

TEST_F(WindowTest, ColoursAtTheControlsCentres) {
    // The list's edit text would cover its centre; the colour is what is under it.
    operation()->setEditText(QString());
    const QImage image = form.centralWidget()->grab().toImage();
    ASSERT_EQ(image.size(), QSize(319, 82));
    struct Row {
        const char* what;
        QPoint at;
        QColor colour;
    };
    const Row rows[] = {
        {"First", {224, 9}, QColor(0, 255, 0)},       {"Second", {224, 25}, QColor(0, 255, 0)},
        {"Operation", {64, 26}, QColor(255, 255, 0)}, {"Answer", {160, 57}, QColor(0, 255, 255)},
        {"window", {300, 45}, QColor(255, 255, 255)}, {"window below First", {20, 8}, Qt::white},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(image.pixelColor(row.at), row.colour) << row.what;
    }
    // Bar is drawn in the line colour, dark on the white window.
    EXPECT_LT(image.pixelColor(160, 39).lightness(), 64);
}

TEST_F(WindowTest, BoxesAndButtonUseBoldTwelvePointCourierNew) {
    for (const char* name : {"First", "Second", "Answer", "DoIt"}) {
        const QFont font = widget(name)->font();
        EXPECT_EQ(font.family(), QStringLiteral("Courier New")) << name;
        EXPECT_EQ(font.weight(), QFont::Bold) << name;
        EXPECT_EQ(font.pointSize(), 12) << name;
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut()) << name;
        // A fixed-pitch face stands in for it when it is not installed.
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << name;
    }
    EXPECT_NE(operation()->font().family(), QStringLiteral("Courier New"));
}

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

TEST_F(WindowTest, AScreenReaderAnnouncesTheListAsOperationWhateverItShows) {
    QTest::keySequence(operation()->lineEdit(), QKeySequence::SelectAll);
    QTest::keyClicks(operation()->lineEdit(), QStringLiteral("hello"));
    for (QObject* control : std::initializer_list<QObject*>{operation(), operation()->lineEdit()}) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Operation"));
    }
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(operation());
    EXPECT_EQ(list->role(), QAccessible::ComboBox);
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("hello"));
    // The boxes say what they hold, to a screen reader and in their tooltips.
    for (const char* name : {"First", "Second", "Answer"}) {
        EXPECT_FALSE(box(name)->accessibleDescription().isEmpty()) << name;
        EXPECT_EQ(box(name)->toolTip(), box(name)->accessibleDescription()) << name;
    }
}

TEST_F(WindowTest, StartsWithTheFourBasicOperatorsAndNothingSelected) {
    EXPECT_EQ(operation()->currentText(), QStringLiteral("Choose Operation"));
    EXPECT_EQ(form.listIndex(), -1);
    EXPECT_EQ(form.numberMode(), 2);
    EXPECT_TRUE(form.firstVisible());
    const std::vector<std::string> basic = {"+", "-", "\u00D7", "\u00F7"};
    EXPECT_EQ(entriesOf(form), basic);
    for (const char* name : {"First", "Second", "Answer"}) {
        EXPECT_EQ(box(name)->text(), QStringLiteral("0")) << name;
    }
}

std::vector<std::string> blockNames(const CatalogueBlock& basic, const CatalogueBlock* category,
                                    bool twoNumbers) {
    std::vector<std::string> names;
    for (const CatalogueBlock* block : {&basic, category}) {
        if (block) {
            for (const CatalogueEntry& entry : twoNumbers ? block->twoNumbers : block->oneNumber) {
                names.emplace_back(entry.name);
            }
        }
    }
    return names;
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

TEST_F(WindowTest, CtrlQClosesTheWindow) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(box("Second"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowTest, EachMenuItemLeavesTheBasicBlockAndItsCategory) {
    forEveryList(form, [&](int mode, int item) {
        EXPECT_EQ(form.firstVisible(), mode == 2);
        EXPECT_EQ(entriesOf(form),
                  blockNames(basicBlock(), item > 0 ? &categories()[item - 1] : nullptr, mode == 2))
            << "mode " << mode << ", item " << item;
    });
}

TEST_F(WindowTest, HidingFirstKeepsItsText) {
    form.setText(Box::First, "12.5");
    form.numberMenuItem(1)->trigger();
    EXPECT_FALSE(box("First")->isVisible());
    form.numberMenuItem(2)->trigger();
    EXPECT_TRUE(box("First")->isVisible());
    EXPECT_EQ(form.text(Box::First), "12.5");
}

TEST_F(WindowTest, ListChangesNeverChangeWhatTheEditFieldShows) {
    // The first entry appended to an empty list is not selected.
    form.numberMenuItem(1)->trigger();
    EXPECT_EQ(operation()->currentText(), QStringLiteral("Choose Operation"));
    EXPECT_EQ(form.listIndex(), -1);
    // A selected entry that stays stays selected.
    select("\u00F7%");
    form.addMenuItem(6)->trigger();
    EXPECT_EQ(operation()->currentText(), QStringLiteral("\u00F7%"));
    EXPECT_EQ(form.listIndex(), 4);
    EXPECT_EQ(operation()->currentIndex(), 4);
    // A selected entry that goes leaves its text in the edit field and nothing selected; the
    // edit field's text is what runs.
    form.addMenuItem(1)->trigger();
    select("<%");
    form.addMenuItem(3)->trigger();
    EXPECT_EQ(operation()->currentText(), QStringLiteral("<%"));
    EXPECT_EQ(form.listIndex(), -1);
    EXPECT_EQ(form.listText(-1), "<%");
    form.setText(Box::Answer, "1");
    form.setText(Box::Second, "5");
    click();
    EXPECT_EQ(answer(), "1");
}

TEST_F(WindowTest, TheOpenListShowsEveryEntryWhole) {
    QAbstractItemView* view = operation()->view();
    forEveryList(form, [&](int mode, int item) {
        operation()->showPopup();
        ASSERT_TRUE(view->isVisible());
        for (int i = 0; i < operation()->count(); ++i) {
            const QModelIndex entry = view->model()->index(i, 0);
            EXPECT_LE(view->sizeHintForIndex(entry).width(), view->viewport()->width())
                << form.listText(i) << " in mode " << mode << " after item " << item;
        }
        operation()->hidePopup();
    });
    EXPECT_EQ(operation()->geometry(), QRect(0, 16, 129, 21));
}

TEST_F(WindowTest, LeavingTheEditFieldKeepsTheTypedText) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLineEdit* edit = operation()->lineEdit();
    operation()->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("\u00D7"));
    EXPECT_EQ(form.listIndex(), 2);
    // An entry's name in other case is not that entry.
    form.addMenuItem(7)->trigger();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("mod"));
    box("Second")->setFocus();
    ASSERT_TRUE(box("Second")->hasFocus());
    EXPECT_EQ(operation()->currentText(), QStringLiteral("mod"));
    EXPECT_EQ(form.listIndex(), -1);
    click();
    EXPECT_EQ(answer(), "ERROR 1: No operation chosen");
}

TEST_F(WindowTest, TheListsCurrentEntryFollowsTheTypedText) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLineEdit* edit = operation()->lineEdit();
    operation()->setFocus();
    // Typing changes the list's state without a signal that could reach a handler.
    QSignalSpy indexChanges(operation(), &QComboBox::currentIndexChanged);
    QSignalSpy activations(operation(), &QComboBox::activated);
    const auto type = [&](const QString& text) {
        indexChanges.clear();
        activations.clear();
        QTest::keyClicks(edit, text);
        EXPECT_EQ(indexChanges.count(), 0) << text.toStdString();
        EXPECT_EQ(activations.count(), 0) << text.toStdString();
    };
    // The entry that the open list marks, or -1.
    const auto marked = [&] {
        operation()->showPopup();
        const QModelIndexList selected = operation()->view()->selectionModel()->selectedIndexes();
        operation()->hidePopup();
        return selected.size() == 1 ? selected[0].row() : -static_cast<int>(selected.size()) - 1;
    };
    select("\u00D7");
    edit->selectAll();
    type(QStringLiteral("mod"));
    EXPECT_EQ(operation()->currentIndex(), -1);
    EXPECT_EQ(form.listIndex(), -1);
    // Typing goes on undisturbed: the text, the cursor and what undo brings back.
    EXPECT_EQ(edit->text(), QStringLiteral("mod"));
    EXPECT_EQ(edit->cursorPosition(), 3);
    edit->undo();
    EXPECT_EQ(edit->text(), QStringLiteral("\u00D7"));
    EXPECT_EQ(operation()->currentIndex(), 2);
    edit->redo();
    EXPECT_EQ(edit->text(), QStringLiteral("mod"));
    EXPECT_EQ(operation()->currentIndex(), -1);
    EXPECT_EQ(marked(), -1);
    // An entry's exact text makes it current; the open list marks it.
    edit->selectAll();
    type(QStringLiteral("\u00F7"));
    EXPECT_EQ(operation()->currentIndex(), 3);
    EXPECT_EQ(form.listIndex(), 3);
    EXPECT_EQ(marked(), 3);
    // Any other text leaves nothing marked, and Down starts from the first entry.
    type(QStringLiteral("x"));
    EXPECT_EQ(operation()->currentIndex(), -1);
    EXPECT_EQ(marked(), -1);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(operation()->currentText(), QStringLiteral("+"));
    EXPECT_EQ(operation()->currentIndex(), 0);
    EXPECT_EQ(form.listIndex(), 0);
}

TEST_F(WindowTest, TypingStopsAtEighteenCharactersButTheRecallIsKeptWhole) {
    const QString typed = QStringLiteral("1234567890123456789012345");
    for (const char* name : {"First", "Second"}) {
        QLineEdit* edit = box(name);
        edit->clear();
        QTest::keyClicks(edit, typed);
        EXPECT_EQ(edit->text(), typed.left(18)) << name;
    }
    box("Answer")->clear();
    QTest::keyClicks(box("Answer"), typed + typed);
    EXPECT_EQ(box("Answer")->text(), typed + typed);

    // "%" in First recalls all 24 characters of Answer.
    const std::string long24 = "123456789012345678901234";
    form.setText(Box::Answer, long24);
    form.setText(Box::First, "%");
    form.setText(Box::Second, "0");
    select("+");
    click();
    EXPECT_EQ(form.text(Box::First), long24);
    EXPECT_EQ(answer(), "1.23456789012346E+23");
    // The long text can be shortened by the user but not lengthened.
    QTest::keyClick(box("First"), Qt::Key_End);
    QTest::keyClicks(box("First"), QStringLiteral("5"));
    EXPECT_EQ(form.text(Box::First), long24);
    QTest::keyClick(box("First"), Qt::Key_Backspace);
    EXPECT_EQ(form.text(Box::First), long24.substr(0, 23));
}

TEST_F(WindowTest, APasteIsTakenWholeOrRefusedAndTheBoxTellsTheRuleWhatItReplaced) {
    const std::string long24 = "123456789012345678901234";
    struct Row {
        const char* what;
        std::string held;  // written by the program
        int start;         // the selection, or the cursor when `length` is 0
        int length;
        const char* pasted;
        std::string result;
        int cursor;  // -1: not checked
    };
    const Row rows[] = {
        {"in the middle", "12345", 2, 0, "abcde", "12abcde345", 7},
        {"over a selection", "123456789012345", 3, 5, "abcdefgh", "123abcdefgh9012345", 11},
        {"too long over a selection", "123456789012345", 3, 5, "abcdefghi", "123456789012345", -1},
        {"into a long recall", long24, 24, 0, "5", long24, -1},
        {"over all of a long recall", long24, 0, 24, "12345", "12345", 5},
    };
    QLineEdit* first = box("First");
    for (const Row& row : rows) {
        form.setText(Box::First, row.held);
        first->setCursorPosition(row.start);
        if (row.length > 0) {
            first->setSelection(row.start, row.length);
        }
        QApplication::clipboard()->setText(QString::fromUtf8(row.pasted));
        first->paste();
        EXPECT_EQ(form.text(Box::First), row.result) << row.what;
        if (row.cursor >= 0) {
            EXPECT_EQ(first->cursorPosition(), row.cursor) << row.what;
        }
    }
    // Removing characters from a long recall is never refused.
    form.setText(Box::First, "ERROR 1: No operation chosen");
    first->setSelection(5, 2);
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(form.text(Box::First), "ERROR: No operation chosen");
}

// Puts `text` on the clipboard and pastes it into `edit` with the paste keys, over all of its
// text when `overAll`, else at its cursor.
void pasteByKeys(QLineEdit* edit, const QString& text, bool overAll = true) {
    QGuiApplication::clipboard()->setText(text);
    if (overAll) {
        QTest::keySequence(edit, QKeySequence::SelectAll);
    }
    QTest::keySequence(edit, QKeySequence::Paste);
}

// Types `text` over all of the text of `edit`, key by key.
void typeOverAll(QLineEdit* edit, const QString& text) {
    QTest::keySequence(edit, QKeySequence::SelectAll);
    QTest::keyClicks(edit, text);
}

TEST_F(WindowTest, ANumberPastedTooLongIsRefusedWithANoteNotCut) {
    for (const char* name : {"First", "Second"}) {
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        // A key press past the limit changes nothing and shows no note.
        typeOverAll(box(name), QStringLiteral("123456789012345678"));
        QTest::keyClicks(box(name), QStringLiteral("9"));
        EXPECT_EQ(box(name)->text(), QStringLiteral("123456789012345678")) << name;
        EXPECT_FALSE(QToolTip::isVisible()) << name;
        // A paste is refused whole, with a note.
        typeOverAll(box(name), QStringLiteral("7"));
        pasteByKeys(box(name), QStringLiteral("12345678901234567890123"));
        EXPECT_EQ(box(name)->text(), QStringLiteral("7")) << name;
        EXPECT_TRUE(QToolTip::isVisible()) << name;
        EXPECT_EQ(QToolTip::text(), QStringLiteral("At most 18 characters")) << name;
        pasteByKeys(box(name), QStringLiteral("12345"));
        EXPECT_EQ(box(name)->text(), QStringLiteral("12345")) << name;
    }
    // Answer takes any length.
    pasteByKeys(box("Answer"), QStringLiteral("12345678901234567890123"));
    EXPECT_EQ(form.text(Box::Answer), "12345678901234567890123");
}

TEST_F(WindowTest, APastedTextEndsAtItsFirstLineBreak) {
    struct Row {
        const char* what;
        const char* held;
        bool overAll;  // else pasted at the end
        const char* pasted;
        const char* result;
    };
    const Row rows[] = {
        {"line feed", "0", true, "12\n34", "12"},
        {"carriage return", "0", true, "12\r34", "12"},
        {"both", "0", true, "12\r\n34\r\n", "12"},
        {"a break first", "0", true, "\n34", ""},
        {"after held text", "5", false, "67\n8", "567"},
    };
    for (const char* name : {"First", "Second", "Answer"}) {
        for (const Row& row : rows) {
            box(name)->setText(QString::fromUtf8(row.held));
            pasteByKeys(box(name), QString::fromUtf8(row.pasted), row.overAll);
            EXPECT_EQ(box(name)->text().toStdString(), row.result) << name << ", " << row.what;
        }
    }
    // Only the first line must fit.
    pasteByKeys(box("First"), QStringLiteral("123456789012345678\r\n9"));
    EXPECT_EQ(form.text(Box::First), "123456789012345678");
    // The list's edit field too: what it shows is what runs.
    pasteByKeys(operation()->lineEdit(), QStringLiteral("+\n-"));
    EXPECT_EQ(operation()->currentText(), QStringLiteral("+"));
    EXPECT_EQ(form.listIndex(), 0);
}

TEST_F(WindowTest, ProgramTextIsNeverCut) {
    // Beyond the toolkit's default cap of 32767 characters.
    const std::string huge(40000, '7');
    for (const Box which : {Box::First, Box::Second, Box::Answer}) {
        form.setText(which, huge);
        EXPECT_EQ(form.text(which), huge);
    }
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

TEST_F(WindowTest, TypedOperationNamesAreNeitherInsertedNorCompleted) {
    form.addMenuItem(7)->trigger();
    QLineEdit* edit = operation()->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("mod"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(operation()->currentText(), QStringLiteral("mod"));
    EXPECT_EQ(operation()->count(), 7);
    EXPECT_EQ(answer(), "ERROR 1: No operation chosen");
    // Typing an entry's exact name selects it.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("Mod"));
    EXPECT_EQ(form.listIndex(), 5);
}

TEST_F(WindowTest, AFailureIsReportedAndTheWindowGoesOn) {
    form.setText(Box::First, "abc");
    form.setText(Box::Second, "1");
    form.setText(Box::Answer, "9");
    select("+");
    click();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(failureMessage(reported[0]), "Type mismatch: \"abc\" is not a number.");
    // The prologue's "0" stays; nothing is rolled back.
    EXPECT_EQ(answer(), "0");
    EXPECT_EQ(form.text(Box::First), "abc");

    form.setText(Box::First, "7");
    click();
    EXPECT_EQ(answer(), "8");
    EXPECT_EQ(reported.size(), 1u);
}

TEST(WindowMessage, TheDefaultReportIsAPlainTextMessageBoxTitledQuillon) {
    // A culprit that looks like markup is quoted as typed, not formatted.
    for (const char* culprit : {"abc", "<i>x", "<b>bold</b>", "a&amp;b<br>"}) {
        Form1 form;
        form.show();
        form.setText(Box::Second, culprit);
        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        // The box is modal; read and close it from the event loop it runs.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            box->accept();
        });
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("DoIt")), Qt::LeftButton);
        EXPECT_EQ(title, QStringLiteral("Quillon")) << culprit;
        EXPECT_EQ(text, QStringLiteral("Type mismatch: \"%1\" is not a number.")
                            .arg(QString::fromUtf8(culprit)))
            << culprit;
        EXPECT_EQ(format, Qt::PlainText) << culprit;
        EXPECT_TRUE(form.isVisible());
    }
}

TEST_F(WindowTest, EveryEntryCarriesAOneLineTooltip) {
    std::set<std::string> named;
    forEveryList(form, [&](int, int) {
        for (int i = 0; i < operation()->count(); ++i) {
            const QString tip = operation()->itemData(i, Qt::ToolTipRole).toString();
            EXPECT_FALSE(tip.isEmpty()) << form.listText(i);
            EXPECT_FALSE(tip.contains(QLatin1Char('\n'))) << form.listText(i);
            named.insert(form.listText(i));
        }
    });
    EXPECT_EQ(named.size(), 122u);  // 121 operations and the placeholder
    select("MAGNIF()");
    EXPECT_EQ(operation()->toolTip(),
              QStringLiteral("Steps of the 3n + 1 iteration from the number in Second down to 1"));
}

// Runs `check` on a fresh window under each of `styles` with its light palette and with a dark
// one (light text on dark grey), then puts the application's style and palette back.
void underEachLook(const QStringList& styles,
                   const std::function<void(Form1&, const std::string& look)>& check) {
    const QString style = QApplication::style()->name();
    const QPalette palette = QApplication::palette();
    // QUILLON_LOOK, where set, keeps one look of these ("Fusion, light").
    const QString only = qEnvironmentVariable("QUILLON_LOOK");
    for (const QString& name : styles) {
        QApplication::setStyle(name);
        for (const auto& [tone, toned] :
             {std::pair{"light", QApplication::style()->standardPalette()},
              std::pair{"dark", QPalette(QColor(53, 53, 53))}}) {
            const std::string look = name.toStdString() + ", " + tone;
            if (!only.isEmpty() && only.toStdString() != look) {
                continue;
            }
            QApplication::setPalette(toned);
            Form1 form;
            form.show();
            check(form, look);
        }
    }
    QApplication::setStyle(style);
    QApplication::setPalette(palette);
}

// The pixels of `image` inside `area` that differ clearly from `background`.
std::vector<QColor> marks(const QImage& image, const QRect& area, const QColor& background) {
    std::vector<QColor> found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - background.red()) +
                    std::abs(pixel.green() - background.green()) +
                    std::abs(pixel.blue() - background.blue()) >
                60) {
                found.push_back(pixel);
            }
        }
    }
    return found;
}

// The first and last row of the button's caption: rows where, over the caption's width, a
// pixel differs from the button's face left of the caption in that row. In logical pixels, on a
// screen of any scale.
std::pair<int, int> captionRows(QPushButton* button) {
    const QImage image = button->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const int width = qCeil(button->fontMetrics().horizontalAdvance(button->text()) * scale);
    const int left = (image.width() - width) / 2;
    std::pair rows{-1, -1};
    for (int y = 0; y < image.height(); ++y) {
        if (!marks(image, QRect(left, y, width, 1), image.pixelColor(left - 10, y)).empty()) {
            rows = {rows.first < 0 ? y : rows.first, y};
        }
    }
    return {qFloor(rows.first / scale), qFloor(rows.second / scale)};
}

// Expects the client area and every control of `form` grown from their twips by one factor, the
// client area's width's: to the pixels that rounding and the factor's own uncertainty leave.
void expectInProportion(Form1& form, const std::string& look) {
    QWidget* client = form.centralWidget();
    const double growth = client->width() * double{kTwipsPerPixel} / windowLook().clientWidth;
    EXPECT_GE(growth, 1.0) << look;
    EXPECT_NEAR(client->height(), windowLook().clientHeight * growth / kTwipsPerPixel, 2) << look;
    for (const ControlLook& control : windowLook().controls) {
        const QWidget* widget = client->findChild<QWidget*>(
            QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
        const TwipRect& twips = control.twips;
        const QRectF expected(twips.left, twips.top, twips.width, twips.height);
        for (const auto& [pixels, length] : {std::pair{widget->x(), expected.x()},
                                             {widget->y(), expected.y()},
                                             {widget->width(), expected.width()},
                                             {widget->height(), expected.height()}}) {
            EXPECT_NEAR(pixels, length * growth / kTwipsPerPixel, 2)
                << control.name << ", " << look;
        }
    }
}

TEST(WindowLook, TextIsDarkOnTheFixedColoursUnderLightAndDarkPalettesInEveryStyle) {
    underEachLook(
        QStringList(QApplication::style()->name()) + QStyleFactory::keys(),
        [](Form1& form, const std::string& look) {
            const QImage image = form.centralWidget()->grab().toImage();
            // In each box every glyph pixel is darker than the bright background (lightness
            // 127), and the darkest is nearly black.
            for (const char* name : {"First", "Second", "Answer", "Operation"}) {
                auto* box = form.findChild<QWidget*>(QLatin1String(name));
                auto* list = qobject_cast<QComboBox*>(box);
                QWidget* field = list ? list->lineEdit() : box;
                const QRect text =
                    QRect(field->mapTo(form.centralWidget(), QPoint()), field->size())
                        .intersected(box->geometry().adjusted(3, 3, -3, -3));
                std::vector<int> glyphs;
                for (const QColor& mark :
                     marks(image, text, box->palette().color(QPalette::Base))) {
                    glyphs.push_back(mark.lightness());
                }
                ASSERT_FALSE(glyphs.empty()) << name << ", " << look;
                EXPECT_LT(*std::max_element(glyphs.begin(), glyphs.end()), 127)
                    << name << ", " << look;
                EXPECT_LT(*std::min_element(glyphs.begin(), glyphs.end()), 64)
                    << name << ", " << look;
            }
            // The list's arrow shows on its yellow.
            auto* list = form.findChild<QComboBox*>(QStringLiteral("Operation"));
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = true;
            const QRect arrow = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxArrow, list);
            EXPECT_FALSE(marks(image, arrow.translated(list->pos()).adjusted(2, 2, -2, -2),
                               QColor(255, 255, 0))
                             .empty())
                << look;
            // Bar is black, and the controls keep their places in proportion to the window, which
            // grows where a style leaves the desktop's text too little room.
            QWidget* bar = form.findChild<QWidget*>(QStringLiteral("Bar"));
            EXPECT_TRUE(marks(image, bar->geometry().intersected(image.rect()), Qt::black).empty())
                << look;
            expectInProportion(form, look);
            // The button's caption lies whole inside the button.
            auto* button = form.findChild<QPushButton*>(QStringLiteral("DoIt"));
            const auto [top, bottom] = captionRows(button);
            EXPECT_GT(top, 0) << look;
            EXPECT_LT(bottom, button->height() - 1) << look;
            EXPECT_GE(bottom - top + 2, button->fontMetrics().tightBoundingRect("Do It!").height())
                << look;
        });
}

TEST(WindowLook, ChooseOperationShowsWholeAtDebiansDefaultFont) {
    const QFont font = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    underEachLook({QApplication::style()->name(), QStringLiteral("Fusion")},
                  [](Form1& form, const std::string& look) {
                      auto* list = form.findChild<QComboBox*>(QStringLiteral("Operation"));
                      QLineEdit* edit = list->lineEdit();
                      ASSERT_EQ(QFontInfo(edit->font()).family(), QStringLiteral("DejaVu Sans"));
                      ASSERT_EQ(edit->text(), QStringLiteral("Choose Operation"));
                      // The field lays its text out in its contents less the text margins and its
                      // own padding of 2 pixels on each side; the cursor after the text takes one
                      // more.
                      const int advance = edit->fontMetrics().horizontalAdvance(edit->text());
                      const QRect contents =
                          edit->contentsRect().marginsRemoved(edit->textMargins());
                      EXPECT_LE(advance + 1, contents.width() - 4) << look;
                      // So the field does not scroll, which it does as it paints: the text's end
                      // lies one advance after its start.
                      const auto cursorAt = [edit](int position) {
                          edit->setCursorPosition(position);
                          edit->grab();
                          return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
                      };
                      EXPECT_EQ(cursorAt(16) - cursorAt(0), advance) << look;
                      EXPECT_EQ(list->geometry(), QRect(0, 16, 129, 21)) << look;
                      EXPECT_EQ(list->font(), form.font()) << look;
                  });
    QApplication::setFont(font);
}

// Where the field draws the first character of its text, found from where it draws the cursor
// (it scrolls its text as it paints).
int textStartX(QLineEdit* edit) {
    edit->grab();
    const int cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    return cursor -
           edit->fontMetrics().horizontalAdvance(edit->text().left(edit->cursorPosition()));
}

// Measures every text of `form` against the room its widget gives it, after saving the window's
// picture as SETTING.png in the folder $QUILLON_SCREENSHOTS, where set; leaves the list changed.
void expectEveryTextWhole(Form1& form, const std::string& setting) {
    if (const QString folder = qEnvironmentVariable("QUILLON_SCREENSHOTS"); !folder.isEmpty()) {
        ASSERT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(form.grab().save(folder + "/" + QString::fromStdString(setting) + ".png"));
    }
    std::cout << setting << ": factor " << form.layoutScale() << "\n";
    expectInProportion(form, setting);
    // The list's field: its start text, and of every name the list can hold as many characters
    // as that has, in its contents less its padding of 2 pixels a side and a pixel for the cursor.
    auto* list = form.findChild<QComboBox*>(QStringLiteral("Operation"));
    QLineEdit* edit = list->lineEdit();
    const QFontMetrics metrics = edit->fontMetrics();
    const int room = edit->contentsRect().marginsRemoved(edit->textMargins()).width() - 5;
    const QString start = edit->text();
    EXPECT_LE(metrics.horizontalAdvance(start), room) << setting;
    EXPECT_LE(metrics.height(), edit->height()) << setting;
    forEveryList(form, [&](int, int) {
        for (int i = 0; i < list->count(); ++i) {
            EXPECT_LE(metrics.horizontalAdvance(list->itemText(i).left(start.size())), room)
                << list->itemText(i).toStdString() << ", " << setting;
        }
    });
    // Both menu titles on the bar, and no extension button.
    QMenuBar* bar = form.menuBar();
    const auto* extension = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_TRUE(extension == nullptr || extension->isHidden()) << setting;
    for (QAction* menu : bar->actions()) {
        EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu))) << setting;
    }
    // In each box the glyphs of a number, whole: inside the box's frame, over the text's width,
    // as many rows of ink as the font gives them (a row fewer for the anti-aliased edge), and a
    // clear row between them and the frame. A box clips its text at its frame, which takes rows
    // off a glyph that a tall line pushes there.
    // Then the lower button's caption, in capitals and without descenders, inside the button.
    for (const char* name : {"First", "Second", "Answer"}) {
        auto* box = form.findChild<QLineEdit*>(QLatin1String(name));
        const QString held = box->text();
        for (const QString& number : {QStringLiteral("0"), QStringLiteral("1234567890")}) {
            box->setText(number);
            // The whole inside of the frame, in device pixels on a screen of any scale, with no
            // cursor: the box has not the focus while it is looked at.
            const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
            QWidget* focused = QApplication::focusWidget();
            box->clearFocus();
            const QImage image = box->grab().toImage();
            if (focused != nullptr) {
                focused->setFocus();
            }
            const qreal scale = image.devicePixelRatio();
            const QRect inside(QPoint(qCeil(frame * scale), qCeil(frame * scale)),
                               QPoint(qFloor((box->width() - frame) * scale) - 1,
                                      qFloor((box->height() - frame) * scale) - 1));
            int first = -1;
            int last = -1;
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                // Clear of the frame's rounded corners.
                const QRect row(inside.left() + 2, y, inside.width() - 4, 1);
                if (!marks(image, row, box->palette().color(QPalette::Base)).empty()) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
            const std::string where = std::string(name) + " \"" + number.toStdString() +
                                      "\" rows " + std::to_string(first) + ".." +
                                      std::to_string(last) + ", " + setting;
            EXPECT_GE((last - first + 1) / scale + 1,
                      box->fontMetrics().tightBoundingRect(number).height())
                << where;
            EXPECT_GT(first, inside.top()) << where;
            EXPECT_LT(last, inside.bottom()) << where;
        }
        box->setText(held);
    }
    const auto [top, bottom] = captionRows(form.findChild<QPushButton*>(QStringLiteral("DoIt")));
    EXPECT_GT(top, 0) << setting;
    EXPECT_LT(bottom, form.findChild<QWidget*>(QStringLiteral("DoIt"))->height() - 1) << setting;
    // A name too long for the field, chosen, shows from its start like the start text.
    const int unscrolled = textStartX(edit);
    form.numberMenuItem(2)->trigger();
    form.addMenuItem(2)->trigger();
    list->setCurrentIndex(list->findText(QStringLiteral("Not If-Then (Bytewise)")));
    ASSERT_GT(metrics.horizontalAdvance(edit->text()), room) << setting;
    EXPECT_EQ(textStartX(edit), unscrolled) << setting;
}

// Under the platform's font, or the one a desktop gives through its platform theme: the
// window_fonts tests run this once for each, naming it in QUILLON_DESKTOP_FONT.
TEST(DesktopFonts, EveryTextShowsWholeUnderThePlatformsFont) {
    const QFont font = QApplication::font();
    if (const QString named = qEnvironmentVariable("QUILLON_DESKTOP_FONT"); !named.isEmpty()) {
        EXPECT_EQ(font.family() + " " + QString::number(font.pointSize()), named);
    }
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // QUILLON_BOX_FACE names the face a setting puts in the place of the boxes' font.
    const QString boxFace =
        QFontInfo(form.findChild<QWidget*>(QStringLiteral("Answer"))->font()).family();
    if (const QString forced = qEnvironmentVariable("QUILLON_BOX_FACE"); !forced.isEmpty()) {
        ASSERT_EQ(boxFace, forced);
    }
    // Debian's default, with its stand-in for the boxes' font, needs no more than the
    // described size, on a screen of any scale.
    if (QFontInfo(font).family() == QStringLiteral("DejaVu Sans") && font.pointSize() == 9 &&
        boxFace == QStringLiteral("Liberation Mono")) {
        EXPECT_EQ(form.centralWidget()->size(), QSize(319, 82));
    }
    expectEveryTextWhole(form,
                         QGuiApplication::platformName().toStdString() + "-" +
                             qEnvironmentVariable("QUILLON_SETTING", "default").toStdString());
}

TEST(DesktopFonts, TheWindowFitsItsTextAgainWhenTheFontOrTheStyleChanges) {
    const QFont font = QApplication::font();
    const QString style = QApplication::style()->name();
    // The new font reaches the window, and the window the size of its client area, through the
    // event loop.
    const auto settles = [](Form1& form, const std::function<bool()>& grown) {
        return QTest::qWaitFor(
            [&] { return grown() && form.width() == form.centralWidget()->width(); });
    };
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    {
        Form1 form;
        form.show();
        ASSERT_EQ(form.centralWidget()->size(), QSize(319, 82));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
        EXPECT_TRUE(settles(form, [&] { return form.layoutScale() > 1; }));
        expectEveryTextWhole(form, "refit-dejavu-14");
        // Back to the smaller font, back to the described size, box font and all.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        EXPECT_TRUE(settles(form, [&] { return form.centralWidget()->width() == 319; }));
        EXPECT_EQ(form.centralWidget()->size(), QSize(319, 82));
        EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Answer"))->font().pointSizeF(), 12.0);
    }
    // KDE's font at 9 points fits Fusion's list field but not the lower one of Windows' style.
    QApplication::setFont(QFont(QStringLiteral("Noto Sans"), 9));
    QApplication::setStyle(QStringLiteral("Fusion"));
    {
        Form1 form;
        form.show();
        ASSERT_EQ(form.centralWidget()->size(), QSize(319, 82));
        QApplication::setStyle(QStringLiteral("Windows"));
        EXPECT_TRUE(settles(form, [&] { return form.layoutScale() > 1; }));
        expectEveryTextWhole(form, "refit-windows-style");
    }
    QApplication::setStyle(style);
    QApplication::setFont(font);
}

// The program file's icon: a 32 x 32 and a 16 x 16 image, 24 bits per pixel, every pixel white
// and none transparent.
TEST(WindowIcon, TheProgramIconHoldsWhiteTwentyFourBitImages) {
    std::ifstream file(QUILLON_SOURCE_DIR "/ui/icons/quillon.ico", std::ios::binary);
    const std::string ico((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto number = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(ico.at(at + i));
        }
        return value;
    };
    ASSERT_GE(ico.size(), 6u);
    ASSERT_EQ(number(2, 2), 1u);  // an icon, not a cursor
    ASSERT_EQ(number(4, 2), 2u);
    const int sizes[] = {32, 16};
    for (std::size_t image = 0; image < 2; ++image) {
        const std::size_t entry = 6 + 16 * image;
        const int size = sizes[image];
        EXPECT_EQ(number(entry, 1), static_cast<std::uint32_t>(size));
        EXPECT_EQ(number(entry + 1, 1), static_cast<std::uint32_t>(size));
        EXPECT_EQ(number(entry + 6, 2), 24u) << size;
        const std::size_t bitmap = number(entry + 12, 4);
        EXPECT_EQ(number(bitmap + 4, 4), static_cast<std::uint32_t>(size));
        EXPECT_EQ(number(bitmap + 8, 4), static_cast<std::uint32_t>(2 * size));
        ASSERT_EQ(number(bitmap + 14, 2), 24u) << size;
        EXPECT_EQ(number(bitmap + 16, 4), 0u);  // uncompressed
        // Rows of 3-byte pixels, then the transparency mask; both padded to 4 bytes a row.
        const std::size_t row = (size * 3 + 3) / 4 * 4;
        const std::size_t mask = (size + 31) / 32 * 4;
        ASSERT_EQ(number(entry + 8, 4), 40 + (row + mask) * size);
        const std::string pixels = ico.substr(bitmap + 40, row * size);
        const std::string transparency = ico.substr(bitmap + 40 + row * size, mask * size);
        for (int y = 0; y < size; ++y) {
            EXPECT_EQ(pixels.substr(y * row, size * 3), std::string(size * 3, '\xFF')) << y;
        }
        EXPECT_EQ(transparency, std::string(mask * size, '\0'));
    }
}

// Script lines that stress the window's typing and its list, replayed on the window and on
// the in-memory controls: the two must print the same.
TEST(WindowReplay, TheWindowAndTheMemoryControlsPrintTheSame) {
    const std::string script =
        "type First 1234567890123456789012\n"
        "type Second 12345678901234567\u00D7\u00D7\n"
        "type Second 1234567890123456\U0001F600\U0001F600\n"
        "type Answer \u00B0\u00B0 and more than eighteen characters\n"
        "state\n"
        "add 7\nselect Mod\nadd 6\nstate\n"
        "edit mod\nclick\nedit Mod\nstate\n"
        "index 0\nnum 1\nstate\nindex -1\nclick\n"
        "add 2\nselect NO OPERATORS\nclick\nnum 2\nedit  \u00F7 \nclick\nstate\n"
        // Control characters are no text: their keys type nothing.
        "type First 1\t2\x01\x7F\nedit \t\u00F7\x1B\nclick\nstate\n"
        // A key that would pass the limit is refused and a later one that fits is typed.
        "type First 12345678901234567\U0001F6009\nstate\n";
    std::ostringstream window;
    std::ostringstream headless;
    {
        WindowTarget target;
        std::istringstream in(script);
        replay(in, window, target);
    }
    {
        HeadlessTarget target;
        std::istringstream in(script);
        replay(in, headless, target);
    }
    EXPECT_EQ(window.str(), headless.str());
    EXPECT_NE(window.str().find("\"first\": \"123456789012345678\""), std::string::npos);
    EXPECT_NE(window.str().find("\"first\": \"12\""), std::string::npos);
    EXPECT_NE(window.str().find("\"first\": \"123456789012345679\""), std::string::npos);
}

}  // namespace
}  // namespace quillon

int main(int argc, char* argv[]) {
    // Tests never need a screen (Qt for Windows has only its own platform: a desktop).
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
