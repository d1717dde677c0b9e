// "Do It!": a push button drawn by the style, but for its caption, which is centred in the
// button's whole height. The button is lower than some styles' padding above and below a
// caption in its font, and they would cut the caption's top and bottom.
#pragma once

#include <QPushButton>

namespace quillon {

class CaptionButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillon
