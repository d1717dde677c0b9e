// The window's menu bar, built from the menu tree of the look (look.h): each menu and its
// items named as the look names them, the items of an exclusive menu one group of checkable
// choices, and the keys of the menus: F10 opens the first, Left and Right move between them,
// Escape closes them and gives the focus back. What an item does is the window's: the bar tells
// it which item was chosen.
#pragma once

#include <QList>
#include <QMenuBar>
#include <QPointer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace quillon {

struct MenuLook;

class MenuBar final : public QMenuBar {
public:
    // Told the look of the menu and the index (from 1) of the item the user chose.
    using ItemChosen = std::function<void(const MenuLook& menu, std::int16_t index)>;

    // The menu bar of `window`. Closing the menus gives the focus back to where it was when
    // they opened (by F10 or the mouse), or to `fallbackFocus` where that control has been
    // hidden meanwhile.
    MenuBar(QWidget* window, QWidget* fallbackFocus, ItemChosen chosen);

    // Item `index` (from 1) of menu `menu` (from 0, left to right as in the look), or null.
    QAction* item(std::size_t menu, int index) const;

    // Checks, in each exclusive menu, the item that the look names for `numberMode`.
    void showMode(std::int16_t numberMode);

    // The pixels the bar needs to show every title whole, which the window's width must
    // reach; 0 where the menus are the platform's own, outside the window.
    int neededWidth() const;

    // How long a menu opened from the keyboard shows no highlighted item while a screen reader
    // or another assistive technology listens, in milliseconds; without one, none.
    static constexpr int kTitleHeardMs = 1000;

protected:
    // Left and Right in an open menu, and any key before its first item is highlighted.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus(const ItemChosen& chosen);
    void connectKeys(QWidget* window);
    // Takes the focus while the menus are open, noting where it was.
    void holdFocus();
    // Opens the menu of `title` and highlights its first item, kTitleHeardMs later where a
    // screen reader listens.
    void openFromKeyboard(QAction* title);
    // Highlights the first item of the menu opened from the keyboard, if none is yet.
    void highlightFirstItem();
    // After a menu closed: once no menu is open, leaves the bar and gives the focus back.
    void leaveMenus();

    std::vector<QList<QAction*>> items_;  // each menu's items, as in the look
    QPointer<QWidget> menuFocus_;         // where the open menus took the focus from
    bool holdingFocus_ = false;           // the bar took the focus for the open menus
    QPointer<QMenu> unhighlighted_;       // a menu opened from the keyboard, no item highlighted
    int openings_ = 0;                    // how many menus were opened from the keyboard
    QPointer<QWidget> fallbackFocus_;
};

}  // namespace quillon
