#pragma once
// Saving one finished button: the path rules, the file format and an atomic write, shared by the
// window's batch run and the command line tool.
#include "core/io/png_writer.h"
#include "core/io/result.h"
#include "core/io/staged_file.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace qv {

enum class ButtonFormat { Bmp, Png };

QString extension_for(ButtonFormat format);  // ".bmp" or ".png"

// What a button of `format` is painted over besides the flattened picture: the decoded picture
// itself when the format keeps its alpha channel (PNG, a picture that has one), else a null image.
QImage transparency_kept(ButtonFormat format, const QImage& decoded);

// The file's bytes, or why the picture cannot be encoded (a null image as PNG, a bitmap past
// 4 GiB).
Result<QByteArray> encode_button(const QImage& image, ButtonFormat format);

// Encodes button after button in one format, keeping what it sets up between them; one for
// each thread.
class ButtonEncoder {
  public:
    explicit ButtonEncoder(ButtonFormat format);
    ButtonFormat format() const { return format_; }
    // The file's bytes, or why the picture cannot be encoded.
    Result<QByteArray> encode(const QImage& image);

  private:
    ButtonFormat format_;
    PngEncoder png_;
};

// Forms the path for the file `name` in `directory` (the extension is the encoder's), encodes
// the button and stages its file (over one `recycler` kept, if any); the button appears when the
// file is committed. A failure names the path and the reason.
Result<StagedFile> stage_button(const QImage& image, const QString& directory, const QString& name,
                                ButtonEncoder& encoder, Staging staging = Staging::Nameless,
                                FileRecycler* recycler = nullptr);

// Stages the button and commits it at once. Returns the path written, or a message naming the
// path and the reason.
Result<QString> save_button(const QImage& image, const QString& directory, const QString& label,
                            ButtonFormat format = ButtonFormat::Bmp,
                            Staging staging = Staging::Nameless);

}  // namespace qv
