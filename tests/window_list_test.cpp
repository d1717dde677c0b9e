// The list of Operation: its entries after each menu item, the entry that follows what is typed
// in its edit field, typed names never added, and the entries' tooltips.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "golden_catalogue.h"
#include "handlers.h"
#include "window_fixture.h"

namespace quillon {
namespace {

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

TEST_F(WindowTest, EachMenuItemLeavesTheBasicBlockAndItsCategory) {
    forEveryList(form, [&](int mode, int item) {
        EXPECT_EQ(form.firstVisible(), mode == 2);
        EXPECT_EQ(entriesOf(form),
                  blockNames(basicBlock(), item > 0 ? &categories()[item - 1] : nullptr, mode == 2))
            << "mode " << mode << ", item " << item;
    });
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

// A typed name selects the entry it names exactly, in the same case. Any other text is neither
// added to the list nor completed: it stays in the edit field when the focus leaves it or Return
// presses "Do It!", and it is what runs.
TEST_F(WindowTest, TypedNamesSelectOnlyTheirOwnEntryAndAreNeverAdded) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLineEdit* edit = operation()->lineEdit();
    enum class Then { Nothing, FocusSecond, PressReturn };
    const struct {
        int addItem;  // the item of "Add Operations" chosen first; 0: the basic block alone
        const char* typed;
        int index;  // the entry selected after typing, or -1
        Then then;
    } cases[] = {
        {0, "\u00D7", 2, Then::Nothing},
        {7, "Mod", 5, Then::Nothing},
        {7, "mod", -1, Then::FocusSecond},
        {7, "mod", -1, Then::PressReturn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.typed << " after item " << c.addItem);
        if (c.addItem > 0) {
            form.addMenuItem(c.addItem)->trigger();
        } else {
            form.numberMenuItem(2)->trigger();
        }
        const int count = operation()->count();
        operation()->setFocus();
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(form.listIndex(), c.index);
        if (c.then == Then::Nothing) {
            continue;
        }
        if (c.then == Then::FocusSecond) {
            box("Second")->setFocus();
            ASSERT_TRUE(box("Second")->hasFocus());
            click();
        } else {
            QTest::keyClick(edit, Qt::Key_Return);
        }
        EXPECT_EQ(operation()->currentText(), QString::fromUtf8(c.typed));
        EXPECT_EQ(form.listIndex(), -1);
        EXPECT_EQ(operation()->count(), count);
        EXPECT_EQ(answer(), "ERROR 1: No operation chosen");
    }
}

TEST_F(WindowTest, EveryEntryCarriesAOneLineTooltip) {
    std::set<std::string> named;
    forEveryList(form, [&](int, int) {
        for (int i = 0; i < operation()->count(); ++i) {
            const QString tip = operation()->itemData(i, Qt::ToolTipRole).toString();
            EXPECT_FALSE(tip.isEmpty()) << form.listText(i);
            EXPECT_FALSE(tip.contains(QLatin1Char('\n'))) << form.listText(i);
            // A screen reader reads the tip with the entry.
            EXPECT_EQ(operation()->itemData(i, Qt::AccessibleDescriptionRole).toString(), tip);
            named.insert(form.listText(i));
        }
    });
    std::set<std::string> listed{std::string(kNoOperators)};
    for (const int mode : {2, 1}) {
        const std::vector<std::string> names = testing::goldenNames(mode);
        listed.insert(names.begin(), names.end());
    }
    EXPECT_EQ(named, listed);
    select("MAGNIF()");
    EXPECT_EQ(operation()->toolTip(),
              QStringLiteral("Steps of the 3n + 1 iteration from the number in Second down to 1"));
}

}  // namespace
}  // namespace quillon
