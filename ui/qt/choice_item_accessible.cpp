#include "choice_item_accessible.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

namespace quillon {

namespace {

// The property that marks a menu of choices.
constexpr char kChoiceMenu[] = "quillonChoiceMenu";

bool isChoice(const QAction* item) {
    return item->actionGroup() != nullptr && item->actionGroup()->isExclusive();
}

QAccessibleInterface* forChoiceItems(const QString&, QObject* object) {
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        return menu->property(kChoiceMenu).toBool() ? new ChoiceMenuAccessible(menu) : nullptr;
    }
    auto* item = qobject_cast<QAction*>(object);
    if (item == nullptr || !isChoice(item)) {
        return nullptr;
    }
    for (QObject* owner : item->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) {
            return new ChoiceItemAccessible(menu, item);
        }
    }
    return nullptr;
}

}  // namespace

ChoiceItemAccessible::ChoiceItemAccessible(QMenu* menu, QAction* item) : menu_(menu), item_(item) {}

bool ChoiceItemAccessible::isValid() const {
    return !menu_.isNull() && !item_.isNull();
}

QObject* ChoiceItemAccessible::object() const {
    return item_;
}

QAccessibleInterface* ChoiceItemAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(menu_);
}

QAccessibleInterface* ChoiceItemAccessible::child(int) const {
    return nullptr;
}

int ChoiceItemAccessible::childCount() const {
    return 0;
}

int ChoiceItemAccessible::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QAccessibleInterface* ChoiceItemAccessible::childAt(int, int) const {
    return nullptr;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> ChoiceItemAccessible::relations(
    QAccessible::Relation match) const {
    QAccessibleInterface* menu = parent();
    QAccessibleInterface* title = menu != nullptr ? menu->parent() : nullptr;
    if (!match.testFlag(QAccessible::Label) || title == nullptr) {
        return {};
    }
    return {{title, QAccessible::Label}};
}

QString ChoiceItemAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return item_->text();
    }
    return {};
}

void ChoiceItemAccessible::setText(QAccessible::Text, const QString&) {}

QRect ChoiceItemAccessible::rect() const {
    return menu_->actionGeometry(item_).translated(menu_->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role ChoiceItemAccessible::role() const {
    return QAccessible::RadioButton;
}

QAccessible::State ChoiceItemAccessible::state() const {
    QAccessible::State state;
    state.invisible = !menu_->isVisible();
    state.focusable = true;
    state.focused = menu_->activeAction() == item_;
    state.checkable = true;
    state.checked = item_->isChecked();
    state.disabled = !item_->isEnabled();
    return state;
}

void* ChoiceItemAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList ChoiceItemAccessible::actionNames() const {
    return {pressAction()};
}

void ChoiceItemAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && item_->isEnabled()) {
        item_->trigger();
        menu_->close();
    }
}

QStringList ChoiceItemAccessible::keyBindingsForAction(const QString&) const {
    return {};
}

ChoiceMenuAccessible::ChoiceMenuAccessible(QMenu* menu)
    : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

void ChoiceMenuAccessible::mark(QMenu* menu) {
    menu->setProperty(kChoiceMenu, true);
}

QMenu* ChoiceMenuAccessible::menu() const {
    return static_cast<QMenu*>(widget());
}

QAccessibleInterface* ChoiceMenuAccessible::parent() const {
    // The menu's title among the menu bar's items.
    for (QObject* owner : menu()->menuAction()->associatedObjects()) {
        if (auto* bar = qobject_cast<QMenuBar*>(owner)) {
            QAccessibleInterface* titles = QAccessible::queryAccessibleInterface(bar);
            for (int index = 0; titles != nullptr && index < titles->childCount(); ++index) {
                if (QAccessibleInterface* title = titles->child(index);
                    title != nullptr && title->object() == menu()->menuAction()) {
                    return title;
                }
            }
        }
    }
    return QAccessibleWidget::parent();
}

int ChoiceMenuAccessible::childCount() const {
    return static_cast<int>(menu()->actions().size());
}

QAccessibleInterface* ChoiceMenuAccessible::child(int index) const {
    return QAccessible::queryAccessibleInterface(menu()->actions().value(index));
}

int ChoiceMenuAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child == nullptr ? -1
                            : static_cast<int>(menu()->actions().indexOf(
                                  qobject_cast<QAction*>(child->object())));
}

QString ChoiceMenuAccessible::text(QAccessible::Text t) const {
    const QString text = QAccessibleWidget::text(t);
    return text.isEmpty() && t == QAccessible::Name ? menu()->title() : text;
}

void ChoiceItemAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(forChoiceItems);
        return true;
    }();
    (void)installed;
}

}  // namespace quillon
