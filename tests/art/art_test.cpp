// The skins are drawn from the layout table by quorvane-make-art and committed. These tests redraw
// them and hold the committed files to the drawing, so that a moved hot-spot or a changed
// caption cannot leave stale art behind; and they check the rules the windows rely on.
#include "art_set.h"
#include "pixel_font.h"
#include "shell/skin_layout.h"

#include <QDir>
#include <QImage>
#include <QRegion>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

namespace layout = qv::layout;

QString committed(const QString& path) {
    return QDir(QUORVANE_SOURCE_DIR).filePath(path);
}

TEST(Artwork, CommittedFilesAreWhatTheGeneratorDraws) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const std::vector<qv::art::Output> outputs = qv::art::render_all();
    QString error;
    ASSERT_TRUE(qv::art::write_all(outputs, scratch.path(), &error)) << error.toStdString();
    for (const qv::art::Output& output : outputs)
        EXPECT_EQ(
            qv::art::difference(committed(output.path), QDir(scratch.path()).filePath(output.path))
                .toStdString(),
            "")
            << output.path.toStdString()
            << " has drifted: run quorvane-make-art and commit its output";
}

TEST(Artwork, StoredInTheDepthsTheWindowsExpect) {
    struct Expected {
        const char* path;
        QSize size;
        int colours;  // 0: true colour
    };
    for (const Expected& file : {Expected{"assets/skin_normal.png", {600, 240}, 256},
                                 Expected{"assets/skin_pressed.png", {600, 240}, 256},
                                 Expected{"assets/splash.png", layout::kSplashSize, 256},
                                 Expected{"assets/chooser.png", layout::kChooserSize, 250},
                                 Expected{"assets/gauge.png", layout::kGaugeSize, 0},
                                 Expected{"assets/icon_16.png", {16, 16}, 256},
                                 Expected{"assets/icon_32.png", {32, 32}, 256},
                                 Expected{"assets/preview_cursor.png", {32, 32}, 16}}) {
        const QImage image(committed(file.path));
        SCOPED_TRACE(file.path);
        EXPECT_EQ(image.size(), file.size);
        EXPECT_EQ(image.colorCount(), file.colours);
    }
    for (const char* skin : {"assets/skin_normal.png", "assets/skin_pressed.png"})
        EXPECT_EQ(QImage(committed(skin)).color(0), qRgb(178, 177, 164)) << skin;
}

// The windows copy a hot-spot's rectangle from the pressed skin: the two skins must agree
// everywhere else, and every button with a look must change under its own rectangle.
TEST(Artwork, PressedSkinDiffersOnlyUnderHotSpots) {
    const QImage normal =
        QImage(committed("assets/skin_normal.png")).convertToFormat(QImage::Format_RGB32);
    const QImage pressed =
        QImage(committed("assets/skin_pressed.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(normal.size(), pressed.size());
    QRegion spots;
    for (const layout::Item& item : layout::main_hot_spots()) spots += item.rect;
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            if (spots.contains(QPoint(x, y))) continue;
            ASSERT_EQ(normal.pixel(x, y), pressed.pixel(x, y)) << x << "," << y;
        }
    }
    for (const layout::Item& item : layout::main_hot_spots()) {
        if (item.feedback == layout::Feedback::None || item.feedback == layout::Feedback::Move)
            continue;
        const QImage a = normal.copy(item.rect);
        const QImage b = pressed.copy(item.rect);
        EXPECT_NE(a, b) << item.name << " has no pressed look";
    }
}

// Section captions are skin pixels beside the controls: none may sit under a control or a
// hot-spot, and every word must be in the skin's font.
TEST(SkinLayout, CaptionsLieClearOfControlsAndHotSpots) {
    auto check = [](std::span<const layout::Caption> captions, QRegion taken, QSize skin) {
        for (const layout::Caption& caption : captions) {
            SCOPED_TRACE(caption.text);
            EXPECT_TRUE(QRect(QPoint(0, 0), skin).contains(caption.rect));
            EXPECT_FALSE(taken.intersects(caption.rect));
            EXPECT_TRUE(qv::art::has_glyphs(caption.text));
            EXPECT_LE(qv::art::text_width(caption.text), caption.rect.width());
        }
    };
    QRegion main_taken;
    for (const layout::Item& item : layout::main_hot_spots())
        if (item.art != layout::Art::TitleStrip) main_taken += item.rect;
    for (const layout::Control& control : layout::main_controls())
        if (*control.frame == '\0') main_taken += control.rect;
    check(layout::main_captions(), main_taken, {layout::kSkinWidth, layout::kSkinHeight});
    QRegion chooser_taken;
    for (const layout::Item& item : layout::chooser_items()) chooser_taken += item.rect;
    check(layout::chooser_captions(), chooser_taken, layout::kChooserSize);
    for (const layout::Item& item : layout::main_hot_spots())
        EXPECT_TRUE(qv::art::has_glyphs(item.caption)) << item.name;
}

}  // namespace
