// What a screen reader learns of Operation: a combo box always named "Operation", whose value
// is the text of its edit field, and whose children are, as for the toolkit's own combo box,
// its popup list (a list with one item per entry, in order, readable without opening it) and
// its edit field. Its description is the chosen operation's tooltip and the number of entries. The
// toolkit's own combo box interface names an editable box by its text on Linux, so that typing
// "hello" would rename the control "hello".
#pragma once

#include <QAccessibleWidget>

namespace quillon {

class OperationBoxAccessible final : public QAccessibleWidget {
public:
    explicit OperationBoxAccessible(QWidget* box);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // Lets the accessibility framework use this interface for every OperationBox; once.
    static void install();

private:
    // The popup list (0) and the edit field (1).
    QObject* part(int index) const;
};

}  // namespace quillon
