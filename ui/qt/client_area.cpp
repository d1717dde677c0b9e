#include "client_area.h"

#include <QFont>
#include <QFrame>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <limits>
#include <span>

#include "box_validator.h"
#include "caption_button.h"
#include "look.h"
#include "operation_box.h"
#include "operations.h"
#include "qt_text.h"

namespace quillon {

namespace {

// Qt scales logical pixels on high-density screens; the window's own factor grows them for the
// desktop's text.
QRect inPixels(const TwipRect& twips, const LayoutScale& scale) {
    return {pixels(twips.left, scale), pixels(twips.top, scale), pixels(twips.width, scale),
            pixels(twips.height, scale)};
}

QColor colour(const Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// The boxes' font, sized like every length of the layout: its points are twips (20 a point),
// grown and rounded down to whole pixels, so that its text keeps its size against the boxes at
// any factor and any number of dots per inch (at 96, 12 points make 16 pixels).
QFont boxFont(const LayoutScale& scale, int dotsPerInch) {
    constexpr int kTwipsPerPoint = 20;
    const FontLook& look = windowLook().boxFont;
    QFont font(toQString(look.family), look.points, look.weight);
    font.setPointSizeF(pixels(look.points * kTwipsPerPoint, scale) * 72.0 / dotsPerInch);
    // A fixed-pitch face stands in where the named one is not installed.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The rectangle a box draws its text in, without text margins: its contents inside the
// style's frame. The box centres its line of text there and clips to it.
QRect textRoom(const QLineEdit& box) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.state |= QStyle::State_Sunken;
    return box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
}

// The characters of a number, whose glyphs a box must show whole.
QString numberCharacters() {
    return QStringLiteral("0123456789+-.E");
}

// Keeps the glyphs of a number inside the box, a row clear of its frame. The box centres its
// font's line of text in its room; a face whose line is tall for its glyphs, as some stand-ins
// for the boxes' font are, can push them past an edge of the room, which the box clips. Then
// the line moves just enough the other way: the box centres it between its text margins, so a
// margin beyond the room on the far side moves it, and the room the box clips to grows, never
// shrinks. Where the glyphs lie inside already, the margins stay none.
void keepNumbersInside(QLineEdit& box) {
    box.setTextMargins(0, 0, 0, 0);
    const QFontMetrics metrics = box.fontMetrics();
    // Relative to the baseline: top() is above it, negative.
    const QRect ink = metrics.tightBoundingRect(numberCharacters());
    const int room = textRoom(box).height();
    // Where the box puts the baseline, with margins of `top` and `bottom` pixels.
    const auto baseline = [&](int top, int bottom) {
        return top + (room - top - bottom - metrics.height() + 1) / 2 + metrics.ascent();
    };
    const int above = baseline(0, 0) + ink.top() - 1;
    const int below = room - 2 - (baseline(0, 0) + ink.bottom());
    // Glyphs taller than the room: the window grows until they are not (neededScale).
    if ((above >= 0 && below >= 0) || ink.height() + 2 > room) {
        return;
    }
    // Each pixel more of margin moves the line by half a pixel, rounded: the first margin at
    // which the glyphs lie inside, before they could pass the other edge.
    for (int margin = -1;; --margin) {
        const int top = above < 0 ? 0 : margin;
        const int bottom = above < 0 ? margin : 0;
        const int line = baseline(top, bottom);
        if (line + ink.top() - 1 >= 0 && room - 2 - (line + ink.bottom()) >= 0) {
            box.setTextMargins(0, top, 0, bottom);
            return;
        }
    }
}

// Every name the list can hold, whichever menu items the user chooses.
QStringList everyOperationName() {
    QStringList names;
    for (const CatalogueEntry* entry : everyEntry()) {
        names.append(toQString(entry->name));
    }
    return names;
}

// The colours of everything drawn on a fixed bright background, whatever the theme: the look's
// text colour for text and arrows, at half opacity for placeholder and disabled text, and its
// selection colours.
void fixTextColours(QPalette& palette) {
    const TextColours& fixed = windowLook().fixedText;
    QColor dim = colour(fixed.text);
    dim.setAlpha(128);
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, colour(fixed.text));
        palette.setColor(QPalette::Disabled, role, dim);
    }
    palette.setColor(QPalette::PlaceholderText, dim);
    palette.setColor(QPalette::Highlight, colour(fixed.selection));
    palette.setColor(QPalette::HighlightedText, colour(fixed.selectedText));
}

// Gives a control the background of its row, where the row fixes one, and the text on it
// colours readable there; Bar is filled with its colour.
void paint(QWidget* widget, const ControlLook& look) {
    if (!look.background) {
        return;
    }
    const QColor background = colour(*look.background);
    QPalette palette = widget->palette();
    if (look.kind == ControlKind::Line) {
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, background);
    } else {
        palette.setColor(QPalette::Base, background);
        if (look.kind == ControlKind::List) {
            palette.setColor(QPalette::Button, background);
        }
        fixTextColours(palette);
    }
    widget->setPalette(palette);
}

// The drop-down list, showing its initial text from the start.
OperationBox* makeList(const ControlLook& look, QWidget* client) {
    auto* list = new OperationBox(toQString(look.text), client);
    // Screen readers announce the focused edit field, not the list around it.
    list->lineEdit()->setAccessibleName(toQString(accessibleName(look)));
    list->setEditText(toQString(look.text));
    list->lineEdit()->setCursorPosition(0);
    list->setValidator(new BoxValidator(list->lineEdit(), look.typingLimit));
    return list;
}

// The widget of one row of the look table, with its name, colour and initial text; Form1
// places it and gives it its font.
QWidget* makeControl(const ControlLook& look, QWidget* client) {
    QWidget* widget = nullptr;
    switch (look.kind) {
        case ControlKind::Box: {
            auto* edit = new QLineEdit(toQString(look.text), client);
            // The toolkit's default cap of 32767 characters would also cut what the program
            // writes.
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setValidator(new BoxValidator(edit, look.typingLimit));
            widget = edit;
            break;
        }
        case ControlKind::List:
            widget = makeList(look, client);
            break;
        case ControlKind::Button:
            widget = new CaptionButton(toQString(look.text), client);
            break;
        case ControlKind::Line:
            widget = new QFrame(client);
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            break;
    }
    widget->setObjectName(toQString(look.name));
    widget->setAccessibleName(toQString(accessibleName(look)));
    if (look.tabIndex < 0) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    if (!look.description.empty()) {
        widget->setToolTip(toQString(look.description));
        widget->setAccessibleDescription(toQString(look.description));
    }
    paint(widget, look);
    return widget;
}

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    const WindowLook& look = windowLook();
    setObjectName(QStringLiteral("client"));
    setAutoFillBackground(true);
    QPalette background = palette();
    // Only the window's own colour: the button inside follows the theme.
    background.setColor(QPalette::Window, colour(look.background));
    setPalette(background);

    for (const ControlLook& control : look.controls) {
        makeControl(control, this);
    }
    QWidget* previous = nullptr;
    for (const ControlLook* control : tabOrder()) {
        if (control->tabIndex < 0) {
            break;
        }
        QWidget* widget = this->control(control->name);
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
    list_ = findChild<OperationBox*>(QString(), Qt::FindDirectChildrenOnly);
    list_->makeRoomFor(everyOperationName());
}

void ClientArea::fitToText(int menuBarWidth) {
    scale_ = LayoutScale();
    layOut(scale_);
    // Frames and paddings that depend on the size may move once more; a few rounds settle.
    for (int round = 0; round < 4; ++round) {
        // The menu bar is as wide as the client area and shows both titles whole or hides
        // the second behind an extension button.
        const LayoutScale needed = std::max(
            neededScale(scale_), LayoutScale::toReach(windowLook().clientWidth, menuBarWidth));
        if (!(scale_ < needed)) {
            break;
        }
        scale_ = needed;
        layOut(scale_);
    }
}

void ClientArea::layOut(const LayoutScale& scale) {
    const WindowLook& look = windowLook();
    setFixedSize(pixels(look.clientWidth, scale), pixels(look.clientHeight, scale));
    for (const ControlLook& control : look.controls) {
        QWidget* widget = this->control(control.name);
        widget->setGeometry(inPixels(control.twips, scale));
        if (control.boxFont) {
            widget->setFont(boxFont(scale, logicalDpiY()));
        }
        if (control.kind == ControlKind::Box) {
            keepNumbersInside(*qobject_cast<QLineEdit*>(widget));
        }
    }
}

LayoutScale ClientArea::neededScale(const LayoutScale& current) const {
    const WindowLook& look = windowLook();
    LayoutScale needed = current;
    // A length of the list, `twips` long and `now` pixels at the current factor, gives its
    // text `room` pixels of them and must give `wanted`: its frame and padding keep their
    // pixels at every factor, and all the rest grows.
    const auto reach = [&needed](int twips, int now, int room, int wanted) {
        needed = std::max(needed, LayoutScale::toReach(twips, wanted + now - room));
    };
    const auto list =
        std::find_if(look.controls.begin(), look.controls.end(),
                     [](const ControlLook& control) { return control.kind == ControlKind::List; });
    const QSize needs = list_->fieldNeeds();
    const QSize room = list_->fieldRoom();
    reach(list->twips.width, list_->width(), room.width(), needs.width());
    reach(list->twips.height, list_->height(), room.height(), needs.height());
    // The boxes and the button have the boxes' font, which grows with them; but the boxes'
    // frames keep their pixels. A box's room must hold a number's glyphs, the button's height
    // its caption's, each with a row clear above and below; where in that height the face puts
    // them, the box (keepNumbersInside) and the button see to.
    for (const ControlLook& control : look.controls) {
        if (control.kind == ControlKind::Box) {
            const auto* box = this->control<QLineEdit>(control.name);
            reach(control.twips.height, box->height(), textRoom(*box).height(),
                  box->fontMetrics().tightBoundingRect(numberCharacters()).height() + 2);
        } else if (control.kind == ControlKind::Button) {
            const QWidget* button = this->control(control.name);
            reach(control.twips.height, button->height(), button->height(),
                  button->fontMetrics().tightBoundingRect(toQString(control.text)).height() + 2);
        }
    }
    return needed;
}

}  // namespace quillon
