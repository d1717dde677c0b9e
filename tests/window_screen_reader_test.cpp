// What a screen reader learns of the window: the list's entries and its field, the controls'
// names, each box's text, the mode items as choices, the line, and the answer after each press.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "window_fixture.h"

namespace quillon {
namespace {

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

// Counts the times a widget starts to show, when it also tells screen readers so.
class ShowCount final : public QObject {
public:
    explicit ShowCount(QWidget* widget) { widget->installEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        shows += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

// A screen reader speaks a notification when it shows: each press shows it again with the
// answer, the same answer too, and a failure is told by its message box alone.
TEST_F(WindowTest, EachPressTellsScreenReadersTheAnswerWithoutMovingTheFocus) {
    auto* announcer = form.findChild<QWidget*>(QStringLiteral("announcer"));
    ASSERT_NE(announcer, nullptr);
    const ShowCount shown(announcer);
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(announcer);
    EXPECT_EQ(told->role(), QAccessible::Notification);
    EXPECT_TRUE(told->state().invisible);
    form.setText(Box::First, "7");
    form.setText(Box::Second, "2");
    select("÷");
    box("Second")->setFocus();
    for (int press = 1; press <= 2; ++press) {
        QTest::keyClick(box("Second"), Qt::Key_Return);
        EXPECT_EQ(told->text(QAccessible::Name), QStringLiteral("3.5"));
        EXPECT_EQ(shown.shows, press);
    }
    EXPECT_FALSE(told->state().invisible);
    EXPECT_EQ(announcer->size(), QSize(0, 0));
    EXPECT_EQ(form.focusWidget(), box("Second"));
    form.setText(Box::First, "abc");
    click();
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(shown.shows, 2);
}

// Each box's text in one attribute run (Qt 6.4's own run is empty, and a screen reader cut the
// last character off the line), each character where the box draws it, and edits judged by
// the box's typing rule.
TEST_F(WindowTest, AScreenReaderReadsEachBoxWhole) {
    for (const char* text : {"3.5", "0", "-1.2E+15", "", "ERROR 2: Division by 0"}) {
        form.setText(Box::Answer, text);
        QAccessibleTextInterface* read =
            QAccessible::queryAccessibleInterface(box("Answer"))->textInterface();
        ASSERT_NE(read, nullptr);
        int start = -1;
        int end = -1;
        EXPECT_EQ(read->attributes(0, &start, &end), QString());
        EXPECT_EQ(std::pair(start, end), std::pair(0, static_cast<int>(std::strlen(text)))) << text;
        EXPECT_EQ(read->text(0, -1), QString::fromUtf8(text));
        for (int i = 0; i < read->characterCount(); ++i) {
            const QRect character = read->characterRect(i);
            EXPECT_EQ(read->offsetAtPoint({character.left() + 1, character.center().y()}), i)
                << text << " at " << i;
        }
    }
    form.setText(Box::First, "7");
    QAccessibleEditableTextInterface* edit =
        QAccessible::queryAccessibleInterface(box("First"))->editableTextInterface();
    ASSERT_NE(edit, nullptr);
    edit->insertText(1, QStringLiteral("5"));
    EXPECT_EQ(form.text(Box::First), "75");
    edit->replaceText(0, 2, QString(19, QLatin1Char('1')));  // beyond the 18 a box takes
    EXPECT_EQ(form.text(Box::First), "75");
    edit->deleteText(0, 1);
    EXPECT_EQ(form.text(Box::First), "5");
}

// The mode items are one set of exclusive choices, each found in its menu; the line is a
// separator.
TEST_F(WindowTest, AScreenReaderHearsTheModesAsChoicesAndTheLineAsASeparator) {
    QMenu* modes = form.menuBar()->actions().value(1)->menu();
    ASSERT_NE(modes, nullptr);
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(modes);
    ASSERT_EQ(menu->childCount(), 2);
    EXPECT_EQ(menu->parent()->text(QAccessible::Name), QStringLiteral("Number of Figures"));
    for (const int index : {1, 2}) {
        QAccessibleInterface* item = menu->child(index - 1);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->object(), form.numberMenuItem(index));
        EXPECT_EQ(item->role(), QAccessible::RadioButton);
        EXPECT_EQ(menu->indexOfChild(item), index - 1);
        EXPECT_EQ(item->parent()->object(), modes);
        EXPECT_TRUE(item->state().checkable);
        EXPECT_EQ(item->state().checked, index == 2) << index;
        // Labelled by the menu's title, which a screen reader names the choice by.
        const auto labels = item->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("Number of Figures"));
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget("Bar"))->role(), QAccessible::Separator);
}

}  // namespace
}  // namespace quillon
