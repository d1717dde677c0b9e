// The window's layout and look: each control's place, size and colour, the fonts, the window
// under every style with light and dark palettes, the fit to the desktop's font, and the
// program file's icon.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <QtMath>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "look.h"
#include "window_fixture.h"

namespace quillon {
namespace {

// The layout's fixed figures at 96 dpi, which the page's test reads too.
QJsonObject layoutPixels() {
    QFile file(QStringLiteral(QUILLON_SOURCE_DIR "/tests/layout_pixels.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

TEST_F(WindowTest, ControlsSitAtTheLayoutsFixedPixels) {
    const QJsonObject pixels = layoutPixels();
    const QJsonObject controls = pixels[QStringLiteral("controls")].toObject();
    EXPECT_EQ(controls.size(), std::ssize(windowLook().controls));
    for (auto at = controls.begin(); at != controls.end(); ++at) {
        const QJsonArray rect = at.value().toArray();
        QWidget* control = widget(at.key().toLatin1().constData());
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(),
                  QRect(rect[0].toInt(), rect[1].toInt(), rect[2].toInt(), rect[3].toInt()))
            << at.key().toStdString();
        // The button is announced by its caption, every other control by its name.
        EXPECT_EQ(control->accessibleName(),
                  at.key() == QStringLiteral("DoIt") ? QStringLiteral("Do It!") : at.key());
    }
    const QJsonArray client = pixels[QStringLiteral("client")].toArray();
    EXPECT_EQ(form.centralWidget()->size(), QSize(client[0].toInt(), client[1].toInt()));
    EXPECT_EQ(form.centralWidget()->y(), form.menuBar()->height());
    // The native window holds the menu bar and the client area, nothing more.
    ASSERT_NE(form.windowHandle(), nullptr);
    EXPECT_EQ(form.windowHandle()->size(),
              QSize(client[0].toInt(), form.menuBar()->height() + client[1].toInt()));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quillon"));
    EXPECT_FALSE(form.windowIcon().isNull());
}

TEST_F(WindowTest, TheWindowKeepsItsSizeWhenAskedToResize) {
    const QSize size = form.size();
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    form.resize(size.width() + 200, size.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), size);
    EXPECT_EQ(box("Answer")->geometry(), QRect(0, 48, 321, 19));
}

TEST_F(WindowTest, ColoursAtTheControlsCentres) {
    // The list's edit text would cover its centre; the colour is what is under it.
    operation()->setEditText(QString());
    const QImage image = form.centralWidget()->grab().toImage();
    ASSERT_EQ(image.size(), QSize(319, 82));
    struct Row {
        const char* what;
        QPoint at;
        QColor colour;
    };
    const Row rows[] = {
        {"First", {224, 9}, QColor(0, 255, 0)},       {"Second", {224, 25}, QColor(0, 255, 0)},
        {"Operation", {64, 26}, QColor(255, 255, 0)}, {"Answer", {160, 57}, QColor(0, 255, 255)},
        {"window", {300, 45}, QColor(255, 255, 255)}, {"window below First", {20, 8}, Qt::white},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(image.pixelColor(row.at), row.colour) << row.what;
    }
    // Bar is drawn in the line colour, dark on the white window.
    EXPECT_LT(image.pixelColor(160, 39).lightness(), 64);
}

TEST_F(WindowTest, BoxesAndButtonUseBoldTwelvePointCourierNew) {
    for (const char* name : {"First", "Second", "Answer", "DoIt"}) {
        const QFont font = widget(name)->font();
        EXPECT_EQ(font.family(), QStringLiteral("Courier New")) << name;
        EXPECT_EQ(font.weight(), QFont::Bold) << name;
        EXPECT_EQ(font.pointSize(), 12) << name;
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut()) << name;
        // A fixed-pitch face stands in for it when it is not installed.
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << name;
    }
    EXPECT_NE(operation()->font().family(), QStringLiteral("Courier New"));
}

TEST_F(WindowTest, TheOpenListShowsEveryEntryWhole) {
    QAbstractItemView* view = operation()->view();
    forEveryList(form, [&](int mode, int item) {
        operation()->showPopup();
        ASSERT_TRUE(view->isVisible());
        for (int i = 0; i < operation()->count(); ++i) {
            const QModelIndex entry = view->model()->index(i, 0);
            EXPECT_LE(view->sizeHintForIndex(entry).width(), view->viewport()->width())
                << form.listText(i) << " in mode " << mode << " after item " << item;
        }
        operation()->hidePopup();
    });
    EXPECT_EQ(operation()->geometry(), QRect(0, 16, 129, 21));
}

// Runs `check` on a fresh window under each of `styles` with its light palette and with a dark
// one (light text on dark grey), then puts the application's style and palette back.
void underEachLook(const QStringList& styles,
                   const std::function<void(Form1&, const std::string& look)>& check) {
    const QString style = QApplication::style()->name();
    const QPalette palette = QApplication::palette();
    // QUILLON_LOOK, where set, keeps one look of these ("Fusion, light").
    const QString only = qEnvironmentVariable("QUILLON_LOOK");
    for (const QString& name : styles) {
        QApplication::setStyle(name);
        for (const auto& [tone, toned] :
             {std::pair{"light", QApplication::style()->standardPalette()},
              std::pair{"dark", QPalette(QColor(53, 53, 53))}}) {
            const std::string look = name.toStdString() + ", " + tone;
            if (!only.isEmpty() && only.toStdString() != look) {
                continue;
            }
            QApplication::setPalette(toned);
            Form1 form;
            form.show();
            check(form, look);
        }
    }
    QApplication::setStyle(style);
    QApplication::setPalette(palette);
}

// The pixels of `image` inside `area` that differ clearly from `background`.
std::vector<QColor> marks(const QImage& image, const QRect& area, const QColor& background) {
    std::vector<QColor> found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - background.red()) +
                    std::abs(pixel.green() - background.green()) +
                    std::abs(pixel.blue() - background.blue()) >
                60) {
                found.push_back(pixel);
            }
        }
    }
    return found;
}

// The first and last row of the button's caption: rows where, over the caption's width, a
// pixel differs from the button's face left of the caption in that row. In logical pixels, on a
// screen of any scale.
std::pair<int, int> captionRows(QPushButton* button) {
    const QImage image = button->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const int width = qCeil(button->fontMetrics().horizontalAdvance(button->text()) * scale);
    const int left = (image.width() - width) / 2;
    std::pair rows{-1, -1};
    for (int y = 0; y < image.height(); ++y) {
        if (!marks(image, QRect(left, y, width, 1), image.pixelColor(left - 10, y)).empty()) {
            rows = {rows.first < 0 ? y : rows.first, y};
        }
    }
    return {qFloor(rows.first / scale), qFloor(rows.second / scale)};
}

// Expects the client area and every control of `form` grown from their twips by one factor, the
// client area's width's: to the pixels that rounding and the factor's own uncertainty leave.
void expectInProportion(Form1& form, const std::string& look) {
    QWidget* client = form.centralWidget();
    const double growth = client->width() * double{kTwipsPerPixel} / windowLook().clientWidth;
    EXPECT_GE(growth, 1.0) << look;
    EXPECT_NEAR(client->height(), windowLook().clientHeight * growth / kTwipsPerPixel, 2) << look;
    for (const ControlLook& control : windowLook().controls) {
        const QWidget* widget = client->findChild<QWidget*>(
            QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
        const TwipRect& twips = control.twips;
        const QRectF expected(twips.left, twips.top, twips.width, twips.height);
        for (const auto& [pixels, length] : {std::pair{widget->x(), expected.x()},
                                             {widget->y(), expected.y()},
                                             {widget->width(), expected.width()},
                                             {widget->height(), expected.height()}}) {
            EXPECT_NEAR(pixels, length * growth / kTwipsPerPixel, 2)
                << control.name << ", " << look;
        }
    }
}

TEST(WindowLook, TextIsDarkOnTheFixedColoursUnderLightAndDarkPalettesInEveryStyle) {
    underEachLook(
        QStringList(QApplication::style()->name()) + QStyleFactory::keys(),
        [](Form1& form, const std::string& look) {
            const QImage image = form.centralWidget()->grab().toImage();
            // In each box every glyph pixel is darker than the bright background (lightness
            // 127), and the darkest is nearly black.
            for (const char* name : {"First", "Second", "Answer", "Operation"}) {
                auto* box = form.findChild<QWidget*>(QLatin1String(name));
                auto* list = qobject_cast<QComboBox*>(box);
                QWidget* field = list ? list->lineEdit() : box;
                const QRect text =
                    QRect(field->mapTo(form.centralWidget(), QPoint()), field->size())
                        .intersected(box->geometry().adjusted(3, 3, -3, -3));
                std::vector<int> glyphs;
                for (const QColor& mark :
                     marks(image, text, box->palette().color(QPalette::Base))) {
                    glyphs.push_back(mark.lightness());
                }
                ASSERT_FALSE(glyphs.empty()) << name << ", " << look;
                EXPECT_LT(*std::max_element(glyphs.begin(), glyphs.end()), 127)
                    << name << ", " << look;
                EXPECT_LT(*std::min_element(glyphs.begin(), glyphs.end()), 64)
                    << name << ", " << look;
            }
            // The list's arrow shows on its yellow.
            auto* list = form.findChild<QComboBox*>(QStringLiteral("Operation"));
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = true;
            const QRect arrow = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxArrow, list);
            EXPECT_FALSE(marks(image, arrow.translated(list->pos()).adjusted(2, 2, -2, -2),
                               QColor(255, 255, 0))
                             .empty())
                << look;
            // Bar is black, and the controls keep their places in proportion to the window, which
            // grows where a style leaves the desktop's text too little room.
            QWidget* bar = form.findChild<QWidget*>(QStringLiteral("Bar"));
            EXPECT_TRUE(marks(image, bar->geometry().intersected(image.rect()), Qt::black).empty())
                << look;
            expectInProportion(form, look);
            // The button's caption lies whole inside the button.
            auto* button = form.findChild<QPushButton*>(QStringLiteral("DoIt"));
            const auto [top, bottom] = captionRows(button);
            EXPECT_GT(top, 0) << look;
            EXPECT_LT(bottom, button->height() - 1) << look;
            EXPECT_GE(bottom - top + 2, button->fontMetrics().tightBoundingRect("Do It!").height())
                << look;
        });
}

TEST(WindowLook, ChooseOperationShowsWholeAtDebiansDefaultFont) {
    const QFont font = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    underEachLook({QApplication::style()->name(), QStringLiteral("Fusion")},
                  [](Form1& form, const std::string& look) {
                      auto* list = form.findChild<QComboBox*>(QStringLiteral("Operation"));
                      QLineEdit* edit = list->lineEdit();
                      ASSERT_EQ(QFontInfo(edit->font()).family(), QStringLiteral("DejaVu Sans"));
                      ASSERT_EQ(edit->text(), QStringLiteral("Choose Operation"));
                      // The field lays its text out in its contents less the text margins and its
                      // own padding of 2 pixels on each side; the cursor after the text takes one
                      // more.
                      const int advance = edit->fontMetrics().horizontalAdvance(edit->text());
                      const QRect contents =
                          edit->contentsRect().marginsRemoved(edit->textMargins());
                      EXPECT_LE(advance + 1, contents.width() - 4) << look;
                      // So the field does not scroll, which it does as it paints: the text's end
                      // lies one advance after its start.
                      const auto cursorAt = [edit](int position) {
                          edit->setCursorPosition(position);
                          edit->grab();
                          return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
                      };
                      EXPECT_EQ(cursorAt(16) - cursorAt(0), advance) << look;
                      EXPECT_EQ(list->geometry(), QRect(0, 16, 129, 21)) << look;
                      EXPECT_EQ(list->font(), form.font()) << look;
                  });
    QApplication::setFont(font);
}

// Where the field draws the first character of its text, found from where it draws the cursor
// (it scrolls its text as it paints).
int textStartX(QLineEdit* edit) {
    edit->grab();
    const int cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    return cursor -
           edit->fontMetrics().horizontalAdvance(edit->text().left(edit->cursorPosition()));
}

// Measures every text of `form` against the room its widget gives it, after saving the window's
// picture as SETTING.png in the folder $QUILLON_SCREENSHOTS, where set; leaves the list changed.
void expectEveryTextWhole(Form1& form, const std::string& setting) {
    if (const QString folder = qEnvironmentVariable("QUILLON_SCREENSHOTS"); !folder.isEmpty()) {
        ASSERT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(form.grab().save(folder + "/" + QString::fromStdString(setting) + ".png"));
    }
    std::cout << setting << ": factor " << form.layoutScale() << "\n";
    expectInProportion(form, setting);
    // The list's field: its start text, and of every name the list can hold as many characters
    // as that has, in its contents less its padding of 2 pixels a side and a pixel for the cursor.
    auto* list = form.findChild<QComboBox*>(QStringLiteral("Operation"));
    QLineEdit* edit = list->lineEdit();
    const QFontMetrics metrics = edit->fontMetrics();
    const int room = edit->contentsRect().marginsRemoved(edit->textMargins()).width() - 5;
    const QString start = edit->text();
    EXPECT_LE(metrics.horizontalAdvance(start), room) << setting;
    EXPECT_LE(metrics.height(), edit->height()) << setting;
    forEveryList(form, [&](int, int) {
        for (int i = 0; i < list->count(); ++i) {
            EXPECT_LE(metrics.horizontalAdvance(list->itemText(i).left(start.size())), room)
                << list->itemText(i).toStdString() << ", " << setting;
        }
    });
    // Both menu titles on the bar, and no extension button.
    QMenuBar* bar = form.menuBar();
    const auto* extension = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_TRUE(extension == nullptr || extension->isHidden()) << setting;
    for (QAction* menu : bar->actions()) {
        EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu))) << setting;
    }
    // In each box the glyphs of a number, whole: inside the box's frame, over the text's width,
    // as many rows of ink as the font gives them (a row fewer for the anti-aliased edge), and a
    // clear row between them and the frame. A box clips its text at its frame, which takes rows
    // off a glyph that a tall line pushes there.
    // Then the lower button's caption, in capitals and without descenders, inside the button.
    for (const char* name : {"First", "Second", "Answer"}) {
        auto* box = form.findChild<QLineEdit*>(QLatin1String(name));
        const QString held = box->text();
        for (const QString& number : {QStringLiteral("0"), QStringLiteral("1234567890")}) {
            box->setText(number);
            // The whole inside of the frame, in device pixels on a screen of any scale, with no
            // cursor: the box has not the focus while it is looked at.
            const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
            QWidget* focused = QApplication::focusWidget();
            box->clearFocus();
            const QImage image = box->grab().toImage();
            if (focused != nullptr) {
                focused->setFocus();
            }
            const qreal scale = image.devicePixelRatio();
            const QRect inside(QPoint(qCeil(frame * scale), qCeil(frame * scale)),
                               QPoint(qFloor((box->width() - frame) * scale) - 1,
                                      qFloor((box->height() - frame) * scale) - 1));
            int first = -1;
            int last = -1;
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                // Clear of the frame's rounded corners.
                const QRect row(inside.left() + 2, y, inside.width() - 4, 1);
                if (!marks(image, row, box->palette().color(QPalette::Base)).empty()) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
            const std::string where = std::string(name) + " \"" + number.toStdString() +
                                      "\" rows " + std::to_string(first) + ".." +
                                      std::to_string(last) + ", " + setting;
            EXPECT_GE((last - first + 1) / scale + 1,
                      box->fontMetrics().tightBoundingRect(number).height())
                << where;
            EXPECT_GT(first, inside.top()) << where;
            EXPECT_LT(last, inside.bottom()) << where;
        }
        box->setText(held);
    }
    const auto [top, bottom] = captionRows(form.findChild<QPushButton*>(QStringLiteral("DoIt")));
    EXPECT_GT(top, 0) << setting;
    EXPECT_LT(bottom, form.findChild<QWidget*>(QStringLiteral("DoIt"))->height() - 1) << setting;
    // A name too long for the field, chosen, shows from its start like the start text.
    const int unscrolled = textStartX(edit);
    form.numberMenuItem(2)->trigger();
    form.addMenuItem(2)->trigger();
    list->setCurrentIndex(list->findText(QStringLiteral("Not If-Then (Bytewise)")));
    ASSERT_GT(metrics.horizontalAdvance(edit->text()), room) << setting;
    EXPECT_EQ(textStartX(edit), unscrolled) << setting;
}

// Under the platform's font, or the one a desktop gives through its platform theme: the
// window_fonts tests run this once for each, naming it in QUILLON_DESKTOP_FONT.
TEST(DesktopFonts, EveryTextShowsWholeUnderThePlatformsFont) {
    const QFont font = QApplication::font();
    if (const QString named = qEnvironmentVariable("QUILLON_DESKTOP_FONT"); !named.isEmpty()) {
        EXPECT_EQ(font.family() + " " + QString::number(font.pointSize()), named);
    }
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // QUILLON_BOX_FACE names the face a setting puts in the place of the boxes' font.
    const QString boxFace =
        QFontInfo(form.findChild<QWidget*>(QStringLiteral("Answer"))->font()).family();
    if (const QString forced = qEnvironmentVariable("QUILLON_BOX_FACE"); !forced.isEmpty()) {
        ASSERT_EQ(boxFace, forced);
    }
    // Debian's default, with its stand-in for the boxes' font, needs no more than the
    // described size, on a screen of any scale.
    if (QFontInfo(font).family() == QStringLiteral("DejaVu Sans") && font.pointSize() == 9 &&
        boxFace == QStringLiteral("Liberation Mono")) {
        EXPECT_EQ(form.centralWidget()->size(), QSize(319, 82));
    }
    expectEveryTextWhole(form,
                         QGuiApplication::platformName().toStdString() + "-" +
                             qEnvironmentVariable("QUILLON_SETTING", "default").toStdString());
}

TEST(DesktopFonts, TheWindowFitsItsTextAgainWhenTheFontOrTheStyleChanges) {
    const QFont font = QApplication::font();
    const QString style = QApplication::style()->name();
    // The new font reaches the window, and the window the size of its client area, through the
    // event loop.
    const auto settles = [](Form1& form, const std::function<bool()>& grown) {
        return QTest::qWaitFor(
            [&] { return grown() && form.width() == form.centralWidget()->width(); });
    };
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    {
        Form1 form;
        form.show();
        ASSERT_EQ(form.centralWidget()->size(), QSize(319, 82));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
        EXPECT_TRUE(settles(form, [&] { return form.layoutScale() > 1; }));
        expectEveryTextWhole(form, "refit-dejavu-14");
        // Back to the smaller font, back to the described size, box font and all.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        EXPECT_TRUE(settles(form, [&] { return form.centralWidget()->width() == 319; }));
        EXPECT_EQ(form.centralWidget()->size(), QSize(319, 82));
        EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Answer"))->font().pointSizeF(), 12.0);
    }
    // KDE's font at 9 points fits Fusion's list field but not the lower one of Windows' style.
    QApplication::setFont(QFont(QStringLiteral("Noto Sans"), 9));
    QApplication::setStyle(QStringLiteral("Fusion"));
    {
        Form1 form;
        form.show();
        ASSERT_EQ(form.centralWidget()->size(), QSize(319, 82));
        QApplication::setStyle(QStringLiteral("Windows"));
        EXPECT_TRUE(settles(form, [&] { return form.layoutScale() > 1; }));
        expectEveryTextWhole(form, "refit-windows-style");
    }
    QApplication::setStyle(style);
    QApplication::setFont(font);
}

// The program file's icon: a 32 x 32 and a 16 x 16 image, every pixel white and opaque, in the
// 32 bits per pixel of blue, green, red and alpha that ImageMagick writes.
TEST(WindowIcon, TheProgramIconHoldsWhiteOpaqueImages) {
    std::ifstream file(QUILLON_SOURCE_DIR "/ui/icons/quillon.ico", std::ios::binary);
    const std::string ico((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto number = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(ico.at(at + i));
        }
        return value;
    };
    ASSERT_GE(ico.size(), 6u);
    ASSERT_EQ(number(2, 2), 1u);  // an icon, not a cursor
    ASSERT_EQ(number(4, 2), 2u);
    const int sizes[] = {32, 16};
    for (std::size_t image = 0; image < 2; ++image) {
        const std::size_t entry = 6 + 16 * image;
        const int size = sizes[image];
        EXPECT_EQ(number(entry, 1), static_cast<std::uint32_t>(size));
        EXPECT_EQ(number(entry + 1, 1), static_cast<std::uint32_t>(size));
        EXPECT_EQ(number(entry + 6, 2), 32u) << size;
        const std::size_t bitmap = number(entry + 12, 4);
        EXPECT_EQ(number(bitmap + 4, 4), static_cast<std::uint32_t>(size));
        EXPECT_EQ(number(bitmap + 8, 4), static_cast<std::uint32_t>(2 * size));
        ASSERT_EQ(number(bitmap + 14, 2), 32u) << size;
        EXPECT_EQ(number(bitmap + 16, 4), 0u);  // uncompressed
        // Rows of 4-byte pixels, then the transparency mask, padded to 4 bytes a row.
        const std::size_t row = size * 4;
        const std::size_t mask = (size + 31) / 32 * 4;
        ASSERT_EQ(number(entry + 8, 4), 40 + (row + mask) * size);
        const std::string pixels = ico.substr(bitmap + 40, row * size);
        const std::string transparency = ico.substr(bitmap + 40 + row * size, mask * size);
        for (int y = 0; y < size; ++y) {
            EXPECT_EQ(pixels.substr(y * row, row), std::string(row, '\xFF')) << y;
        }
        EXPECT_EQ(transparency, std::string(mask * size, '\0'));
    }
}

}  // namespace
}  // namespace quillon
