// Any file given as a background picture: it loads or is refused with a reason, and a picture that
// loads composes a full button with every effect on, in both previews.
#include "core/io/picture_loader.h"
#include "core/render/composer.h"
#include "fuzz_support.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_start_gui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const qv::Result<QImage> picture = qv::load_picture(path, qv::kWindowBackground);
    if (!picture) {
        FUZZ_CHECK(!picture.error().isEmpty());
        return 0;
    }
    FUZZ_CHECK(!picture->isNull());
    FUZZ_CHECK(!picture->hasAlphaChannel());
    // Keep each run quick: huge but valid pictures are exercised by the tests.
    if (qint64(picture->width()) * picture->height() > 512 * 512) return 0;

    const qv::Canvas background = qv::Canvas::from_picture(*picture, qv::kWindowBackground);
    qv::Canvas preview = qv::Canvas::from_picture(*picture, qv::kWindowBackground);
    qv::Canvas typo = qv::Canvas::make({150, 36}, qv::kPanelColour);
    qv::ButtonStyle style;
    style.font_name = QStringLiteral("DejaVu Sans");
    style.effet1_on = style.effet2_on = style.effet3_on = qv::kTrue;
    style.text_y = qv::centred_text_y(picture->height(), 15);
    const qv::PreviewResult result = qv::draw_preview(preview, typo, background, style);
    FUZZ_CHECK(result.typo_ok && result.button_ok);
    FUZZ_CHECK(preview.image.size() == picture->size());
    return 0;
}
