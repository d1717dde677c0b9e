// What a screen reader learns of Operation: a combo box always named "Operation", whose value
// is the text of its edit field. The toolkit's own combo box interface names an editable box
// by its text on Linux, so that typing "hello" would rename the control "hello".
#pragma once

#include <QAccessibleWidget>

namespace quillon {

class OperationBoxAccessible final : public QAccessibleWidget {
public:
    explicit OperationBoxAccessible(QWidget* box);

    QString text(QAccessible::Text t) const override;

    // Lets the accessibility framework use this interface for every OperationBox; once.
    static void install();
};

}  // namespace quillon
