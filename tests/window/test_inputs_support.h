#pragma once
// A started main window with a scripted desktop, and the files the input tests feed it.
#include "window_test_support.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
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

inline QString write_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

// Every file name in a folder (temporaries included), sorted.
inline QStringList files_in(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

inline QImage read_back(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}
