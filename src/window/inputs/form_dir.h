#pragma once
// The output directory chooser: a small skinned window with a volume list and a directory list.
// It is made afresh for every choice, opens at the caller's directory when one is set (else at the
// working directory), and writes its answer into the caller's directory string:
// the open folder on OK, the empty string on Cancel or its close button, nothing when closed by
// other means (Escape).
#include "window/hot_spot.h"
#include "window/platform_services.h"
#include "window/skinned_window.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace qv {

// Index of the volume (a root path such as "/" or "/media/usb") holding `path`: the longest root
// that contains it; 0 when none does.
int volume_index(const QStringList& volumes, const QString& path);

// A directory list's lines for the open folder `path` (clean, absolute): each ancestor from the
// root down, the folder itself, then its subfolders, sorted. `depth` is the indentation level.
struct DirLine {
    QString path;
    QString name;
    int depth;
    bool open;  // the folder being shown
};
QList<DirLine> directory_lines(const QString& path);

}  // namespace qv

class Form_Dir : public qv::SkinnedWindow<QDialog> {
    Q_OBJECT
  public:
    Form_Dir(QString& output_directory, qv::PlatformServices& platform, QWidget* parent = nullptr);

    QComboBox* Drive1 = nullptr;
    QListWidget* Dir1 = nullptr;
    qv::HotSpot* Image_Ok = nullptr;
    qv::HotSpot* Image_Cancel = nullptr;
    qv::HotSpot* Image2 = nullptr;  // close button
    qv::HotSpot* Image1 = nullptr;  // title strip

    void Form_Load();  // centres the window on the screen
    void Drive1_Change();
    void Image_Ok_Click();
    void Image_Cancel_Click();
    void Image2_Click();
    void Image1_MouseMove(int button, int shift, double x, double y);

    // The folder the directory list has open: no trailing "/" except the root.
    const QString& path() const { return path_; }
    // Opens a folder in the directory list; false (nothing changes) when it cannot be listed.
    bool open_folder(const QString& path);

  private:
    void show_volume_of_path();

    QString& output_directory_;
    QStringList volumes_;
    QString path_;
};
