#pragma once
// A started main window with a scripted desktop, and the files the input tests feed it.
#include "batch_tool.h"
#include "window_test_support.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStringListModel>

struct InputsWindow : Window {
    // Answers the file dialog with `path` and releases the picture button.
    void load_picture(const QString& path) {
        platform.file_answers.push_back(path);
        form.Image_loadbutton_MouseUp(1, 0, 0, 0);
    }
    void load_list(const QString& path) {
        platform.file_answers.push_back(path);
        form.Image_loadTxt_Click();
    }
    void make_all(const QStringList& labels, const QString& directory) {
        form.List1_items->setStringList(labels);
        form.output_directory = directory;
        form.Image_Make_MouseUp(1, 0, 0, 0);
    }
    void select(int row) { form.List1->setCurrentIndex(form.List1_items->index(row)); }
    int selected_row() const {
        const QModelIndexList rows = form.List1->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    const QImage& preview() const { return form.Picture_previewscroll->canvas().image; }
};

// A picture whose every pixel differs from its neighbours, so misplaced copies show.
inline QString write_picture(const QString& folder, const QString& name, QSize size) {
    QDir().mkpath(folder);
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
    picture.save(folder + u'/' + name);
    return folder + u'/' + name;
}

using batch_tool::file_names;
using batch_tool::read_bytes;
using batch_tool::write_bytes;

inline QImage read_back(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// Where two folders' files differ (names or bytes), or nothing when they hold the same.
inline QString difference(const QString& a, const QString& b) {
    const QStringList names = file_names(a);
    if (names != file_names(b))
        return names.join(u',') + QStringLiteral(" against ") + file_names(b).join(u',');
    for (const QString& name : names)
        if (read_bytes(a + u'/' + name) != read_bytes(b + u'/' + name)) return name;
    return {};
}

// Every setting away from its default, the picture loaded first: its text line is centred in
// the 10-point default face and stays there when font and size change afterwards.
inline void style_everything(InputsWindow& w, const QString& picture) {
    w.load_picture(picture);
    w.form.List_Typo->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly)
        .first()
        ->setSelected(true);
    for (int i = 0; i < 4; ++i) w.form.Image_sizeplus_Click();
    w.form.Image4_Click();  // bold
    w.form.Image2_Click();  // italic
    w.form.Image3_Click();  // underline
    w.form.Image_effet1_Click();
    w.form.Image_effet2_Click();
    w.form.Image_effet3_Click();
    w.form.Text_R->setText(QStringLiteral("200"));
    w.form.Text_G->setText(QStringLiteral("120.5"));
    w.form.Text_B->setText(QStringLiteral(" 7"));
    w.form.Image_leftplus_Click();
    w.form.Image_right_Click();
    for (int i = 0; i < 3; ++i) w.form.Image_rightplus_Click();
    w.form.set_write_png(true);
}

inline QString save_style(InputsWindow& w, const QString& path_without_suffix) {
    w.platform.save_answers.push_back(path_without_suffix);
    w.form.save_style();
    return path_without_suffix + QStringLiteral(".qvstyle");
}
