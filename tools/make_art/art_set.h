#pragma once
// Every file the generator makes, under the paths they have in the source tree.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace qv::art {

struct Output {
    QString path;     // relative to the source root, e.g. "assets/skin_normal.png"
    QImage image;     // the picture, in the pixel format it is stored in
    QByteArray text;  // for text files (image is null)
};

std::vector<Output> render_all();

// Writes `outputs` under `root`, creating folders; false with `error` set on the first failure.
bool write_all(const std::vector<Output>& outputs, const QString& root, QString* error);

// Empty when the two files hold the same picture (size, pixel format, palette and pixels; the
// compressed bytes may differ between encoder versions) or the same bytes; otherwise what differs.
QString difference(const QString& expected_path, const QString& actual_path);

}  // namespace qv::art
