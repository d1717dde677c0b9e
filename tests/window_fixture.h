// What the window's tests share: a shown window whose failures are recorded, its widgets found
// by their object names as a screen reader or a test tool would find them, and every list a
// user can make. The tests run on Qt's offscreen platform, and on a real X server too.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLatin1String>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "form1.h"

namespace quillon {

inline std::vector<std::string> entriesOf(const Controls& controls) {
    std::vector<std::string> entries;
    for (int i = 0; i < controls.listCount(); ++i) {
        entries.push_back(controls.listText(i));
    }
    return entries;
}

// Every list a user can make: each mode's basic block alone (item 0), then with each category
// of "Add Operations" (items 1 to 7).
inline void forEveryList(Form1& form, const std::function<void(int mode, int item)>& check) {
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

}  // namespace quillon
