// The window's client area in Qt Widgets: one widget for each control of the look table
// (look.h), named, coloured and in the focus order as the table says, placed at a layout scale.
// It fits them to the desktop's text; what they do is Form1's.
#pragma once

#include <QWidget>
#include <string_view>

#include "layout_scale.h"

namespace quillon {

class OperationBox;

class ClientArea final : public QWidget {
public:
    explicit ClientArea(QWidget* parent);

    // The widget of the control named `name` in the look.
    template <typename T = QWidget>
    T* control(std::string_view name) const {
        return findChild<T*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                             Qt::FindDirectChildrenOnly);
    }

    // Grows the client area from its twips by the smallest factor at which every text shows
    // whole (what neededScale measures, and the menu titles of a bar `menuBarWidth` pixels
    // wide above it), starting again from 1, and places everything at it.
    void fitToText(int menuBarWidth);

    // The factor of the last fit: 1 where nothing needs more.
    const LayoutScale& scale() const { return scale_; }

    // Places the client area and every control at `scale`, the box font grown alike.
    void layOut(const LayoutScale& scale);

    // The least scale, from `current`, at which the list's texts (its start text and the
    // starts of its names) and the glyphs of a number in each box show whole, given how much
    // room the controls leave them at `current`.
    LayoutScale neededScale(const LayoutScale& current) const;

private:
    OperationBox* list_ = nullptr;
    LayoutScale scale_;
};

}  // namespace quillon
