#include "core/io/picture_loader.h"
#include "core/render/text_renderer.h"
#include "window/form_main.h"
#include "window/inputs/file_kinds.h"
#include "window/inputs/output_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

void Form_Main::Image_loadbutton_MouseUp(int, int, double, double) {
    // A run keeps the picture it checked its files against; a new one waits until it has finished.
    if (batch_running_) return;

    // The first time in the sample backgrounds, then where the last picture was chosen.
    const QString start = picture_folder_.isEmpty()
                              ? QDir(platform().data_folder()).filePath(QStringLiteral("buttons"))
                              : picture_folder_;
    const std::optional<QString> chosen = platform().open_file(this, start, qv::picture_pattern());
    if (chosen) load_background(*chosen);
}

void Form_Main::load_background(const QString& path) {
    if (batch_running_) return;  // a dropped picture is refused during a run, as a chosen one is
    picture_folder_ = QFileInfo(path).absolutePath();
    // Everything is decoded before anything changes: a file that cannot be read leaves the
    // canvases, their places, the text line and the directory exactly as they were, and the user
    // is told why rather than left wondering whether the click was taken.
    const qv::Result<QImage> picture = qv::decode_picture(path);
    if (!picture) {
        platform().show_message(this, picture.error());
        return;
    }
    // A picture chosen on its own brings its folder with it, whatever was chosen before.
    output_directory_chosen_ = false;
    show_background(path, *picture);
}

void Form_Main::show_background(const QString& path, const QImage& decoded) {
    // The canvases show the picture flattened; PNG buttons keep its transparency.
    background_picture = decoded;
    const QImage picture = qv::flattened(decoded, qv::kWindowBackground);
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

    // The buttons are written beside their background unless another directory is chosen; the
    // installed samples' sets go to the user's pictures.
    if (!output_directory_chosen_) {
        output_directory = qv::output_folder_for_picture(path, platform().data_folder(),
                                                         platform().pictures_folder());
        show_output_directory();
    }
    background_path = QFileInfo(path).absoluteFilePath();

    draw_preview();
}
