// Typing and pasting into the boxes: the 18 characters of First and Second, pastes taken whole
// or refused with a note, line breaks, and what the program writes never cut.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <string>

#include "window_fixture.h"

namespace quillon {
namespace {

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

}  // namespace
}  // namespace quillon
