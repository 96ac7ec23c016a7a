#include "core/io/button_output.h"

#include "core/io/atomic_write.h"
#include "core/io/bmp_writer.h"
#include "core/io/message_text.h"
#include "core/io/output_path.h"

namespace qv {

QString extension_for(ButtonFormat format) {
    return format == ButtonFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
}

QByteArray encode_button(const QImage& image, ButtonFormat format) {
    return ButtonEncoder(format).encode(image);
}

ButtonEncoder::ButtonEncoder(ButtonFormat format) : format_(format) {}

QByteArray ButtonEncoder::encode(const QImage& image) {
    return format_ == ButtonFormat::Bmp ? encode_bmp24(image) : png_.encode(image);
}

Result<QString> save_button(const QImage& image, const QString& directory, const QString& label,
                            ButtonFormat format) {
    Result<QString> path = output_path(directory, label, extension_for(format));
    if (!path) return path;
    const QByteArray bytes = encode_button(image, format);
    if (bytes.isEmpty())
        return Failure{QStringLiteral("Cannot write %1: the button picture could not be encoded")
                           .arg(shown_in_message(*path))};
    Result<void> written = write_file_atomically(*path, bytes);
    if (!written) return Failure{written.error()};
    return path;
}

}  // namespace qv
