// Pressing "Do It!" in the window: a failure reported and the window going on, the default
// message box, and scripts replayed on the window printing what the memory controls print.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sstream>
#include <string>

#include "replay.h"
#include "window_fixture.h"
#include "window_target.h"

namespace quillon {
namespace {

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
