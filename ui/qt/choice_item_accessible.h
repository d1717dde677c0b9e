// What a screen reader learns of an item of an exclusive menu ("One Number", "Two Numbers"):
// a radio button in its menu, checked or not, so that both states are spoken and the items
// are heard as one set of choices. The toolkit's menu item is a plain menu item whose unchecked
// state is never spoken.
#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QMenu;

namespace quillon {

class ChoiceItemAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ChoiceItemAccessible(QMenu* menu, QAction* item);

    bool isValid() const override;
    QObject* object() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Choosing the item, as a click would.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // Lets the accessibility framework use this interface for every item of an exclusive
    // menu; once.
    static void install();

private:
    QPointer<QMenu> menu_;
    QPointer<QAction> item_;
};

}  // namespace quillon
