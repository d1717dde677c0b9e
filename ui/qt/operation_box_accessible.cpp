#include "operation_box_accessible.h"

#include <QAccessible>

#include "operation_box.h"

namespace quillon {

namespace {

QAccessibleInterface* forOperationBox(const QString&, QObject* object) {
    // The box declares no meta-object of its own, so it is known by its C++ type.
    if (auto* box = dynamic_cast<OperationBox*>(object)) {
        return new OperationBoxAccessible(box);
    }
    return nullptr;
}

}  // namespace

OperationBoxAccessible::OperationBoxAccessible(QWidget* box)
    : QAccessibleWidget(box, QAccessible::ComboBox) {}

QString OperationBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return static_cast<OperationBox*>(widget())->currentText();
    }
    // The name is the widget's accessible name, whatever the field shows.
    return QAccessibleWidget::text(t);
}

void OperationBoxAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(forOperationBox);
        return true;
    }();
    (void)installed;
}

}  // namespace quillon
