#pragma once
// Saving one finished button: the path rules, the file format and an atomic write, shared by the
// window's batch run and the command line tool.
#include "core/io/png_writer.h"
#include "core/io/result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace qv {

enum class ButtonFormat { Bmp, Png };

QString extension_for(ButtonFormat format);  // ".bmp" or ".png"

// The file's bytes; empty when the picture cannot be encoded (a null image as PNG).
QByteArray encode_button(const QImage& image, ButtonFormat format);

// Encodes button after button in one format, keeping what it sets up between them; one for
// each thread.
class ButtonEncoder {
  public:
    explicit ButtonEncoder(ButtonFormat format);
    QByteArray encode(const QImage& image);

  private:
    ButtonFormat format_;
    PngEncoder png_;
};

// Forms the path for `label` in `directory` and writes the button there atomically. Returns the
// path written, or a message naming the path and the reason.
Result<QString> save_button(const QImage& image, const QString& directory, const QString& label,
                            ButtonFormat format = ButtonFormat::Bmp);

}  // namespace qv
