#include "menu_bar.h"

#include <QAccessible>
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
    connect(open, &QShortcut::activated, this, [this] {
        holdFocus();
        openFromKeyboard(actions().value(0));
    });
    for (QAction* top : actions()) {
        top->menu()->installEventFilter(this);
        // A menu opened by the mouse holds the focus as one opened by F10 does.
        connect(top->menu(), &QMenu::aboutToShow, this, [this] {
            if (!hasFocus()) {
                holdFocus();
            }
        });
        connect(top->menu(), &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, &MenuBar::leaveMenus); });
    }
}

void MenuBar::holdFocus() {
    // The menu bar holds the focus while its menus are open. Otherwise the toolkit gives the
    // focus back to the box it came from each time Right or Left closes one menu and opens the
    // next, and a screen reader reads that box instead of the highlighted item.
    if (QWidget* focus = window()->focusWidget(); focus != this) {
        menuFocus_ = focus;
    }
    holdingFocus_ = true;
    setFocus(Qt::MenuBarFocusReason);
}

void MenuBar::openFromKeyboard(QAction* title) {
    // The menu opens with its first item highlighted, as a menu reached by the keys has it.
    // Where a screen reader listens, the title is highlighted first and the item a moment
    // later: were both at once, the screen reader would drop the title's focus for the item's
    // that follows within milliseconds, and the menu's name would never be heard. The moment
    // is long enough for a screen reader held up by a loaded machine to have taken the title.
    // A key pressed meanwhile highlights the item at once (eventFilter).
    if (title == nullptr || title->menu() == nullptr) {
        return;
    }
    unhighlighted_ = title->menu();
    const int opening = ++openings_;
    setActiveAction(title);
    if (!QAccessible::isActive()) {
        highlightFirstItem();
        return;
    }
    QTimer::singleShot(kTitleHeardMs, this, [this, opening] {
        if (opening == openings_) {
            highlightFirstItem();
        }
    });
}

void MenuBar::highlightFirstItem() {
    QMenu* menu = unhighlighted_;
    unhighlighted_ = nullptr;
    if (menu != nullptr && menu->isVisible() && menu->activeAction() == nullptr) {
        menu->setActiveAction(menu->actions().value(0));
    }
}

bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const qsizetype step = key->key() == Qt::Key_Right ? 1 : key->key() == Qt::Key_Left ? -1 : 0;
    const QList<QAction*> titles = actions();
    const qsizetype from = titles.indexOf(activeAction());
    if (step != 0 && key->modifiers() == Qt::NoModifier && from >= 0 &&
        watched == QApplication::activePopupWidget()) {
        // The next menu to the left or right, round the ends, its title heard before its item.
        openFromKeyboard(titles.value((from + step + titles.size()) % titles.size()));
        return true;
    }
    if (watched == unhighlighted_) {
        // Any other key acts as if the first item were highlighted already.
        highlightFirstItem();
    }
    return false;
}

void MenuBar::leaveMenus() {
    // Escape or a click closes a menu and, once no menu is open, the menu bar is left too, so
    // that the focus is back where it was rather than on the menu bar.
    if (QApplication::activePopupWidget() != nullptr || !holdingFocus_) {
        return;
    }
    holdingFocus_ = false;
    if (hasFocus()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(this, &escape);
    }
    // Unless the chosen item put the focus somewhere, it is on the bar still or nowhere: an open
    // menu takes it from the bar at the first arrow key, and Escape then hands it to that
    // closed menu. It goes back where it was when the menus opened; that control may have been
    // hidden meanwhile (First, by "One Number"), and the focus then goes where it would have
    // gone from there.
    QWidget* focus = QApplication::focusWidget();
    QWidget* back = menuFocus_ != nullptr && menuFocus_->isVisible() ? menuFocus_.data()
                                                                     : fallbackFocus_.data();
    if ((focus == nullptr || focus == this || qobject_cast<QMenu*>(focus) != nullptr) &&
        back != nullptr) {
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
