// Tells a screen reader the answer after each press of "Do It!", without moving the focus and
// without anything seen: an empty, zero-sized object whose accessible role is a notification,
// named with the text to tell and shown again each time. Orca speaks a notification that shows
// wherever the focus is ("notification 3.5"), also when the text is the same as before.
// What Qt 6.4 and AT-SPI leave silent: the box's own text change away from the focus, explicit
// text and value updates, an alert event (not passed on), status bar, alert and tooltip roles,
// and a changed name or description of the focused control.
#pragma once

#include <QWidget>

namespace quillon {

class AnswerAnnouncer final : public QWidget {
public:
    explicit AnswerAnnouncer(QWidget* parent);

    // Has a screen reader say `text` once, politely.
    void announce(const QString& text);
};

}  // namespace quillon
