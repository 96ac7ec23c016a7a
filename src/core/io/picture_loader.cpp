#include "core/io/picture_loader.h"

#include "core/io/message_text.h"
#include "core/io/sys_error.h"
#include "core/render/canvas.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace qv {
namespace {

// Far beyond any button, small enough that a lying header cannot exhaust memory.
constexpr int kMaxPictureSide = 16384;

// The memory a decoded picture may take: Qt's allocation limit (128 MiB unless the program sets
// another at start-up), which also guards formats whose size is only known while decoding. The
// loader reads it and never changes it: it holds for the whole process.
int max_picture_mib() {
    const int limit = QImageReader::allocationLimit();
    return limit > 0 ? limit : 1024;  // none: the side limit alone allows 1 GiB
}

bool too_large(QSize size) {
    return size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
           qint64(size.width()) * size.height() * 4 > qint64(max_picture_mib()) << 20;
}

Failure cannot_load(const QString& path, const QString& reason) {
    return Failure{QStringLiteral("Cannot load %1: %2").arg(shown_in_message(path), reason)};
}

Failure too_large_failure(const QString& path, QSize size) {
    return cannot_load(path, QStringLiteral("the picture is %1 by %2 pixels, too large for a "
                                            "background (at most %3 pixels a side and %4 MiB)")
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(kMaxPictureSide)
                                 .arg(max_picture_mib()));
}

// The picture as `reader` reads it, refused when too large; nullopt when the reader cannot read
// it (its error string says why).
std::optional<Result<QImage>> read_with(QImageReader& reader, const QString& path) {
    const QSize announced = reader.size();  // from the header, before anything is allocated
    if (announced.isValid() && too_large(announced)) return too_large_failure(path, announced);
    QImage picture = reader.read();
    if (picture.isNull()) return std::nullopt;
    if (too_large(picture.size())) return too_large_failure(path, picture.size());
    return picture;
}

}  // namespace

Result<QImage> decode_picture(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return cannot_load(path, system_error_text(ENOENT));
    if (info.isDir()) return cannot_load(path, system_error_text(EISDIR));

    // First only the reader the suffix names: Qt's own guessing asks every image plugin about the
    // file, which loads them all and costs a one-button run more than drawing it. A picture whose
    // suffix is unknown or belies its content (a JPEG named .bmp) is then read by its content.
    QImageReader by_name(path, info.suffix().toLower().toLatin1());
    by_name.setAutoDetectImageFormat(false);
    std::optional<Result<QImage>> read = read_with(by_name, path);
    if (!read) {
        QImageReader by_content(path);
        by_content.setDecideFormatFromContent(true);
        read = read_with(by_content, path);
        if (!read) return cannot_load(path, by_content.errorString());
    }
    if (!*read) return *read;
    QImage picture = std::move(**read);
    picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                : QImage::Format_RGB32);
    set_screen_resolution(picture);
    return picture;
}

QImage flattened(const QImage& picture, QColor fill) {
    QImage result;
    if (picture.hasAlphaChannel()) {
        result = QImage(picture.size(), QImage::Format_RGB32);
        result.fill(fill.rgb());
        QPainter painter(&result);
        painter.drawImage(0, 0, picture);
    } else {
        result = picture.convertToFormat(QImage::Format_RGB32);
    }
    set_screen_resolution(result);
    return result;
}

Result<QImage> load_picture(const QString& path, QColor fill) {
    Result<QImage> picture = decode_picture(path);
    if (!picture) return picture;
    return flattened(*picture, fill);
}

QPoint canvas_position(QSize frame, QSize picture) {
    const float left = float(frame.width()) / 2.0f - float(picture.width()) / 2.0f;
    const float top = float(frame.height()) / 2.0f - float(picture.height()) / 2.0f;
    return {int(std::floor(left)), int(std::floor(top))};
}

std::int16_t centred_text_y(int picture_height, int line_height) {
    const double y = std::floor(picture_height / 2.0 - line_height / 2.0);
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return std::int16_t(y < lo ? lo : (y > hi ? hi : y));
}

}  // namespace qv
