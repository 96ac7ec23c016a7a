#include "core/io/button_output.h"

#include "core/io/bmp_writer.h"
#include "core/io/message_text.h"
#include "core/io/output_path.h"

#include <QBuffer>

#include <utility>

namespace qv {

QString extension_for(ButtonFormat format) {
    return format == ButtonFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
}

Result<QByteArray> encode_button(const QImage& image, ButtonFormat format) {
    if (format == ButtonFormat::Bmp) return encode_bmp24(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return Failure{QStringLiteral("the button picture could not be encoded")};
    return bytes;
}

Result<StagedFile> stage_button(const QImage& image, const QString& directory, const QString& label,
                                ButtonFormat format, Staging staging) {
    const Result<QString> path = output_path(directory, label, extension_for(format));
    if (!path) return Failure{path.error()};
    const Result<QByteArray> bytes = encode_button(image, format);
    if (!bytes)
        return Failure{
            QStringLiteral("Cannot write %1: %2").arg(shown_in_message(*path), bytes.error())};
    return stage_file(*path, *bytes, staging);
}

Result<QString> save_button(const QImage& image, const QString& directory, const QString& label,
                            ButtonFormat format, Staging staging) {
    Result<StagedFile> staged = stage_button(image, directory, label, format, staging);
    if (!staged) return Failure{staged.error()};
    QString path = staged->final_path();
    if (Result<void> committed = commit_file(std::move(*staged)); !committed)
        return Failure{committed.error()};
    return path;
}

}  // namespace qv
