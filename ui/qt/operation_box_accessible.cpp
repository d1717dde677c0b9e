#include "operation_box_accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLineEdit>

#include "handlers.h"
#include "operation_box.h"
#include "qt_text.h"

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
    auto* box = static_cast<OperationBox*>(widget());
    if (t == QAccessible::Value) {
        return box->currentText();
    }
    // What the chosen operation does (the box's tooltip), then how many entries the list
    // holds, heard when the box gets the focus.
    if (t == QAccessible::Description) {
        return toQString(operationDescription(toStdString(QAccessibleWidget::text(t)),
                                              static_cast<std::size_t>(box->count())));
    }
    // The name is the widget's accessible name, whatever the field shows.
    return QAccessibleWidget::text(t);
}

QObject* OperationBoxAccessible::part(int index) const {
    auto* box = static_cast<OperationBox*>(widget());
    switch (index) {
        case 0:
            return box->view();
        case 1:
            return box->lineEdit();
        default:
            return nullptr;
    }
}

int OperationBoxAccessible::childCount() const {
    return 2;
}

QAccessibleInterface* OperationBoxAccessible::child(int index) const {
    QObject* object = part(index);
    return object == nullptr ? nullptr : QAccessible::queryAccessibleInterface(object);
}

int OperationBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int index = 0; index < childCount(); ++index) {
        if (child != nullptr && child->object() == part(index)) {
            return index;
        }
    }
    return -1;
}

void OperationBoxAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(forOperationBox);
        return true;
    }();
    (void)installed;
}

}  // namespace quillon
