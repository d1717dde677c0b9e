// What a screen reader learns of an item of an exclusive menu ("One Number", "Two Numbers"):
// a radio button in its menu, checked or not, so that both states are spoken and the items
// are heard as one set of choices. The toolkit's menu item is a plain menu item whose unchecked
// state is never spoken. Their menu is exposed by ChoiceMenuAccessible, as the toolkit's would
// be, but finding these items among its children: the toolkit's menu finds only menu items.
#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>
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
    // Labelled by its menu's title, which a screen reader names the set of choices by.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override;
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
    // menu, and ChoiceMenuAccessible for a marked menu; once.
    static void install();

private:
    QPointer<QMenu> menu_;
    QPointer<QAction> item_;
};

// A popup menu whose items are all ChoiceItemAccessible, a child of its title in the menu bar.
class ChoiceMenuAccessible final : public QAccessibleWidget {
public:
    explicit ChoiceMenuAccessible(QMenu* menu);

    // Makes `menu`, whose items are all choices, exposed by this interface; before anything
    // asks for its interface, which the toolkit keeps once made.
    static void mark(QMenu* menu);

    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;

private:
    QMenu* menu() const;
};

}  // namespace quillon
