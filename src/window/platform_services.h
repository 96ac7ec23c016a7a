#pragma once
// What the windows ask of the desktop, behind one small interface so that a test can answer a
// dialog, supply a font list or stand in for the program folder without a person.
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QWidget;

namespace qv {

class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    // Modal file-open dialog starting in `initial_dir` with a name pattern such as "*.txt";
    // the chosen file's full path, or nullopt when cancelled.
    virtual std::optional<QString> open_file(QWidget* parent, const QString& initial_dir,
                                             const QString& pattern) = 0;
    // Modal file-save dialog starting in `initial_dir` with a filter such as
    // "Quorvane style (*.qvstyle)"; the chosen path, or nullopt when cancelled.
    virtual std::optional<QString> save_file(QWidget* parent, const QString& initial_dir,
                                             const QString& filter) = 0;
    // The font families the screen offers, in the screen's order.
    virtual QStringList font_families() = 0;
    // The folder holding the program, without a trailing "/" except at the root.
    virtual QString program_folder() = 0;
    // Where the sample backgrounds and text list live ("buttons", "samples"), for when they are
    // not beside the program.
    virtual QString data_folder() = 0;
    // The user's pictures folder (the desktop's XDG pictures directory, else ~/Pictures), which
    // need not exist yet: sets made from the installed samples go there.
    virtual QString pictures_folder() = 0;
    // Mounted volumes for the directory chooser's drive list, the root "/" first.
    virtual QStringList mounted_volumes() = 0;
    // Shows a window modally and returns when it is closed.
    virtual void run_modal(QDialog& dialog) = 0;
    // Tells the user something went wrong (a batch run that could not write, say).
    virtual void show_message(QWidget* parent, const QString& text) = 0;
    // Ends the program at once, also from inside a nested event loop.
    virtual void end_program() = 0;
};

// The samples' folder of a program that runs from `program_folder`: "<prefix>/share/quorvane"
// beside "<prefix>/bin", in an installed tree and in the build tree alike.
QString data_folder_beside(const QString& program_folder);

// The real desktop: Qt's file dialog, the font database, the executable's folder, QStorageInfo.
class DesktopPlatform final : public PlatformServices {
  public:
    std::optional<QString> open_file(QWidget* parent, const QString& initial_dir,
                                     const QString& pattern) override;
    std::optional<QString> save_file(QWidget* parent, const QString& initial_dir,
                                     const QString& filter) override;
    QStringList font_families() override;
    QString program_folder() override;
    QString data_folder() override;
    QString pictures_folder() override;
    QStringList mounted_volumes() override;
    void run_modal(QDialog& dialog) override;
    void show_message(QWidget* parent, const QString& text) override;
    void end_program() override;
};

}  // namespace qv
