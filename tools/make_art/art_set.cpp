#include "art_set.h"

#include "extras.h"
#include "pieces.h"
#include "raster.h"
#include "samples.h"
#include "skins.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace qv::art {
namespace {

// The skins, splash and chooser pictures are stored 8 bits per pixel; entry 0 of a skin's
// palette is its panel colour.
QImage indexed(const QImage& image, QRgb first, int entries) {
    return to_indexed(image, build_palette({&image}, first, entries));
}

}  // namespace

std::vector<Output> render_all() {
    std::vector<Output> outputs;
    const QRgb panel = warm_theme().panel;
    const QImage normal = main_skin(false);
    const QImage pressed = main_skin(true);
    const QVector<QRgb> skin_palette = build_palette({&normal, &pressed}, panel, 256);
    outputs.push_back({"assets/skin_normal.png", to_indexed(normal, skin_palette), {}});
    outputs.push_back({"assets/skin_pressed.png", to_indexed(pressed, skin_palette), {}});
    outputs.push_back({"assets/splash.png", indexed(splash_face(), panel, 256), {}});
    outputs.push_back({"assets/chooser.png", indexed(chooser_face(), dark_theme().panel, 250), {}});
    outputs.push_back({"assets/gauge.png", gauge_bar(), {}});
    const QRgb clear = qRgba(0, 0, 0, 0);
    // The window's icon is 16 and 32 pixels in 256 colours; the desktop's icon theme takes the
    // same drawing at its larger sizes too, in true colour: at 256 pixels the shading alone needs
    // more colours than a palette holds.
    for (const int size : kIconSizes) {
        const QImage icon = program_icon(size);
        outputs.push_back({QStringLiteral("assets/icon_%1.png").arg(size),
                           size <= 32 ? indexed(icon, clear, 256) : icon,
                           {}});
    }
    outputs.push_back({"assets/preview_cursor.png", indexed(preview_cursor(), clear, 16), {}});
    for (const char* name : {"blue_glass", "steel", "green_pill", "wide_banner"})
        outputs.push_back({QStringLiteral("buttons/%1.bmp").arg(QLatin1String(name)),
                           sample_background(name),
                           {}});
    outputs.push_back({"samples/menu.txt", {}, sample_menu()});
    return outputs;
}

bool write_all(const std::vector<Output>& outputs, const QString& root, QString* error) {
    for (const Output& output : outputs) {
        const QString path = QDir(root).filePath(output.path);
        if (!QDir().mkpath(QFileInfo(path).path())) {
            *error = QStringLiteral("cannot create the folder of %1").arg(path);
            return false;
        }
        if (output.image.isNull()) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(output.text) != output.text.size()) {
                *error = QStringLiteral("cannot write %1").arg(path);
                return false;
            }
            continue;
        }
        QImageWriter writer(path, path.endsWith(QLatin1String(".bmp")) ? "bmp" : "png");
        if (!writer.write(output.image)) {
            *error = QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
            return false;
        }
    }
    return true;
}

QString difference(const QString& expected_path, const QString& actual_path) {
    const bool picture = !expected_path.endsWith(QLatin1String(".txt"));
    if (!picture) {
        QFile expected(expected_path);
        QFile actual(actual_path);
        if (!expected.open(QIODevice::ReadOnly)) return QStringLiteral("missing");
        if (!actual.open(QIODevice::ReadOnly)) return QStringLiteral("not generated");
        return expected.readAll() == actual.readAll() ? QString() : QStringLiteral("text differs");
    }
    const QImage expected(expected_path);
    const QImage actual(actual_path);
    if (expected.isNull()) return QStringLiteral("missing or unreadable");
    if (actual.isNull()) return QStringLiteral("not generated");
    if (expected.size() != actual.size()) return QStringLiteral("size differs");
    if (expected.format() != actual.format()) return QStringLiteral("pixel format differs");
    if (expected.colorTable() != actual.colorTable()) return QStringLiteral("palette differs");
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (expected.pixel(x, y) != actual.pixel(x, y))
                return QStringLiteral("pixel %1,%2 differs").arg(x).arg(y);
    return {};
}

}  // namespace qv::art
