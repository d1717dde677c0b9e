#include "caption_button.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
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
    // A style that paints the system's own face whatever the palette says (Windows' native
    // style under a dark palette: white text on its light face) would hide the caption: where
    // the face behind the caption is too close to the caption's colour, it is drawn in black or
    // white instead, whichever stands out.
    QImage face(size() * devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    face.setDevicePixelRatio(devicePixelRatio());
    face.fill(palette().color(QPalette::Button));
    {
        QPainter facePainter(&face);
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &facePainter, this);
    }
    const int behind = face.pixelColor(face.width() / 2, face.height() / 2).lightness();
    if (qAbs(behind - caption.palette.color(QPalette::ButtonText).lightness()) < 96) {
        caption.palette.setColor(QPalette::ButtonText, behind < 128 ? Qt::white : Qt::black);
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
