#include "core/io/button_output.h"

#include "core/io/bmp_writer.h"
#include "core/io/message_text.h"
#include "core/io/output_path.h"

#include <utility>

namespace qv {

QImage transparency_kept(ButtonFormat format, const QImage& decoded) {
    return format == ButtonFormat::Png && decoded.hasAlphaChannel() ? decoded : QImage();
}

QString extension_for(ButtonFormat format) {
    return format == ButtonFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
}

Result<QByteArray> encode_button(const QImage& image, ButtonFormat format) {
    return ButtonEncoder(format).encode(image);
}

ButtonEncoder::ButtonEncoder(ButtonFormat format) : format_(format) {}

Result<QByteArray> ButtonEncoder::encode(const QImage& image) {
    if (format_ == ButtonFormat::Bmp) return encode_bmp24(image);
    QByteArray bytes = png_.encode(image);
    if (bytes.isEmpty()) return Failure{QStringLiteral("the button picture could not be encoded")};
    return bytes;
}

Result<StagedFile> stage_button(const QImage& image, const QString& directory, const QString& name,
                                ButtonEncoder& encoder, Staging staging, FileRecycler* recycler) {
    const Result<QString> path = output_path(directory, name, extension_for(encoder.format()));
    if (!path) return Failure{path.error()};
    const Result<QByteArray> bytes = encoder.encode(image);
    if (!bytes)
        return Failure{
            QStringLiteral("Cannot write %1: %2").arg(shown_in_message(*path), bytes.error())};
    return stage_file(*path, *bytes, staging, recycler);
}

Result<QString> save_button(const QImage& image, const QString& directory, const QString& label,
                            ButtonFormat format, Staging staging) {
    ButtonEncoder encoder(format);
    Result<StagedFile> staged = stage_button(image, directory, label, encoder, staging);
    if (!staged) return Failure{staged.error()};
    QString path = staged->final_path();
    if (Result<void> committed = commit_file(std::move(*staged)); !committed)
        return Failure{committed.error()};
    return path;
}

}  // namespace qv
