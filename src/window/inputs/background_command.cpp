#include "core/io/picture_loader.h"
#include "core/render/text_renderer.h"
#include "window/form_main.h"
#include "window/inputs/file_kinds.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

// The folder part of a chosen file, always ending with "/" so that labels append directly.
QString folder_of(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    return full.left(full.lastIndexOf(u'/') + 1);
}

}  // namespace

void Form_Main::Image_loadbutton_MouseUp(int, int, double, double) {
    // The first time in the sample backgrounds, then where the last picture was chosen.
    const QString start = picture_folder_.isEmpty()
                              ? QDir(platform().data_folder()).filePath(QStringLiteral("buttons"))
                              : picture_folder_;
    const std::optional<QString> chosen = platform().open_file(this, start, qv::picture_pattern());
    if (chosen) load_background(*chosen);
}

void Form_Main::load_background(const QString& path) {
    picture_folder_ = QFileInfo(path).absolutePath();
    // Everything is decoded before anything changes: a file that cannot be read leaves the
    // canvases, their places, the text line and the directory exactly as they were, and the user
    // is told why rather than left wondering whether the click was taken.
    const qv::Result<QImage> picture = qv::load_picture(path, qv::kWindowBackground);
    if (!picture) {
        platform().show_message(this, picture.error());
        return;
    }
    show_background(path, *picture);
}

void Form_Main::show_background(const QString& path, const QImage& picture) {
    // Both canvases take the picture and its size and sit centred in their frames (equal sizes);
    // a picture larger than a frame is cropped evenly, a half pixel going to the top left.
    const QPoint place = qv::canvas_position(Picture_button->size(), picture.size());
    Picture_buttonscroll->set_picture(picture);
    Picture_buttonscroll->move(place);
    // The preview keeps the label font it was last drawn with: the text line is centred with it.
    Picture_previewscroll->set_picture(picture);
    Picture_previewscroll->move(place);

    text_y = qv::centred_text_y(picture.height(), qv::line_height(Picture_previewscroll->canvas()));

    Picture_buttonscroll->show();
    Picture_previewscroll->show();
    Picture_typoscroll->show();

    // The buttons are written beside their background unless another directory is chosen.
    Label_Directory->setText(folder_of(path));
    output_directory = Label_Directory->text();
    background_path = QFileInfo(path).absoluteFilePath();

    draw_preview();
}
