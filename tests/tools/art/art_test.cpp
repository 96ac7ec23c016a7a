// The skins are drawn from the layout table by quorvane-make-art and committed. Redrawing them here
// keeps a moved hot-spot or a changed caption from leaving stale art behind.
#include "art_set.h"
#include "extras.h"
#include "pixel_font.h"
#include "window/skin/skin_layout.h"

#include <QDir>
#include <QPainter>
#include <QRegion>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace qv;

const QDir kTree(QUORVANE_SOURCE_DIR);

// A committed picture under assets/, as it is stored or in `format`.
QImage asset(const QString& name, QImage::Format format = QImage::Format_Invalid) {
    const QImage image(kTree.filePath(QStringLiteral("assets/%1.png").arg(name)));
    return format == QImage::Format_Invalid ? image : image.convertToFormat(format);
}

TEST(Artwork, CommittedFilesAreWhatTheGeneratorDraws) {
    QTemporaryDir tmp;
    const std::vector<art::Output> outputs = art::render_all();
    QString error;
    ASSERT_TRUE(art::write_all(outputs, tmp.path(), &error)) << error.toStdString();
    for (const art::Output& o : outputs)
        EXPECT_EQ(art::difference(kTree.filePath(o.path), tmp.filePath(o.path)).toStdString(), "")
            << o.path.toStdString() << " has drifted: run quorvane-make-art and commit it";
}

// The windows rely on these palettes (0: true colour); a skin's entry 0 is the panel colour.
TEST(Artwork, StoredInTheDepthsTheWindowsExpect) {
    const std::pair<const char*, int> files[] = {
        {"skin_normal", 256}, {"skin_pressed", 256}, {"splash", 256},  {"chooser", 250},
        {"gauge", 0},         {"icon_16", 256},      {"icon_32", 256}, {"preview_cursor", 16},
        {"icon_48", 0},       {"icon_64", 0},        {"icon_128", 0},  {"icon_256", 0}};
    for (const auto& [name, colours] : files) {
        const QImage image = asset(name);
        EXPECT_EQ(image.colorCount(), colours) << name;
        EXPECT_TRUE(!QString(name).startsWith("skin") || image.color(0) == qRgb(178, 177, 164));
    }
}

// The icon theme's sizes are the window icon's drawing redrawn, not an enlarged 32-pixel icon: each
// is its own size and shrinks to about the 16-pixel icon.
TEST(Artwork, IconIsOneDrawingAtEverySize) {
    constexpr auto kFormat = QImage::Format_ARGB32_Premultiplied;
    const QImage small = asset("icon_16", kFormat);
    for (const int size : art::kIconSizes) {
        const QImage icon = asset(QStringLiteral("icon_%1").arg(size), kFormat);
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255) << size;
        const QImage shrunk = icon.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        long long off = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb a = shrunk.pixel(x, y);
                const QRgb b = small.pixel(x, y);
                off += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                       std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            }
        EXPECT_LT(off / (16 * 16 * 4), 24) << size;
        // Drawn at its size: the front button's left edge is crisp (a smooth enlargement blurs
        // it over several pixels) and the picture is not the 32-pixel one's pixels made bigger.
        const int y = size * 3 / 4;
        int blurred = 0;
        for (int x = 0; x < size && qAlpha(icon.pixel(x, y)) < 255; ++x)
            blurred += qAlpha(icon.pixel(x, y)) > 0;
        EXPECT_LE(blurred, 1) << size;
        const QImage enlarged = asset("icon_32", kFormat).scaled(size, size);
        EXPECT_TRUE(size <= 32 || icon != enlarged) << size;
    }
}

// The windows copy a hot-spot's rectangle from the pressed skin: doing so for every hot-spot must
// give the pressed skin, and every button with a look must change under its own rectangle.
TEST(Artwork, PressedSkinDiffersOnlyUnderHotSpots) {
    const QImage normal = asset("skin_normal", QImage::Format_RGB32);
    const QImage pressed = asset("skin_pressed", QImage::Format_RGB32);
    QImage all_pressed = normal;
    for (const layout::Item& item : layout::main_hot_spots()) {
        QPainter(&all_pressed).drawImage(item.rect, pressed, item.rect);
        const bool looks =
            item.feedback != layout::Feedback::None && item.feedback != layout::Feedback::Move;
        EXPECT_TRUE(!looks || normal.copy(item.rect) != pressed.copy(item.rect)) << item.name;
        EXPECT_TRUE(art::has_glyphs(item.caption)) << item.name;
    }
    EXPECT_TRUE(all_pressed == pressed);
}

// Captions are skin pixels beside the controls: none may sit under a control or a hot-spot, and
// every word must be in the skin's font.
TEST(SkinLayout, CaptionsLieClearOfControlsAndHotSpots) {
    QRegion main_taken, chooser_taken;
    for (const layout::Item& item : layout::main_hot_spots())
        if (item.art != layout::Art::TitleStrip) main_taken += item.rect;
    for (const layout::Control& control : layout::main_controls())
        if (*control.frame == '\0') main_taken += control.rect;
    for (const layout::Item& item : layout::chooser_items()) chooser_taken += item.rect;
    for (const auto& [captions, taken, skin] :
         {std::tuple{layout::main_captions(), main_taken, QSize(600, 240)},
          std::tuple{layout::chooser_captions(), chooser_taken, layout::kChooserSize}})
        for (const layout::Caption& c : captions)
            EXPECT_TRUE(QRect({0, 0}, skin).contains(c.rect) && !taken.intersects(c.rect) &&
                        art::has_glyphs(c.text) && art::text_width(c.text) <= c.rect.width())
                << c.text;
}

}  // namespace
