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

void Form_Main::wire_background() {
    connect(Image_loadbutton, &qv::HotSpot::MouseDown, this,
            &Form_Main::Image_loadbutton_MouseDown);
    connect(Image_loadbutton, &qv::HotSpot::MouseUp, this, &Form_Main::Image_loadbutton_MouseUp);
    connect(Image_buttonbrowse, &qv::HotSpot::MouseDown, this,
            &Form_Main::Image_buttonbrowse_MouseDown);
    connect(Image_buttonbrowse, &qv::HotSpot::MouseUp, this,
            &Form_Main::Image_buttonbrowse_MouseUp);
}

void Form_Main::Image_loadbutton_MouseDown(int, int, double, double) {
    draw_etat(Image_loadbutton, kPressed);
}

void Form_Main::Image_loadbutton_MouseUp(int, int, double, double) {
    draw_etat(Image_loadbutton, kNormal);

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
    const qv::Result<QImage> picture = qv::decode_picture(path);
    if (!picture) {
        platform().show_message(this, picture.error());
        return;
    }
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

    // The buttons are written beside their background unless another directory is chosen.
    Label_Directory->setText(folder_of(path));
    output_directory = Label_Directory->text();
    background_path = QFileInfo(path).absoluteFilePath();

    draw_preview();
}

// "Browse" for pictures is not built: the button only answers the press.
void Form_Main::Image_buttonbrowse_MouseDown(int, int, double, double) {
    draw_etat(Image_buttonbrowse, kPressed);
}

void Form_Main::Image_buttonbrowse_MouseUp(int, int, double, double) {
    draw_etat(Image_buttonbrowse, kNormal);
}
