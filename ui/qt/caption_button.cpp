#include "caption_button.h"

#include <QFontMetricsF>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QtMath>

namespace quillon {

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    QStyleOptionButton caption = option;
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    caption.rect =
        QRect(contents.left(), option.rect.top(), contents.width(), option.rect.height());
    // The style centres the caption's line; where the face's line is tall for its glyphs and
    // that would push them within a row of the button's edge, the caption moves just enough
    // to keep them clear of it (the window grows so that they fit at all).
    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(text());
    const qreal baseline = (option.rect.height() - metrics.height()) / 2 + metrics.ascent();
    const qreal above = baseline + ink.top() - 1;
    const qreal below = option.rect.height() - 1 - (baseline + ink.bottom());
    if (above < 0) {
        caption.rect.translate(0, qCeil(-above));
    } else if (below < 0) {
        caption.rect.translate(0, -qCeil(-below));
    }
    painter.drawControl(QStyle::CE_PushButtonLabel, caption);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace quillon
