#include "menu_bar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <span>
#include <string_view>
#include <utility>

#include "choice_item_accessible.h"
#include "look.h"
#include "qt_text.h"

namespace quillon {

MenuBar::MenuBar(QWidget* window, QWidget* fallbackFocus, ItemChosen chosen)
    : QMenuBar(window), fallbackFocus_(fallbackFocus) {
    buildMenus(std::move(chosen));
    connectKeys(window);
}

void MenuBar::buildMenus(const ItemChosen& chosen) {
    for (const MenuLook& look : windowLook().menus) {
        auto* menu = new QMenu(toQString(look.caption), this);
        if (look.exclusive) {
            ChoiceMenuAccessible::mark(menu);
        }
        addMenu(menu);
        menu->setObjectName(toQString(look.name));
        // A screen reader names the open menu by its caption.
        menu->setAccessibleName(toQString(look.caption));
        menu->menuAction()->setObjectName(toQString(look.name));
        QActionGroup* choice = nullptr;
        if (look.exclusive) {
            choice = new QActionGroup(menu);
            choice->setExclusive(true);
        }
        QList<QAction*>& items = items_.emplace_back();
        std::int16_t index = 0;
        for (const std::string_view caption : look.items) {
            ++index;
            auto* item = new QAction(toQString(caption), menu);
            item->setObjectName(toQString(look.itemName) + QString::number(index));
            if (choice != nullptr) {
                item->setCheckable(true);
                choice->addAction(item);
            }
            menu->addAction(item);
            connect(item, &QAction::triggered, menu,
                    [&look, index, chosen] { chosen(look, index); });
            items.append(item);
        }
    }
}

void MenuBar::connectKeys(QWidget* window) {
    // F10 opens the first menu, as on GNOME and KDE; from there the arrow keys move between
    // and within the menus and Return chooses. The key belongs to the whole window.
    auto* open = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(open, &QShortcut::activated, this, [this, window] {
        // The menu bar holds the focus while its menus are open. Otherwise the toolkit gives
        // the focus back to the box it came from each time Right or Left closes one menu and
        // opens the next, and a screen reader reads that box instead of the highlighted item.
        if (window->focusWidget() != this) {
            menuFocus_ = window->focusWidget();
        }
        setFocus(Qt::MenuBarFocusReason);
        QAction* first = actions().value(0);
        setActiveAction(first);
        // With its first item highlighted, as when a menu is reached by the arrow keys.
        if (first != nullptr && first->menu() != nullptr) {
            first->menu()->setActiveAction(first->menu()->actions().value(0));
        }
    });
    for (QAction* top : actions()) {
        connect(top->menu(), &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, &MenuBar::leaveMenus); });
    }
}

void MenuBar::leaveMenus() {
    // Escape closes a menu and, once no menu is open, leaves the menu bar too, so that the
    // focus is back where it was rather than on the menu bar.
    if (QApplication::activePopupWidget() != nullptr || !hasFocus()) {
        return;
    }
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(this, &escape);
    // Where F10 took the focus from; that control may have been hidden meanwhile (First, by
    // "One Number"), and the focus then goes where it would have gone from there.
    QWidget* back = menuFocus_ != nullptr && menuFocus_->isVisible() ? menuFocus_.data()
                                                                     : fallbackFocus_.data();
    if (hasFocus() && back != nullptr) {
        back->setFocus(Qt::MenuBarFocusReason);
    }
    menuFocus_ = nullptr;
}

QAction* MenuBar::item(std::size_t menu, int index) const {
    return menu < items_.size() ? items_[menu].value(index - 1) : nullptr;
}

void MenuBar::showMode(std::int16_t numberMode) {
    const std::span<const MenuLook> menus = windowLook().menus;
    for (std::size_t menu = 0; menu < menus.size(); ++menu) {
        if (menus[menu].checkedItem != nullptr) {
            item(menu, menus[menu].checkedItem(numberMode))->setChecked(true);
        }
    }
}

int MenuBar::neededWidth() const {
    return isNativeMenuBar() ? 0 : sizeHint().width();
}

}  // namespace quillon
